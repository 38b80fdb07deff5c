#include "TextUnits.h"

#include <utf8proc.h>

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
    // utf8proc applies Unicode's extended grapheme cluster rules one code point at a time, its
    // state carrying what the rules for emoji sequences and regional indicators look back on. A
    // boundary is only ever asked for before a whole code point, so a surrogate pair is never cut:
    // a cluster is at least one code point wide. A surrogate half without its partner is a code
    // point of its own, to the rules (since Unicode 12) an ordinary one that a mark after it joins.
    const qsizetype size = m_text.size();
    const char16_t* const text = m_text.utf16();
    utf8proc_int32_t state = 0;
    utf8proc_int32_t previous = -1;
    for (qsizetype i = 0; i < size;) {
        utf8proc_int32_t codePoint = text[i];
        qsizetype width = 1;
        if (QChar::isHighSurrogate(text[i]) && i + 1 < size && QChar::isLowSurrogate(text[i + 1])) {
            codePoint = static_cast<utf8proc_int32_t>(QChar::surrogateToUcs4(text[i], text[i + 1]));
            width = 2;
        }
        if (previous < 0 || utf8proc_grapheme_break_stateful(previous, codePoint, &state))
            m_offsets.push_back(i);
        previous = codePoint;
        i += width;
    }
    m_offsets.push_back(size);
}

QString TextUnits::unicodeVersion()
{
    // utf8proc names its version as major.minor.update; the update never changes the rules.
    const QString version = QString::fromLatin1(utf8proc_unicode_version());
    return version.section(u'.', 0, 1);
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
