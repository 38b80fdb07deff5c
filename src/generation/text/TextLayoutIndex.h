#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <utility>
#include <vector>

namespace huespan {

// Where the characters of a plain text stand when it is shown without word wrap: its lines, and
// the distance of every character from the start of its line. A line ends only where the text
// holds a carriage return followed by a line feed; a lone carriage return, a lone line feed and
// the Unicode line and paragraph separators are characters of their line like any other. The
// index knows no font: the caller measures each character once, and lines of a million
// characters are looked up by binary search.
//
// Offsets count UTF-16 code units from 0. A surrogate pair is one character: no boundary falls
// between its halves.
class TextLayoutIndex final
{
public:
    // The width of one character: one code unit, or the two of a surrogate pair. A tab is not
    // measured; it advances to the next multiple of the tab stop.
    using Measure = std::function<double(QStringView character)>;

    void layOut(const QString& text, const Measure& measure, double tabStop);

    const QString& text() const { return m_text; }
    qsizetype size() const { return m_text.size(); }
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lineStarts.size()); }
    qsizetype lineOf(qsizetype offset) const;
    qsizetype lineStart(qsizetype line) const { return m_lineStarts[static_cast<size_t>(line)]; }
    // Where the line's characters end: where its line break begins, or at the end of the text.
    qsizetype lineEnd(qsizetype line) const { return m_lineEnds[static_cast<size_t>(line)]; }
    // The distance of an offset from the start of its line; a line break and the offset after
    // the last character carry the line's width.
    double xOf(qsizetype offset) const { return m_x[static_cast<size_t>(offset)]; }
    double widestLine() const { return m_widestLine; }

    // The first offset of a line, or its end, that stands at or right of x.
    qsizetype firstOffsetAtOrAfter(qsizetype line, double x) const;
    // The character boundary of a line nearest to x.
    qsizetype offsetInLineAt(qsizetype line, double x) const;

    // The caret's next and previous places: one character on, a line break taken as one step.
    qsizetype nextPosition(qsizetype offset) const;
    qsizetype previousPosition(qsizetype offset) const;
    // Word moves as text boxes make them: over the rest of a word and the blanks after it, and
    // back over blanks and the word before them.
    qsizetype nextWordPosition(qsizetype offset) const;
    qsizetype previousWordPosition(qsizetype offset) const;
    // The run of like characters (letters and digits, other signs, or blanks) around an offset,
    // within its line, as start and end.
    std::pair<qsizetype, qsizetype> wordAt(qsizetype offset) const;

    // True when the offset falls between the halves of a surrogate pair.
    bool insidePair(qsizetype offset) const;

private:
    bool startsPair(qsizetype offset) const;
    int characterClass(qsizetype offset) const;

    QString m_text;
    std::vector<qsizetype> m_lineStarts{0};
    std::vector<qsizetype> m_lineEnds{0};
    std::vector<double> m_x{0.0};
    double m_widestLine = 0;
};

} // namespace huespan
