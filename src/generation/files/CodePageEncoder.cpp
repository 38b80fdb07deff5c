#include "CodePageEncoder.h"

#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

namespace huespan::CodePageEncoder {

namespace {

const char* nativeUtf16()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

// Owns one iconv conversion descriptor from the native UTF-16 of QString.
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

// The growing output of one conversion.
class Output
{
public:
    explicit Output(qsizetype expectedSize) { m_bytes.resize(expectedSize + 16); }

    // Converts as much of the start of text as the encoding takes and drops it from text; iconv's
    // errno when it stopped before the end (EILSEQ, EINVAL), 0 when everything went through.
    int convert(const Conversion& conversion, QStringView& text)
    {
        auto* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
        const size_t inSize = static_cast<size_t>(text.size()) * 2;
        size_t inLeft = inSize;
        int error = 0;
        for (;;) {
            char* out = m_bytes.data() + m_written;
            size_t outLeft = static_cast<size_t>(m_bytes.size() - m_written);
            const size_t result = iconv(conversion.descriptor(), &in, &inLeft, &out, &outLeft);
            m_written = out - m_bytes.data();
            if (result != static_cast<size_t>(-1)) {
                error = 0;
                break;
            }
            error = errno;
            if (error != E2BIG)
                break;
            m_bytes.resize(m_bytes.size() * 2);
        }
        // Whatever iconv reports, only what it consumed is dropped, and never more than there was.
        text = text.sliced(std::min(text.size(), static_cast<qsizetype>((inSize - inLeft) / 2)));
        return error;
    }

    // Returns a stateful encoding to its initial state, as every complete text must end.
    void finish(const Conversion& conversion)
    {
        for (;;) {
            char* out = m_bytes.data() + m_written;
            size_t outLeft = static_cast<size_t>(m_bytes.size() - m_written);
            const size_t result = iconv(conversion.descriptor(), nullptr, nullptr, &out, &outLeft);
            m_written = out - m_bytes.data();
            if (result != static_cast<size_t>(-1) || errno != E2BIG)
                return;
            m_bytes.resize(m_bytes.size() * 2);
        }
    }

    QByteArray take()
    {
        m_bytes.truncate(m_written);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    qsizetype m_written = 0;
};

// Code units of the character at the start of a non-empty text.
qsizetype unitsOfCharacter(QStringView rest)
{
    if (rest.size() >= 2 && rest[0].isHighSurrogate() && rest[1].isLowSurrogate())
        return 2;
    return 1;
}

QByteArray convertedAlone(const QByteArray& encodingName, QStringView text)
{
    const Conversion conversion(encodingName);
    if (!conversion.isValid())
        return {};
    Output output(text.size() * 4);
    if (output.convert(conversion, text) != 0)
        return {};
    output.finish(conversion);
    return output.take();
}

// An encoding of fixed-width units wider than a byte that writes no mark of its own (UTF-16LE,
// UTF-32BE, UCS-2, ...): one "<" is more than a byte, and two are exactly twice one, so nothing
// precedes the first character.
bool isWideWithoutMark(const QByteArray& encodingName)
{
    const QByteArray one = convertedAlone(encodingName, u"<");
    return one.size() > 1 && convertedAlone(encodingName, u"<<") == one.repeated(2);
}

} // namespace

std::optional<QByteArray> encode(QStringView text, const QByteArray& encodingName, ByteOrderMark mark)
{
    if (!isKnownEncoding(encodingName))
        return std::nullopt;
    const Conversion conversion(encodingName);
    if (!conversion.isValid())
        return std::nullopt;

    // Most code pages need at most as many bytes as UTF-16 does; the output grows when one needs more.
    Output output(text.size() * 2);
    if (mark == ByteOrderMark::ForWidePages && isWideWithoutMark(encodingName)) {
        QStringView byteOrderMark = u"\uFEFF";
        output.convert(conversion, byteOrderMark);
    }
    QStringView rest = text;
    while (!rest.isEmpty()) {
        if (output.convert(conversion, rest) == 0)
            break;
        // glibc reports an error for //IGNORE only after it has consumed everything.
        if (rest.isEmpty())
            break;
        // EILSEQ (no such character in the encoding, or an unpaired surrogate) or EINVAL (a high
        // surrogate at the very end): that one character becomes "?". An encoding without "?"
        // just leaves the character out.
        rest = rest.sliced(unitsOfCharacter(rest));
        QStringView replacement = u"?";
        output.convert(conversion, replacement);
    }
    output.finish(conversion);
    return output.take();
}

bool hasConversionSuffix(const QByteArray& encodingName)
{
    return encodingName.contains("//");
}

bool isKnownEncoding(const QByteArray& encodingName)
{
    return openingError(encodingName) == 0;
}

int openingError(const QByteArray& encodingName)
{
    const bool printable =
        std::all_of(encodingName.cbegin(), encodingName.cend(), [](char c) { return c > ' ' && c < '\x7F'; });
    if (encodingName.isEmpty() || !printable || hasConversionSuffix(encodingName))
        return EINVAL;
    errno = 0;
    if (Conversion(encodingName).isValid())
        return 0;
    const int error = errno;
    if (error != EINVAL && error != 0)
        return error;
    // glibc loads most code pages as modules on demand and reports a module it could not load
    // (the descriptors used up) like a name it does not know; a descriptor that cannot be had
    // either gives the real reason.
    const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (probe < 0)
        return errno == EMFILE || errno == ENFILE ? errno : EINVAL;
    ::close(probe);
    return EINVAL;
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
