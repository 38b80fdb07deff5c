#include "ui/PlainTextView.h"

#include "ui/Clipboard.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace huespan {

namespace {

// Room between the frame and the text, as Qt's own text edits leave it.
constexpr int kMargin = 4;
constexpr int kCaretWidth = 1;
constexpr int kDragScrollInterval = 50;

bool isLineBreak(char16_t unit)
{
    return unit == u'\r' || unit == u'\n' || unit == 0x2028 || unit == 0x2029;
}

bool startsPair(const QString& text, qsizetype offset)
{
    return offset + 1 < text.size() && QChar::isHighSurrogate(text[offset].unicode()) &&
           QChar::isLowSurrogate(text[offset + 1].unicode());
}

bool insidePair(const QString& text, qsizetype offset)
{
    return offset > 0 && offset < text.size() && QChar::isLowSurrogate(text[offset].unicode()) &&
           QChar::isHighSurrogate(text[offset - 1].unicode());
}

} // namespace

PlainTextView::PlainTextView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_advances(0x10000, -1.0f)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setKerning(false);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    measureText();
}

void PlainTextView::setPlainText(const QString& text)
{
    m_text = text;
    m_anchor = 0;
    m_position = 0;
    measureText();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

float PlainTextView::advanceOf(char16_t unit)
{
    float& advance = m_advances[unit];
    if (advance < 0.0f) {
        const QChar character(unit);
        const auto category = character.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            advance = 0.0f;
        else
            advance = static_cast<float>(QFontMetricsF(font()).horizontalAdvance(character));
    }
    return advance;
}

void PlainTextView::measureText()
{
    const QFontMetricsF metrics(font());
    m_lineHeight = std::max(1, static_cast<int>(std::ceil(metrics.lineSpacing())));
    m_ascent = static_cast<int>(std::ceil(metrics.ascent()));
    m_tabStop = 8.0 * std::max(1.0, metrics.horizontalAdvance(u' '));

    const qsizetype size = m_text.size();
    const char16_t* units = reinterpret_cast<const char16_t*>(m_text.utf16());
    m_lineStarts.assign(1, 0);
    m_lineEnds.clear();
    m_x.assign(static_cast<size_t>(size) + 1, 0.0);
    m_widestLine = 0;

    double x = 0;
    qsizetype offset = 0;
    while (offset < size) {
        const char16_t unit = units[offset];
        m_x[static_cast<size_t>(offset)] = x;
        if (isLineBreak(unit)) {
            qsizetype next = offset + 1;
            if (unit == u'\r' && next < size && units[next] == u'\n')
                m_x[static_cast<size_t>(next++)] = x;
            m_lineEnds.push_back(offset);
            m_lineStarts.push_back(next);
            m_widestLine = std::max(m_widestLine, x);
            x = 0;
            offset = next;
            continue;
        }
        if (unit == u'\t') {
            x = (std::floor(x / m_tabStop) + 1.0) * m_tabStop;
        } else if (startsPair(m_text, offset)) {
            // The second half shares the first half's position, so that no boundary falls between
            // them.
            m_x[static_cast<size_t>(offset + 1)] = x;
            x += metrics.horizontalAdvance(m_text.mid(offset, 2));
            offset += 2;
            continue;
        } else {
            x += advanceOf(unit);
        }
        ++offset;
    }
    m_x[static_cast<size_t>(size)] = x;
    m_lineEnds.push_back(size);
    m_widestLine = std::max(m_widestLine, x);
    updateScrollBars();
}

qsizetype PlainTextView::lineOf(qsizetype offset) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<qsizetype>(after - m_lineStarts.begin()) - 1;
}

qsizetype PlainTextView::firstOffsetAtOrAfter(qsizetype line, double x) const
{
    const auto begin = m_x.begin() + lineStart(line);
    const auto end = m_x.begin() + lineEnd(line) + 1;
    return static_cast<qsizetype>(std::lower_bound(begin, end, x) - m_x.begin());
}

qsizetype PlainTextView::offsetInLineAt(qsizetype line, double x) const
{
    const qsizetype start = lineStart(line);
    const qsizetype end = lineEnd(line);
    qsizetype after = std::min(firstOffsetAtOrAfter(line, x), end);
    if (after == start)
        return start;
    qsizetype before = after - 1;
    if (insidePair(m_text, before))
        --before;
    return (x - xOf(before) <= xOf(after) - x) ? before : after;
}

qsizetype PlainTextView::nextPosition(qsizetype offset) const
{
    if (offset >= m_text.size())
        return m_text.size();
    const qsizetype line = lineOf(offset);
    if (offset >= lineEnd(line))
        return line + 1 < lineCount() ? lineStart(line + 1) : m_text.size();
    return startsPair(m_text, offset) ? offset + 2 : offset + 1;
}

