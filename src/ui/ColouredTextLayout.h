#pragma once

#include "GradientSettings.h"

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QGradientStops>
#include <QString>
#include <QTextLayout>
#include <optional>
#include <vector>

class QPainter;

namespace huespan {

// A run's text laid out the way a browser lays out a page of one element per unit: each line is
// shaped as one run, so a grapheme cluster, a ligature or a conjunct stays whole even where its
// code points wear different colours, and every glyph takes the colour of the unit that holds the
// first code point of its cluster. Lines break where a page breaks them (at line break
// opportunities, or between grapheme clusters in a word wider than the line) and at the line
// breaks a run keeps; other line breaks show as spaces. The clusters are measured once per text
// and wrapped once per width; a line is shaped and coloured the first time it is drawn.
class ColouredTextLayout final
{
    Q_DISABLE_COPY_MOVE(ColouredTextLayout)

public:
    // The glyphs of a line that one colour paints; an invalid colour is the plain text colour.
    struct ColouredRun
    {
        QGlyphRun glyphs;
        QColor colour;
        // Drawn with a dotted line under it (units that fall short of a contrast).
        bool marked = false;
    };

    ColouredTextLayout();
    ~ColouredTextLayout();

    // offsets: the code-unit offset of every unit and of the end; colours: each unit's colour,
    // invalid for a unit that takes none; lineBreaks: the units that are kept line breaks.
    void setText(const QString& text, const std::vector<qsizetype>& offsets,
                 const std::vector<QColor>& colours, const std::vector<bool>& lineBreaks);
    // New colours for the same units, and which of them to mark; the lines stay as they are.
    void setColours(const std::vector<QColor>& colours, const std::vector<bool>& marked);
    void setFont(const QFont& font);
    // With stops, the text is filled with one gradient running across all of it, as CSS's
    // background-clip:text fills an element; without, each glyph wears its unit's colour.
    void setGradient(const QGradientStops& stops);

    // Lines no wider than width; with a width of 0 or less, lines end only at kept line breaks.
    void layOut(qreal width);
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lines.size()); }
    qreal lineHeight(qsizetype line) const;
    // The width of the line's text, white space at its end included, and where the line starts
    // in the text.
    qreal lineWidth(qsizetype line) const;
    qsizetype lineStart(qsizetype line) const { return m_lines[static_cast<size_t>(line)].start; }
    const std::vector<ColouredRun>& runs(qsizetype line) const;

    // Draws the lines from firstLine down, the first at top, as far as bottom; plain is the colour
    // of the units that take none.
    void draw(QPainter& painter, qreal left, qreal top, qsizetype firstLine, qreal bottom,
              const QColor& plain) const;

    // The font a page gives the text: the base font in the run's styles, at the run's font size
    // or heading level scaled the way browsers' default styles scale them.
    static QFont pageFont(QFont base, const GradientSettings& settings);
    // The stops of the CSS format's gradient, or none for the other formats.
    static QGradientStops gradientStops(const GradientSettings& settings);

private:
    struct Line
    {
        qsizetype start;
        qsizetype end;
        // Where the text before the line would end if the lines stood end to end.
        qreal before;
        qreal width;
    };

    void measure();
    void drawLine(QPainter& painter, qsizetype line, qreal left, qreal top, const QColor& plain) const;

    QString m_text;
    std::vector<qsizetype> m_offsets;
    std::vector<QColor> m_colours;
    std::vector<bool> m_marked;
    std::vector<bool> m_lineBreaks;
    QFont m_font;
    QGradientStops m_gradient;
    // The grapheme clusters: where each starts (and the end), its advance, whether a line may
    // break before it, and whether it is a kept line break.
    std::vector<qsizetype> m_clusterStarts;
    std::vector<qreal> m_advances;
    std::vector<bool> m_breakBefore;
    std::vector<bool> m_keptBreak;
    bool m_measured = false;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    std::vector<Line> m_lines;
    qreal m_totalWidth = 0;
    mutable std::vector<std::optional<std::vector<ColouredRun>>> m_runs;
};

} // namespace huespan
