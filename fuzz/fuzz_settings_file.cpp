// The advanced settings file's reader: any bytes give settings, which write back as a file of the
// program's own keys only and read back as the same settings.
#include "FuzzSupport.h"
#include "ui/AdvancedSettingsStore.h"

using namespace huespan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (static_cast<qint64>(size) > AdvancedSettingsStore::kMaximumFileSize)
        return -1;
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const AdvancedSettings settings = AdvancedSettingsStore::fromText(bytes);
    const QByteArray written = AdvancedSettingsStore::toText(settings);
    const QString detail = QString::fromUtf8(bytes.first(qMin<qsizetype>(bytes.size(), 500))) + u"\n->\n" +
                           QString::fromUtf8(written);
    FUZZ_CHECK(AdvancedSettingsStore::fromText(written) == settings, detail);
    FUZZ_CHECK(AdvancedSettingsStore::toText(AdvancedSettingsStore::fromText(written)) == written, detail);
    // Ten keys, one line each, and nothing of the input but what they say.
    FUZZ_CHECK(written.count('\n') == 11 && written.startsWith("[General]\nformat="), detail);
    // Each stop took at least eight bytes of the input ("#RRGGBB" and a separator or the end).
    FUZZ_CHECK(settings.stops.size() * 7 <= size, detail);
    return 0;
}
