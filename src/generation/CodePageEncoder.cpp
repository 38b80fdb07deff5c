#include "CodePageEncoder.h"

#include <QSysInfo>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

namespace huespan::CodePageEncoder {

namespace {

const char* nativeUtf16()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

// Owns one iconv conversion descriptor.
class Conversion
{
public:
    explicit Conversion(const QByteArray& target)
        : m_descriptor(iconv_open(target.constData(), nativeUtf16()))
    {
    }
    ~Conversion()
    {
        if (isValid())
            iconv_close(m_descriptor);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool isValid() const { return m_descriptor != reinterpret_cast<iconv_t>(-1); }
    iconv_t descriptor() const { return m_descriptor; }

private:
    iconv_t m_descriptor;
};

// Code units of the character at the start of the rest of the text.
qsizetype unitsOfCharacter(QStringView rest)
{
    if (rest.size() >= 2 && rest[0].isHighSurrogate() && rest[1].isLowSurrogate())
        return 2;
    return 1;
}

} // namespace

std::optional<QByteArray> encode(QStringView text, const QByteArray& encodingName)
{
    Conversion conversion(encodingName);
    if (!conversion.isValid())
        return std::nullopt;

    QByteArray out;
    // Most code pages need at most as many bytes as UTF-16 does; grow when one needs more.
    out.resize(text.size() * 2 + 16);
    qsizetype written = 0;
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;

    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        size_t outLeft = static_cast<size_t>(out.size() - written);
        const size_t result = iconv(conversion.descriptor(), &in, &inLeft, &outPtr, &outLeft);
        written = outPtr - out.data();
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ (no such character in the code page, or an unpaired surrogate) and EINVAL (a
        // high surrogate at the very end): write "?" for the one character and go on after it.
        const qsizetype consumedUnits = text.size() - static_cast<qsizetype>(inLeft / 2);
        const size_t skipped = static_cast<size_t>(unitsOfCharacter(text.sliced(consumedUnits))) * 2;
        if (written == out.size())
            out.resize(out.size() * 2);
        out[written++] = '?';
        in += skipped;
        inLeft -= skipped;
    }
    // Flush any shift state (stateful encodings such as ISO-2022-JP end in their initial state).
    for (;;) {
        char* outPtr = out.data() + written;
        size_t outLeft = static_cast<size_t>(out.size() - written);
        if (iconv(conversion.descriptor(), nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
            written = outPtr - out.data();
            break;
        }
        if (errno != E2BIG)
            break;
        out.resize(out.size() * 2 + 16);
    }
    out.truncate(written);
    return out;
}

bool isKnownEncoding(const QByteArray& encodingName)
{
    return Conversion(encodingName).isValid();
}

QByteArray systemCodePage()
{
    const QByteArray codeset(nl_langinfo(CODESET));
    // The C locale reports plain ASCII, which would turn every Japanese character into "?". It is
    // the absence of a choice rather than a choice, so it is taken as UTF-8, as Qt does for file names.
    if (codeset.isEmpty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII")
        return QByteArrayLiteral("UTF-8");
    return codeset;
}

} // namespace huespan::CodePageEncoder