qsizetype PlainTextView::previousPosition(qsizetype offset) const
{
    if (offset <= 0)
        return 0;
    const qsizetype line = lineOf(offset);
    if (offset == lineStart(line))
        return lineEnd(line - 1);
    return insidePair(m_text, offset - 1) ? offset - 2 : offset - 1;
}

int PlainTextView::characterClass(qsizetype offset) const
{
    if (offset < 0 || offset >= m_text.size())
        return 0;
    const QChar character = m_text[offset];
    if (character.isSpace() || isLineBreak(character.unicode()))
        return 0;
    if (character.isLetterOrNumber() || character == u'_' || character.isSurrogate())
        return 1;
    return 2;
}

qsizetype PlainTextView::nextWordPosition(qsizetype offset) const
{
    const qsizetype size = m_text.size();
    const int wordClass = characterClass(offset);
    if (wordClass != 0) {
        while (offset < size && characterClass(offset) == wordClass)
            ++offset;
    }
    while (offset < size && characterClass(offset) == 0)
        ++offset;
    return offset;
}

qsizetype PlainTextView::previousWordPosition(qsizetype offset) const
{
    while (offset > 0 && characterClass(offset - 1) == 0)
        --offset;
    const int wordClass = characterClass(offset - 1);
    while (offset > 0 && characterClass(offset - 1) == wordClass)
        --offset;
    return offset;
}

QString PlainTextView::selectedText() const
{
    return m_text.mid(selectionStart(), selectionEnd() - selectionStart());
}

void PlainTextView::setSelection(qsizetype anchor, qsizetype position)
{
    m_anchor = std::clamp<qsizetype>(anchor, 0, m_text.size());
    m_position = std::clamp<qsizetype>(position, 0, m_text.size());
    ensureVisible(m_position);
    viewport()->update();
}

void PlainTextView::selectAll()
{
    // The view stays where it is; only the caret's place moves to the end.
    m_anchor = 0;
    m_position = m_text.size();
    offerSelectionToX11();
    viewport()->update();
}

void PlainTextView::copy()
{
    if (hasSelection())
        Clipboard::replaceText(selectedText());
}

void PlainTextView::offerSelectionToX11()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard != nullptr && clipboard->supportsSelection() && hasSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

QPoint PlainTextView::pointOf(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const qsizetype line = lineOf(offset);
    const qsizetype firstLine = verticalScrollBar()->value();
    return QPoint(viewportX(xOf(offset)), kMargin + static_cast<int>(line - firstLine) * m_lineHeight);
}

qsizetype PlainTextView::offsetAt(QPoint point) const
{
    const qsizetype firstLine = verticalScrollBar()->value();
    const int row = static_cast<int>(std::floor(static_cast<double>(point.y() - kMargin) / m_lineHeight));
    const qsizetype line = std::clamp<qsizetype>(firstLine + row, 0, lineCount() - 1);
    const double x = static_cast<double>(point.x() - kMargin + horizontalScrollBar()->value());
    return offsetInLineAt(line, x);
}

int PlainTextView::viewportX(double x) const
{
    return kMargin + static_cast<int>(std::lround(x)) - horizontalScrollBar()->value();
}

int PlainTextView::fullyVisibleLines() const
{
    return std::max(1, (viewport()->height() - 2 * kMargin) / m_lineHeight);
}

void PlainTextView::updateScrollBars()
{
    const int viewportWidth = viewport()->width();
    const double contentWidth = std::ceil(m_widestLine) + 2 * kMargin + kCaretWidth;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, static_cast<int>(contentWidth) - viewportWidth));
    horizontal->setPageStep(std::max(1, viewportWidth));
    horizontal->setSingleStep(std::max(1, static_cast<int>(std::lround(m_tabStop / 2.0))));

    const int visibleLines = fullyVisibleLines();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, static_cast<int>(lineCount()) - visibleLines));
    vertical->setPageStep(visibleLines);
}

void PlainTextView::ensureVisible(qsizetype offset)
{
    const qsizetype line = lineOf(offset);
    QScrollBar* vertical = verticalScrollBar();
    const int visibleLines = fullyVisibleLines();
    if (line < vertical->value())
        vertical->setValue(static_cast<int>(line));
    else if (line >= vertical->value() + visibleLines)
        vertical->setValue(static_cast<int>(line) - visibleLines + 1);

    QScrollBar* horizontal = horizontalScrollBar();
    const int x = static_cast<int>(std::lround(xOf(offset)));
    const int textWidth = std::max(1, viewport()->width() - 2 * kMargin - kCaretWidth);
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + textWidth)
        horizontal->setValue(x - textWidth);
}

