#include "Markup.h"

#include "ColourValues.h"
#include "FormatDescription.h"
#include "MarkupPieces.h"

#include <iterator>

namespace huespan {

namespace {

constexpr QStringView kLineBreak = u"\r\n";
// <FONT COLOR="#RRGGBB"> and </FONT> around the character.
constexpr qsizetype kElementFrame = std::size(MarkupPieces::kFontColourOpen) - 1 + 6 +
                                    std::size(MarkupPieces::kFontColourOpenEnd) - 1 +
                                    std::size(MarkupPieces::kFontClose) - 1;
constexpr qsizetype kLongestEscape = 6; // &nbsp;

} // namespace

void EmitOpening(MarkupWriter& html, const GradientSettings& settings)
{
    FormatDescription::of(OutputFormat::Font).writeOpening(html, settings);
}

void emitCharacterOutOfRange(MarkupWriter& html, QStringView character, const ColourTriple& colour,
                             const GradientSettings& settings)
{
    const FormatDescription& font = FormatDescription::of(OutputFormat::Font);
    html.append(font.elementOpen);
    html.append(ColourCode(colour));
    html.append(font.elementOpenEnd);
    html.append(EscapeCharacter(character));
    html.append(font.elementClose);
    if (settings.lineBreaks)
        html.append(kLineBreak);
}

void EmitClosing(MarkupWriter& html, const GradientSettings& settings)
{
    FormatDescription::of(OutputFormat::Font).writeClosing(html, settings);
}

std::optional<int> writtenFontSize(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Normal ? settings.fontSize : std::nullopt;
}

std::optional<int> writtenHeading(const GradientSettings& settings)
{
    return settings.sizeMode == SizeMode::Heading ? settings.heading : std::nullopt;
}

qsizetype openingLengthBound(const GradientSettings& settings)
{
    // Styles, the size element with any number, the heading element.
    return 12 + 32 + 16 + settings.tagsBefore.size() + kLineBreak.size();
}

qsizetype closingLengthBound(const GradientSettings& settings)
{
    return settings.tagsAfter.size() + 7 + 16 + 16;
}

qsizetype characterElementLengthBound(qsizetype codeUnits)
{
    // A surrogate pair is two code units in one element, so per code unit this is generous.
    return codeUnits * (kElementFrame + kLongestEscape + kLineBreak.size());
}

} // namespace huespan
