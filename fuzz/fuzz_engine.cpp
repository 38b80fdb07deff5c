// The engine: the settings of a run and its text from the bytes. Whatever they are, the markup
// holds every unit of the text in order, read back by the tests' own reader of each format, and
// the markup decodes in the encoding it is written in.
#include "CodePageEncoder.h"
#include "ContrastFloor.h"
#include "FormattedMarkup.h"
#include "FuzzSupport.h"
#include "RecordingHost.h"

using namespace huespan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startApplication();
    return 0;
}

namespace {

QString componentText(fuzz::InputBytes& input, Notation notation)
{
    // Mostly canonical, now and then another text that reads as a component 0 to 255: the windows
    // and the command line let no other value reach a run.
    const std::uint8_t kind = input.byte();
    const int value = input.byte();
    if (kind < 200)
        return notation == Notation::Decimal ? QString::number(value) : QString::number(value, 16);
    static const char* const kOddDecimal[] = {"", "007", "ff", "0x1", " 7", "1.5", "255 ", "254.5"};
    static const char* const kOddHexadecimal[] = {"", "0ff", "Ab", "00a", "f", "FF", "fg", "0x"};
    return QString::fromLatin1(notation == Notation::Decimal ? kOddDecimal[value % 8]
                                                             : kOddHexadecimal[value % 8]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4200)
        return -1;
    fuzz::InputBytes input(data, size);
    GradientSettings settings;
    settings.form = input.flag() ? GradientForm::BothSidesSame : GradientForm::LeftToRight;
    settings.notation = input.flag() ? Notation::Hexadecimal : Notation::Decimal;
    for (QString& component : settings.componentTexts)
        component = componentText(input, settings.notation);
    ExtendedSettings& extended = settings.extended;
    const int stopCount = input.choice(6);
    for (int index = 0; stopCount >= 2 && index < stopCount; ++index) {
        ColourStop stop{{qint16(input.byte()), qint16(input.byte()), qint16(input.byte())}, std::nullopt};
        const std::uint8_t place = input.byte();
        if (place < 200)
            stop.position = place < 100 ? double(place) : (place - 150) * 3.7;
        extended.stops.push_back(stop);
    }
    extended.space = static_cast<ColourSpace>(input.choice(5));
    extended.hue = static_cast<HueInterpolation>(input.choice(4));
    extended.reverse = input.flag();
    extended.unit = input.flag() ? TextUnit::Grapheme : TextUnit::CodePoint;
    extended.format = static_cast<OutputFormat>(input.choice(5));
    extended.merge = input.flag();
    extended.skipWhitespace = input.flag();
    extended.keepLineBreaks = input.flag();
    // Now and then a contrast floor, 1 to 21, against any background; the css format, which has
    // no colour per unit to keep, takes none.
    if (input.choice(4) == 0 && extended.format != OutputFormat::Css) {
        const double ratio = 1.0 + input.byte() / 12.75;
        extended.contrastFloor = ContrastFloor{
            ratio, ColourTriple{qint16(input.byte()), qint16(input.byte()), qint16(input.byte())}};
    }
    const QByteArray encoding = fuzz::encodingChoice(input);
    const QString text = input.restAsUtf16(2000);

    const QString markup = RecordingHost::markupFor(settings, text);
    if (markup.isEmpty())
        return 0; // a refused text: too short, or beyond the limit
    const QString detail = text.first(qMin<qsizetype>(text.size(), 200)) + u"\n->\n" +
                           markup.first(qMin<qsizetype>(markup.size(), 600));
    const std::optional<QList<FormattedMarkup::Piece>> pieces =
        FormattedMarkup::read(markup, extended.format);
    FUZZ_CHECK(pieces.has_value(), detail);
    QString expected = text;
    if (extended.keepLineBreaks) {
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        expected.replace(u'\r', u'\n');
    }
    // A terminal is shown the text's own control characters as pictures.
    if (extended.format == OutputFormat::Ansi)
        expected = FormattedMarkup::withControlPictures(expected);
    FUZZ_CHECK(FormattedMarkup::text(*pieces) == expected, detail);
    // Every unit reaches the floor or, where nothing of its hue can, takes the one of black and
    // white that contrasts more.
    if (const std::optional<ContrastFloor>& floor = extended.contrastFloor) {
        const ColourTriple black{0, 0, 0};
        const ColourTriple white{255, 255, 255};
        const double most =
            std::max(Contrast::ratio(black, floor->background), Contrast::ratio(white, floor->background));
        for (const FormattedMarkup::Piece& piece : *pieces) {
            if (!piece.colour)
                continue;
            const double ratio = Contrast::ratio(*piece.colour, floor->background);
            FUZZ_CHECK(ratio >= floor->ratio ||
                           ((*piece.colour == black || *piece.colour == white) && ratio == most),
                       detail);
        }
    }

    const std::optional<QByteArray> bytes = CodePageEncoder::encode(markup, encoding);
    FUZZ_CHECK(bytes.has_value(), QString::fromLatin1(encoding));
    fuzz::checkDecodesBack(markup, encoding, *bytes);
    return 0;
}
