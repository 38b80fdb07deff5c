#include "TextCharacters.h"

namespace huespan {

namespace {

bool startsPair(QStringView text, qsizetype index)
{
    return text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
}

} // namespace

TextCharacters::TextCharacters(QStringView text)
    : m_text(text)
    , m_count(text.size())
{
    qsizetype firstPair = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (startsPair(text, i)) {
            firstPair = i;
            break;
        }
    }
    if (firstPair < 0)
        return;

    m_offsets.reserve(static_cast<size_t>(text.size()) + 1);
    for (qsizetype i = 0; i < text.size();) {
        m_offsets.push_back(i);
        i += startsPair(text, i) ? 2 : 1;
    }
    m_count = static_cast<qsizetype>(m_offsets.size());
    m_offsets.push_back(text.size());
}

QStringView TextCharacters::left(qsizetype count) const
{
    if (m_offsets.empty())
        return m_text.left(count);
    return m_text.left(m_offsets[count]);
}

} // namespace huespan
