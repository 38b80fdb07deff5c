// The readers of colour and stop texts: component fields in either notation, the stop texts of the
// settings file, and the names of colour spaces, hue rules and presets.
#include "ColourSpace.h"
#include "ColourValues.h"
#include "ComponentText.h"
#include "FuzzSupport.h"
#include "GradientPresets.h"
#include "SettingNames.h"
#include "ui/AdvancedSettingsStore.h"

#include <cmath>

using namespace huespan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return -1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Readings saturate, never overflow, and a rendering reads back as itself.
    const int decimal = ComponentText::decimalReading(text);
    const int hexadecimal = ComponentText::hexadecimalReading(text);
    FUZZ_CHECK(decimal >= 0 && hexadecimal >= 0, text);
    FUZZ_CHECK(ComponentText::decimalReading(ComponentText::decimalRendering(decimal)) == decimal, text);
    FUZZ_CHECK(ComponentText::hexadecimalReading(ComponentText::hexadecimalRendering(hexadecimal)) ==
                   hexadecimal,
               text);
    if (const std::optional<qint16> whole = ComponentText::integerConversion(text)) {
        bool ok = false;
        FUZZ_CHECK(text.trimmed().toShort(&ok) == *whole || !ok, text);
    }
    for (const Notation notation : {Notation::Decimal, Notation::Hexadecimal}) {
        const qint16 component = ReadComponent(text, notation);
        FUZZ_CHECK(ReadComponent(HexPair(component), Notation::Hexadecimal) == component || component < 0 ||
                       component > 255,
                   text);
    }

    // A stop the settings file accepts is exactly #RRGGBB[@number], and writes back as itself.
    if (const std::optional<ColourStop> stop = AdvancedSettingsStore::stopFromText(text)) {
        FUZZ_CHECK(text.size() >= 7 && text[0] == u'#', text);
        FUZZ_CHECK(!stop->position || std::isfinite(*stop->position), text);
        const QString written = AdvancedSettingsStore::stopText(*stop);
        FUZZ_CHECK(AdvancedSettingsStore::stopFromText(written) == stop, text + u" -> " + written);
        FUZZ_CHECK(written.first(7).compare(text.first(7), Qt::CaseInsensitive) == 0,
                   text + u" -> " + written);
    }

    // A name that is read names what it reads.
    if (const std::optional<ColourSpace> space = valueNamed<ColourSpace>(text))
        FUZZ_CHECK(valueNamed<ColourSpace>(nameOf(*space)) == space, text);
    if (const std::optional<HueInterpolation> hue = valueNamed<HueInterpolation>(text))
        FUZZ_CHECK(valueNamed<HueInterpolation>(nameOf(*hue)) == hue, text);
    if (const GradientPreset* preset = findGradientPreset(text))
        FUZZ_CHECK(preset->stops.size() >= 2, text);
    return 0;
}
