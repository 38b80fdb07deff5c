#pragma once

#include <QStringView>
#include <vector>

namespace huespan {

// A text seen as the characters a generation colours: a high surrogate followed by a low surrogate
// is one character (an emoji must not be split into two halves that no encoder can write); every
// other code unit, an unpaired surrogate included, is a character of its own.
class TextCharacters final
{
public:
    explicit TextCharacters(QStringView text);

    qsizetype count() const { return m_count; }

    // The character at a zero-based index: one or two code units.
    QStringView at(qsizetype index) const
    {
        if (m_offsets.empty())
            return QStringView(m_text.data() + index, 1);
        const qsizetype begin = m_offsets[index];
        return QStringView(m_text.data() + begin, m_offsets[index + 1] - begin);
    }

    // The first count characters.
    QStringView left(qsizetype count) const;

private:
    QStringView m_text;
    qsizetype m_count = 0;
    // Code-unit offset of every character and of the end; left empty while every character is a
    // single code unit, which is the common case and keeps at() a plain index.
    std::vector<qsizetype> m_offsets;
};

} // namespace huespan
