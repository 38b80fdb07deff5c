#include "TextUnits.h"

#include <QTextBoundaryFinder>

namespace huespan {

namespace {

bool isLineBreak(QStringView unit)
{
    return unit == u"\n" || unit == u"\r" || unit == u"\r\n";
}

// Every code point is Unicode White_Space, which is what QChar::isSpace() tests.
bool isWhitespace(QStringView unit)
{
    for (qsizetype i = 0; i < unit.size(); ++i) {
        char32_t codePoint = unit[i].unicode();
        if (unit[i].isHighSurrogate() && i + 1 < unit.size() && unit[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(unit[i], unit[i + 1]);
            ++i;
        }
        if (!QChar::isSpace(codePoint))
            return false;
    }
    return true;
}

// A regional indicator symbol (the halves of a flag) starts at index.
bool isRegionalIndicatorAt(QStringView text, qsizetype index)
{
    return index + 1 < text.size() && text[index].unicode() == 0xD83C &&
           text[index + 1].unicode() >= 0xDDE6 && text[index + 1].unicode() <= 0xDDFF;
}

} // namespace

TextUnits::TextUnits(QStringView text, TextUnit unit, bool skipWhitespace, bool keepLineBreaks)
    : m_text(text)
{
    m_offsets.reserve(static_cast<size_t>(text.size()) + 1);
    if (unit == TextUnit::Grapheme)
        cutIntoGraphemes();
    else
        cutIntoCodePoints(keepLineBreaks);
    classify(skipWhitespace, keepLineBreaks);
}

void TextUnits::cutIntoCodePoints(bool keepLineBreaks)
{
    const qsizetype size = m_text.size();
    for (qsizetype i = 0; i < size;) {
        m_offsets.push_back(i);
        const QChar unit = m_text[i];
        const bool pair = unit.isHighSurrogate() && i + 1 < size && m_text[i + 1].isLowSurrogate();
        // CR LF is one line break, as it is one grapheme.
        const bool crLf = keepLineBreaks && unit == u'\r' && i + 1 < size && m_text[i + 1] == u'\n';
        i += pair || crLf ? 2 : 1;
    }
    m_offsets.push_back(size);
}

void TextUnits::cutIntoGraphemes()
{
    const qsizetype size = m_text.size();
    std::vector<bool> boundary(static_cast<size_t>(size) + 1, false);
    boundary[0] = true;
    boundary[static_cast<size_t>(size)] = true;
    if (size > 0) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text.data(), size);
        for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary())
            boundary[static_cast<size_t>(next)] = true;
    }
    pairRegionalIndicators(boundary);
    for (qsizetype offset = 0; offset <= size; ++offset) {
        if (boundary[static_cast<size_t>(offset)])
            m_offsets.push_back(offset);
    }
}

void TextUnits::pairRegionalIndicators(std::vector<bool>& boundary) const
{
    // Qt 6.4 loses count of a run of regional indicators that follows an emoji and cuts a flag in
    // two. Inside such a run the indicators pair up from its start (Unicode's rules GB12 and GB13),
    // whatever comes before the run.
    const qsizetype size = m_text.size();
    for (qsizetype start = 0; start < size;) {
        if (!isRegionalIndicatorAt(m_text, start)) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (isRegionalIndicatorAt(m_text, end))
            end += 2;
        for (qsizetype offset = start + 2; offset < end; offset += 2)
            boundary[static_cast<size_t>(offset)] = (offset - start) % 4 == 0;
        start = end;
    }
}

void TextUnits::classify(bool skipWhitespace, bool keepLineBreaks)
{
    const size_t count = m_offsets.size() - 1;
    m_kinds.resize(count, Kind::Coloured);
    if (!skipWhitespace && !keepLineBreaks) {
        m_colouredCount = static_cast<int>(count);
        return;
    }
    for (size_t index = 0; index < count; ++index) {
        const QStringView unit = at(static_cast<qsizetype>(index));
        if (keepLineBreaks && isLineBreak(unit))
            m_kinds[index] = Kind::LineBreak;
        else if (skipWhitespace && isWhitespace(unit))
            m_kinds[index] = Kind::Whitespace;
        else
            ++m_colouredCount;
    }
}

} // namespace huespan
