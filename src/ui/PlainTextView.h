#pragma once

#include "TextLayoutIndex.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <vector>

namespace huespan {

// A read-only plain-text view for texts whose lines run to a million characters. It measures each
// distinct character once and keeps the position of every character within its line (a
// TextLayoutIndex), so that a repaint draws only the lines in view and only the part of each line
// that is in view; Qt's text edits shape a whole line again at every repaint. No word wrap: lines
// break only where the text holds a carriage return followed by a line feed. The text is shown in
// a monospaced face with Japanese glyphs, so that markup reads as the ASCII it is. The text can be
// selected with the mouse and the keyboard and copied.
class PlainTextView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PlainTextView(QWidget* parent = nullptr);

    // Replaces the text; the selection is dropped and the view returns to the top left.
    void setPlainText(const QString& text);
    const QString& toPlainText() const { return m_layout.text(); }

    qsizetype lineCount() const { return m_layout.lineCount(); }

    // Draws every control character but the tab and the line breaks as its Control Picture (a C0
    // control as U+2400 plus its code, ESC as ␛, DEL as ␡), so that a terminal's escapes read
    // as text; the text itself, and whatever is copied from it, keeps the real characters.
    void setControlPictures(bool shown);
    // The characters from one offset to another as the view draws them.
    QString shownText(qsizetype from, qsizetype to) const;

    // Positions are offsets into the text in UTF-16 code units, from 0.
    qsizetype cursorPosition() const { return m_position; }
    qsizetype selectionStart() const { return std::min(m_anchor, m_position); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_position); }
    bool hasSelection() const { return m_anchor != m_position; }
    QString selectedText() const;
    // Selects from anchor to position and scrolls the position into view.
    void setSelection(qsizetype anchor, qsizetype position);

    // Where the character at an offset begins: its left edge and the top of its line, in viewport
    // coordinates.
    QPoint pointOf(qsizetype offset) const;
    // The character boundary nearest to a point of the viewport.
    qsizetype offsetAt(QPoint point) const;

public slots:
    void selectAll();
    // Puts the selection on the clipboard; without a selection the clipboard is left alone.
    void copy();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    enum class Move
    {
        NextChar,
        PreviousChar,
        NextWord,
        PreviousWord,
        NextLine,
        PreviousLine,
        StartOfLine,
        EndOfLine,
        StartOfDocument,
        EndOfDocument,
        NextPage,
        PreviousPage,
    };

    void measureText(const QString& text);
    float advanceOf(char16_t unit);
    bool drawsNothing(char16_t unit) const;
    qsizetype positionAfter(Move move) const;
    void moveCursorTo(qsizetype position, bool keepAnchor);
    void selectWordAt(qsizetype offset);
    void extendSelectionTo(QPoint point);
    void offerSelectionToX11();

    int fullyVisibleLines() const;
    void updateScrollBars();
    void ensureVisible(qsizetype offset);
    void drawSlice(QPainter& painter, qsizetype from, qsizetype to, int baseline) const;
    int viewportX(double x) const;

    TextLayoutIndex m_layout;
    // Advance per UTF-16 code unit, measured on first use; negative while unmeasured.
    std::vector<float> m_advances;

    bool m_controlPictures = false;
    int m_lineHeight = 1;
    int m_ascent = 0;
    double m_tabStop = 8;

    qsizetype m_anchor = 0;
    qsizetype m_position = 0;
    bool m_selectingByMouse = false;
    QPoint m_lastMousePoint;
    QBasicTimer m_dragScrollTimer;
};

} // namespace huespan
