// The readers of colour and stop texts: component fields in either notation, the stop texts of the
// settings file, and the names of colour spaces, hue rules and presets.
#include "ColourSpace.h"
#include "ColourValues.h"
#include "ComponentText.h"
#include "FuzzSupport.h"
#include "GradientPresets.h"
#include "SettingNames.h"
#include "StopText.h"

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

    // A stop that reads has a position from 0 to 100 (or none), and what is written of it reads
    // back as the same stop.
    for (const Notation notation : {Notation::Decimal, Notation::Hexadecimal}) {
        const StopText::Reading reading = StopText::read(text, notation);
        if (!reading.ok())
            continue;
        const std::optional<double> position = reading.stop.position;
        FUZZ_CHECK(!position || (*position >= 0.0 && *position <= 100.0), text);
        const QString written = StopText::write(reading.stop);
        FUZZ_CHECK(StopText::read(written).stop == reading.stop, text + u" -> " + written);
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