void PlainTextView::moveCursorTo(qsizetype position, bool keepAnchor)
{
    m_position = std::clamp<qsizetype>(position, 0, m_text.size());
    if (!keepAnchor)
        m_anchor = m_position;
    ensureVisible(m_position);
    viewport()->update();
}

qsizetype PlainTextView::positionAfter(Move move) const
{
    const qsizetype line = lineOf(m_position);
    const auto sameColumnIn = [this](qsizetype targetLine) {
        targetLine = std::clamp<qsizetype>(targetLine, 0, lineCount() - 1);
        return offsetInLineAt(targetLine, xOf(m_position));
    };
    switch (move) {
    case Move::NextChar:
        return nextPosition(m_position);
    case Move::PreviousChar:
        return previousPosition(m_position);
    case Move::NextWord:
        return nextWordPosition(m_position);
    case Move::PreviousWord:
        return previousWordPosition(m_position);
    case Move::NextLine:
        return line + 1 < lineCount() ? sameColumnIn(line + 1) : lineEnd(line);
    case Move::PreviousLine:
        return line > 0 ? sameColumnIn(line - 1) : lineStart(line);
    case Move::StartOfLine:
        return lineStart(line);
    case Move::EndOfLine:
        return lineEnd(line);
    case Move::StartOfDocument:
        return 0;
    case Move::EndOfDocument:
        return m_text.size();
    case Move::NextPage:
        return sameColumnIn(line + fullyVisibleLines());
    case Move::PreviousPage:
        return sameColumnIn(line - fullyVisibleLines());
    }
    return m_position;
}

bool PlainTextView::event(QEvent* event)
{
    // The view's own shortcuts win over any window shortcut on the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->matches(QKeySequence::Copy) || keyEvent->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void PlainTextView::keyPressEvent(QKeyEvent* event)
{
    struct Binding
    {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static constexpr Binding kBindings[] = {
        {QKeySequence::MoveToNextChar, Move::NextChar, false},
        {QKeySequence::SelectNextChar, Move::NextChar, true},
        {QKeySequence::MoveToPreviousChar, Move::PreviousChar, false},
        {QKeySequence::SelectPreviousChar, Move::PreviousChar, true},
        {QKeySequence::MoveToNextWord, Move::NextWord, false},
        {QKeySequence::SelectNextWord, Move::NextWord, true},
        {QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
        {QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
        {QKeySequence::MoveToNextLine, Move::NextLine, false},
        {QKeySequence::SelectNextLine, Move::NextLine, true},
        {QKeySequence::MoveToPreviousLine, Move::PreviousLine, false},
        {QKeySequence::SelectPreviousLine, Move::PreviousLine, true},
        {QKeySequence::MoveToStartOfLine, Move::StartOfLine, false},
        {QKeySequence::SelectStartOfLine, Move::StartOfLine, true},
        {QKeySequence::MoveToEndOfLine, Move::EndOfLine, false},
        {QKeySequence::SelectEndOfLine, Move::EndOfLine, true},
        {QKeySequence::MoveToStartOfDocument, Move::StartOfDocument, false},
        {QKeySequence::SelectStartOfDocument, Move::StartOfDocument, true},
        {QKeySequence::MoveToEndOfDocument, Move::EndOfDocument, false},
        {QKeySequence::SelectEndOfDocument, Move::EndOfDocument, true},
        {QKeySequence::MoveToNextPage, Move::NextPage, false},
        {QKeySequence::SelectNextPage, Move::NextPage, true},
        {QKeySequence::MoveToPreviousPage, Move::PreviousPage, false},
        {QKeySequence::SelectPreviousPage, Move::PreviousPage, true},
    };

    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    for (const Binding& binding : kBindings) {
        if (event->matches(binding.key)) {
            moveCursorTo(positionAfter(binding.move), binding.select);
            if (binding.select)
                offerSelectionToX11();
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void PlainTextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    moveCursorTo(offsetAt(event->position().toPoint()), extend);
    m_selectingByMouse = true;
    m_lastMousePoint = event->position().toPoint();
}

void PlainTextView::extendSelectionTo(QPoint point)
{
    m_lastMousePoint = point;
    moveCursorTo(offsetAt(point), true);
    // Outside the view the text keeps scrolling towards the pointer, even while it rests.
    if (viewport()->rect().contains(point))
        m_dragScrollTimer.stop();
    else if (!m_dragScrollTimer.isActive())
        m_dragScrollTimer.start(kDragScrollInterval, this);
}

void PlainTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_selectingByMouse && event->buttons().testFlag(Qt::LeftButton))
        extendSelectionTo(event->position().toPoint());
}

void PlainTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_selectingByMouse) {
        m_selectingByMouse = false;
        m_dragScrollTimer.stop();
        offerSelectionToX11();
    }
}

void PlainTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        selectWordAt(offsetAt(event->position().toPoint()));
}

void PlainTextView::selectWordAt(qsizetype offset)
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
    m_anchor = start;
    m_position = end;
    offerSelectionToX11();
    viewport()->update();
}

void PlainTextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_dragScrollTimer.timerId()) {
        if (m_selectingByMouse)
            extendSelectionTo(m_lastMousePoint);
        else
            m_dragScrollTimer.stop();
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}

void PlainTextView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral(u"コピー(&C)"), this, &PlainTextView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    QAction* selectAllAction =
        menu.addAction(QStringLiteral(u"すべて選択(&A)"), this, &PlainTextView::selectAll);
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void PlainTextView::focusInEvent(QFocusEvent* event)
{
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void PlainTextView::focusOutEvent(QFocusEvent* event)
{
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

void PlainTextView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        std::fill(m_advances.begin(), m_advances.end(), -1.0f);
        measureText();
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

void PlainTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PlainTextView::drawSlice(QPainter& painter, qsizetype from, qsizetype to, int baseline) const
{
    // Tabs and other control characters take their room but draw nothing; the runs between them
    // are drawn from their measured places, so drawing and hit-testing agree.
    qsizetype runStart = from;
    const auto flush = [&](qsizetype runEnd) {
        if (runEnd > runStart)
            painter.drawText(QPoint(viewportX(xOf(runStart)), baseline),
                             m_text.mid(runStart, runEnd - runStart));
    };
    for (qsizetype offset = from; offset < to; ++offset) {
        if (m_text[offset].unicode() < 0x20) {
            flush(offset);
            runStart = offset + 1;
        }
    }
    flush(to);
}

void PlainTextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor textColour = palette().color(group, QPalette::Text);
    const QColor highlight = palette().color(group, QPalette::Highlight);
    const QColor highlightedText = palette().color(group, QPalette::HighlightedText);

    const QRect area = event->rect();
    const double left = area.left() - kMargin + horizontalScrollBar()->value();
    const double right = area.right() + 1 - kMargin + horizontalScrollBar()->value();
    const qsizetype firstLine = verticalScrollBar()->value();
    const qsizetype selectionFrom = selectionStart();
    const qsizetype selectionTo = selectionEnd();
    const double lineBreakWidth = std::max(2.0, m_tabStop / 8.0);

    for (qsizetype line = firstLine; line < lineCount(); ++line) {
        const int top = kMargin + static_cast<int>(line - firstLine) * m_lineHeight;
        if (top > area.bottom())
            break;
        if (top + m_lineHeight <= area.top())
            continue;
        const qsizetype start = lineStart(line);
        const qsizetype end = lineEnd(line);

        // The characters that reach into the area: from the last one beginning at or before its
        // left edge to the last one beginning before its right edge.
        qsizetype from = std::max(start, firstOffsetAtOrAfter(line, left) - 1);
        if (from < end && xOf(from + 1) <= left)
            ++from;
        if (insidePair(m_text, from))
            --from;
        qsizetype to = std::min(end, firstOffsetAtOrAfter(line, right));
        if (insidePair(m_text, to))
            ++to;

        const int baseline = top + m_ascent;
        painter.setPen(textColour);
        drawSlice(painter, from, to, baseline);

        if (selectionFrom < selectionTo && selectionFrom <= end && selectionTo > start) {
            const double selectedLeft = xOf(std::max(selectionFrom, start));
            double selectedRight = xOf(std::min(selectionTo, end));
            if (selectionTo > end)
                selectedRight += lineBreakWidth;
            const QRect selected(QPoint(viewportX(selectedLeft), top),
                                 QPoint(viewportX(selectedRight) - 1, top + m_lineHeight - 1));
            painter.fillRect(selected, highlight);
            painter.save();
            painter.setClipRect(selected);
            painter.setPen(highlightedText);
            drawSlice(painter, from, to, baseline);
            painter.restore();
        }

        if (hasFocus() && m_position >= start && m_position <= end) {
            const int caretX = viewportX(xOf(m_position));
            painter.fillRect(QRect(caretX, top, kCaretWidth, m_lineHeight), textColour);
        }
    }
}

} // namespace huespan
