#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>

namespace huespan::fuzz {

// Reports a broken rule with what was being checked and ends the run as a crash, so that the
// fuzzer keeps the input.
[[noreturn]] void fail(const char* rule, const QString& detail = {});

#define FUZZ_CHECK(condition, detail)                                                                        \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::huespan::fuzz::fail(#condition, detail);                                                       \
    } while (false)

// Makes the core application object once, as the programs do before any work.
void startApplication();

// Hands out the input piece by piece; past its end every piece is zero or empty.
class InputBytes final
{
public:
    InputBytes(const std::uint8_t* data, std::size_t size);

    std::uint8_t byte();
    // A choice among count, from one byte.
    int choice(int count);
    bool flag();
    // The rest of the input as UTF-16 code units, two bytes each (lone surrogates included), at
    // most maxUnits of them.
    QString restAsUtf16(qsizetype maxUnits);
    QByteArray rest();

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// Some encodings iconv knows, one-byte, multi-byte, stateful and wide.
QByteArray encodingChoice(InputBytes& input);

// The bytes must decode in the encoding without an error and give the text back, each code point
// either itself or the "?" that stands for one the encoding lacks (a lone surrogate is one code
// point).
void checkDecodesBack(QStringView text, const QByteArray& encoding, const QByteArray& bytes);

} // namespace huespan::fuzz
