#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QList>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace huespan::fuzz {

void fail(const char* rule, const QString& detail)
{
    // Control characters of the input shown as escapes, so that the report stays readable.
    QByteArray shown;
    for (const char c : detail.toUtf8().left(3000)) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n')
            shown += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        else
            shown += c;
    }
    std::fprintf(stderr, "broken rule: %s\n%s\n", rule, shown.constData());
    std::abort();
}

void startApplication()
{
    static int argc = 1;
    static char name[] = "huespan-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

InputBytes::InputBytes(const std::uint8_t* data, std::size_t size)
    : m_data(data)
    , m_size(size)
{
}

std::uint8_t InputBytes::byte()
{
    return m_at < m_size ? m_data[m_at++] : 0;
}

int InputBytes::choice(int count)
{
    return byte() % count;
}

bool InputBytes::flag()
{
    return (byte() & 1) != 0;
}

QString InputBytes::restAsUtf16(qsizetype maxUnits)
{
    QString text;
    while (m_at + 1 < m_size && text.size() < maxUnits) {
        text.append(QChar(static_cast<char16_t>(m_data[m_at] | (m_data[m_at + 1] << 8))));
        m_at += 2;
    }
    m_at = m_size;
    return text;
}

QByteArray InputBytes::rest()
{
    const QByteArray bytes(reinterpret_cast<const char*>(m_data + m_at),
                           static_cast<qsizetype>(m_size - m_at));
    m_at = m_size;
    return bytes;
}

QByteArray encodingChoice(InputBytes& input)
{
    static const std::array<const char*, 14> kEncodings{
        "UTF-8",  "CP932",   "SHIFT_JIS", "EUC-JP", "ISO-2022-JP", "ISO-8859-1", "CP1252",
        "KOI8-R", "GB18030", "BIG5",      "UTF-16", "UTF-16BE",    "UTF-32LE",   "UTF-7"};
    return kEncodings[static_cast<std::size_t>(input.choice(int(kEncodings.size())))];
}

namespace {

// One code point alone in the encoding; empty when the encoding lacks it.
QByteArray encodedAlone(char32_t c, const QByteArray& encoding)
{
    iconv_t converter = ::iconv_open(encoding.constData(), "UTF-32LE");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    std::array<char, 4> in{char(c & 0xFF), char((c >> 8) & 0xFF), char((c >> 16) & 0xFF), char(c >> 24)};
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    QByteArray out(64, '\0');
    char* outAt = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    const bool ok = ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1) &&
                    ::iconv(converter, nullptr, nullptr, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(converter);
    return ok ? out.first(out.size() - static_cast<qsizetype>(outLeft)) : QByteArray();
}

} // namespace

void checkDecodesBack(QStringView text, const QByteArray& encoding, const QByteArray& bytes)
{
    iconv_t converter = ::iconv_open("UTF-32LE", encoding.constData());
    FUZZ_CHECK(converter != reinterpret_cast<iconv_t>(-1), QString::fromLatin1(encoding));
    QByteArray decoded(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    char* out = decoded.data();
    std::size_t outLeft = static_cast<std::size_t>(decoded.size());
    const std::size_t converted = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    const std::size_t flushed = ::iconv(converter, nullptr, nullptr, &out, &outLeft);
    ::iconv_close(converter);
    FUZZ_CHECK(converted != static_cast<std::size_t>(-1) && flushed != static_cast<std::size_t>(-1),
               QString::fromLatin1(encoding) + u" decoding failed: " + QString::number(error));
    decoded.truncate(decoded.size() - static_cast<qsizetype>(outLeft));

    QList<char32_t> got;
    for (qsizetype at = 0; at + 3 < decoded.size(); at += 4) {
        char32_t c = 0;
        for (int byte = 3; byte >= 0; --byte)
            c = (c << 8) | static_cast<unsigned char>(decoded[at + byte]);
        got.append(c);
    }
    // A byte-order mark that the encoding writes (and its decoder keeps) is no character of the
    // text: it is the one code point too many at the front.
    qsizetype codePoints = 0;
    for (qsizetype at = 0; at < text.size(); ++at, ++codePoints) {
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            ++at;
    }
    if (got.size() == codePoints + 1 && got.front() == 0xFEFF)
        got.removeFirst();

    qsizetype index = 0;
    for (qsizetype at = 0; at < text.size(); ++at, ++index) {
        char32_t expected = text[at].unicode();
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            expected = QChar::surrogateToUcs4(text[at], text[at + 1]);
            ++at;
        }
        FUZZ_CHECK(index < got.size(), QString::fromLatin1(encoding) + u": text cut short at " +
                                           QString::number(index) + u" in " +
                                           text.first(qMin(text.size(), 200)));
        // A code page may give one byte sequence to two code points (CP932's wave dash): what
        // decodes must then be written with the same bytes.
        FUZZ_CHECK(got[index] == expected || got[index] == U'?' ||
                       (encodedAlone(got[index], encoding) == encodedAlone(expected, encoding) &&
                        !encodedAlone(expected, encoding).isEmpty()),
                   QString::fromLatin1(encoding) + u": code point " + QString::number(index) + u" is U+" +
                       QString::number(got[index], 16) + u" for U+" + QString::number(expected, 16));
    }
    FUZZ_CHECK(index == got.size(), QString::fromLatin1(encoding) + u": more decoded than written");
}

} // namespace huespan::fuzz
