#include "TextLayoutIndex.h"

#include <algorithm>
#include <cmath>

namespace huespan {

bool TextLayoutIndex::startsPair(qsizetype offset) const
{
    return offset + 1 < m_text.size() && QChar::isHighSurrogate(m_text[offset].unicode()) &&
           QChar::isLowSurrogate(m_text[offset + 1].unicode());
}

bool TextLayoutIndex::insidePair(qsizetype offset) const
{
    return offset > 0 && offset < m_text.size() && QChar::isLowSurrogate(m_text[offset].unicode()) &&
           QChar::isHighSurrogate(m_text[offset - 1].unicode());
}

void TextLayoutIndex::layOut(const QString& text, const Measure& measure, double tabStop)
{
    m_text = text;
    const qsizetype size = m_text.size();
    const QStringView units(m_text);
    m_lineStarts.assign(1, 0);
    m_lineEnds.clear();
    m_x.assign(static_cast<size_t>(size) + 1, 0.0);
    m_widestLine = 0;

    double x = 0;
    qsizetype offset = 0;
    while (offset < size) {
        const char16_t unit = units[offset].unicode();
        m_x[static_cast<size_t>(offset)] = x;
        if (unit == u'\r' && offset + 1 < size && units[offset + 1] == u'\n') {
            m_x[static_cast<size_t>(offset + 1)] = x;
            m_lineEnds.push_back(offset);
            m_lineStarts.push_back(offset + 2);
            m_widestLine = std::max(m_widestLine, x);
            x = 0;
            offset += 2;
            continue;
        }
        if (unit == u'\t') {
            x = (std::floor(x / tabStop) + 1.0) * tabStop;
        } else if (startsPair(offset)) {
            // The second half shares the first half's place, so that no boundary falls between them.
            m_x[static_cast<size_t>(offset + 1)] = x;
            x += measure(units.mid(offset, 2));
            offset += 2;
            continue;
        } else {
            x += measure(units.mid(offset, 1));
        }
        ++offset;
    }
    m_x[static_cast<size_t>(size)] = x;
    m_lineEnds.push_back(size);
    m_widestLine = std::max(m_widestLine, x);
}

qsizetype TextLayoutIndex::lineOf(qsizetype offset) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<qsizetype>(after - m_lineStarts.begin()) - 1;
}

qsizetype TextLayoutIndex::firstOffsetAtOrAfter(qsizetype line, double x) const
{
    const auto begin = m_x.begin() + lineStart(line);
    const auto end = m_x.begin() + lineEnd(line) + 1;
    return static_cast<qsizetype>(std::lower_bound(begin, end, x) - m_x.begin());
}

qsizetype TextLayoutIndex::offsetInLineAt(qsizetype line, double x) const
{
    const qsizetype start = lineStart(line);
    const qsizetype end = lineEnd(line);
    const qsizetype after = std::min(firstOffsetAtOrAfter(line, x), end);
    if (after == start)
        return start;
    qsizetype before = after - 1;
    if (insidePair(before))
        --before;
    return (x - xOf(before) <= xOf(after) - x) ? before : after;
}

qsizetype TextLayoutIndex::nextPosition(qsizetype offset) const
{
    if (offset >= size())
        return size();
    const qsizetype line = lineOf(offset);
    if (offset >= lineEnd(line))
        return line + 1 < lineCount() ? lineStart(line + 1) : size();
    return startsPair(offset) ? offset + 2 : offset + 1;
}

qsizetype TextLayoutIndex::previousPosition(qsizetype offset) const
{
    if (offset <= 0)
        return 0;
    const qsizetype line = lineOf(offset);
    if (offset == lineStart(line))
        return lineEnd(line - 1);
    return insidePair(offset - 1) ? offset - 2 : offset - 1;
}

// 0 for blanks and line breaks, 1 for letters and digits, 2 for every other sign.
int TextLayoutIndex::characterClass(qsizetype offset) const
{
    if (offset < 0 || offset >= size())
        return 0;
    const QChar character = m_text[offset];
    if (character.isSpace())
        return 0;
    if (character.isLetterOrNumber() || character == u'_' || character.isSurrogate())
        return 1;
    return 2;
}

qsizetype TextLayoutIndex::nextWordPosition(qsizetype offset) const
{
    const int wordClass = characterClass(offset);
    if (wordClass != 0) {
        while (offset < size() && characterClass(offset) == wordClass)
            ++offset;
    }
    while (offset < size() && characterClass(offset) == 0)
        ++offset;
    return offset;
}

qsizetype TextLayoutIndex::previousWordPosition(qsizetype offset) const
{
    while (offset > 0 && characterClass(offset - 1) == 0)
        --offset;
    const int wordClass = characterClass(offset - 1);
    while (offset > 0 && characterClass(offset - 1) == wordClass)
        --offset;
    return offset;
}

std::pair<qsizetype, qsizetype> TextLayoutIndex::wordAt(qsizetype offset) const
{
    const qsizetype line = lineOf(offset);
    if (offset == lineEnd(line) && offset > lineStart(line))
        --offset;
    const int wordClass = characterClass(offset);
    qsizetype start = offset;
    qsizetype end = offset;
    while (start > lineStart(line) && characterClass(start - 1) == wordClass)
        --start;
    while (end < lineEnd(line) && characterClass(end) == wordClass)
        ++end;
    return {start, end};
}

} // namespace huespan
