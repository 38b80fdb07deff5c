#include "CssUnitWriter.h"
#include "DescribedUnitWriter.h"
#include "GenerationRun.h"
#include "Generators.h"
#include "JsonTextWriter.h"
#include "ProgressSteps.h"
#include "TextUnits.h"
#include "UnitColours.h"

namespace huespan {

namespace {

// The longest element any format writes around a unit, escapes and line breaks included, per code
// unit of the text: enough room that a run rarely has to grow its markup.
constexpr qsizetype kRoomPerCodeUnit = 48;
constexpr qsizetype kRoomAroundText = 1024;

// Writes every unit in text order with the writer of the format, giving the event loop its turn
// after each unit; with merge, an element stays open while the next unit has its colour.
template <class Writer>
void writeUnits(GenerationRun& run, Writer& writer, const TextUnits& units,
                const std::vector<ColourTriple>& colours, bool merge)
{
    const auto total = static_cast<int>(units.count());
    ProgressSteps percentages(total, 100, leftToRightPercentage);
    bool open = false;
    ColourTriple openColour;
    size_t nextColour = 0;

    writer.opening();
    for (int index = 0; index < total; ++index) {
        const QStringView unit = units.at(index);
        const TextUnits::Kind kind = units.kind(index);
        if (kind == TextUnits::Kind::Coloured) {
            const ColourTriple& colour = colours[nextColour++];
            if (open && !(merge && colour == openColour)) {
                writer.closeElement();
                open = false;
            }
            if (!open) {
                writer.openElement(colour);
                open = true;
                openColour = colour;
            }
            writer.text(unit);
            if (!merge) {
                writer.closeElement();
                open = false;
            }
        } else {
            if (open) {
                writer.closeElement();
                open = false;
            }
            if (kind == TextUnits::Kind::LineBreak)
                writer.lineBreak();
            else
                writer.text(unit);
        }
        if (!run.progress(percentages.at(index + 1)))
            break;
    }
    if (open)
        writer.closeElement();
    writer.closing();
    run.end();
}

template <class Writer>
void writeWith(GenerationRun& run, MarkupWriter& html, const GradientSettings& settings,
               const TextUnits& units, const std::vector<ColourTriple>& colours)
{
    Writer writer(html, settings);
    writeUnits(run, writer, units, colours, settings.extended.merge);
}

} // namespace

void GenerateExtended(Module1& state, const GradientSettings& settings, GenerationHost& host)
{
    GenerationRun run(state, settings, host);
    const ExtendedSettings& extended = settings.extended;
    const QStringView text = run.takeText();
    const TextUnits units(text, extended.unit, extended.skipWhitespace, extended.keepsLineBreaks());
    const bool leftToRight = settings.form == GradientForm::LeftToRight;
    const std::optional<int> n =
        leftToRight ? run.accept(units.colouredCount(), 2, QStringLiteral(u"1文字では実行できません！"))
                    : run.accept(units.colouredCount(), 3, QStringLiteral(u"この文字数では実行できません！"));
    if (!n)
        return;

    const std::vector<ColourTriple> colours = UnitColours::scheduleOf(settings, units);
    MarkupWriter& html = run.startWriting(text.size() * kRoomPerCodeUnit + kRoomAroundText +
                                          settings.tagsBefore.size() + settings.tagsAfter.size());
    // The CSS format paints one element and JSON text has components; every other format gives
    // each element its colour from its description.
    switch (extended.format) {
    case OutputFormat::Font:
        writeWith<DescribedUnitWriter<kFontFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::Span:
        writeWith<DescribedUnitWriter<kSpanFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::Bbcode:
        writeWith<DescribedUnitWriter<kBbcodeFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::Ansi:
        writeWith<DescribedUnitWriter<kAnsiFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::Css:
        writeWith<CssUnitWriter>(run, html, settings, units, colours);
        break;
    case OutputFormat::MiniMessage:
        writeWith<DescribedUnitWriter<kMiniMessageFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::MinecraftHex:
        writeWith<DescribedUnitWriter<kMinecraftHexFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::MinecraftSection:
        writeWith<DescribedUnitWriter<kMinecraftSectionFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::MinecraftJson:
        writeWith<JsonTextWriter>(run, html, settings, units, colours);
        break;
    case OutputFormat::Mfm:
        writeWith<DescribedUnitWriter<kMfmFormat>>(run, html, settings, units, colours);
        break;
    case OutputFormat::Pango:
        writeWith<DescribedUnitWriter<kPangoFormat>>(run, html, settings, units, colours);
        break;
    }
}

} // namespace huespan
