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

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// Room between the frame and the text, as Qt's own text edits leave it.
constexpr int kMargin = 4;
constexpr int kCaretWidth = 1;
constexpr int kDragScrollInterval = 50;
constexpr int kFontPixelSize = 12;

constexpr char16_t kDelete = 0x7f;
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kFirstControlPicture = 0x2400;

// The Control Picture of a C0 control but the tab, or of DEL; none (0) for any other character.
char16_t controlPicture(char16_t unit)
{
    if (unit == kDelete)
        return kDeletePicture;
    return unit < 0x20 && unit != u'\t' ? char16_t(kFirstControlPicture + unit) : char16_t(0);
}

} // namespace

PlainTextView::PlainTextView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_advances(0x10000, -1.0f)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({u"Noto Sans Mono CJK JP"_s, font.family()});
    font.setPixelSize(kFontPixelSize);
    font.setKerning(false);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    measureText(QString());
}

void PlainTextView::setPlainText(const QString& text)
{
    m_anchor = 0;
    m_position = 0;
    measureText(text);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PlainTextView::setControlPictures(bool shown)
{
    if (m_controlPictures == shown)
        return;
    m_controlPictures = shown;
    std::fill(m_advances.begin(), m_advances.end(), -1.0f);
    measureText(toPlainText());
    viewport()->update();
}

QString PlainTextView::shownText(qsizetype from, qsizetype to) const
{
    const QString& text = toPlainText();
    QString shown = text.mid(from, to - from);
    if (!m_controlPictures)
        return shown;
    for (qsizetype offset = from; offset < from + shown.size(); ++offset) {
        // A carriage return and line feed together end a line and stay as they are.
        const bool lineBreak =
            (text[offset] == u'\r' && offset + 1 < text.size() && text[offset + 1] == u'\n') ||
            (text[offset] == u'\n' && offset > 0 && text[offset - 1] == u'\r');
        if (const char16_t picture = controlPicture(text[offset].unicode()); picture != 0 && !lineBreak)
            shown[offset - from] = QChar(picture);
    }
    return shown;
}

// Control characters without a picture and the line and paragraph separators take their room but
// draw nothing.
bool PlainTextView::drawsNothing(char16_t unit) const
{
    if (m_controlPictures && controlPicture(unit) != 0)
        return false;
    return unit < 0x20 || unit == 0x2028 || unit == 0x2029;
}

float PlainTextView::advanceOf(char16_t unit)
{
    float& advance = m_advances[unit];
    if (advance < 0.0f) {
        const char16_t picture = m_controlPictures ? controlPicture(unit) : char16_t(0);
        const QChar character(picture != 0 ? picture : unit);
        const auto category = character.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            advance = 0.0f;
        else
            advance = static_cast<float>(QFontMetricsF(font()).horizontalAdvance(character));
    }
    return advance;
}

void PlainTextView::measureText(const QString& text)
{
    const QFontMetricsF metrics(font());
    m_lineHeight = std::max(1, static_cast<int>(std::ceil(metrics.lineSpacing())));
    m_ascent = static_cast<int>(std::ceil(metrics.ascent()));
    m_tabStop = 8.0 * std::max(1.0, metrics.horizontalAdvance(u' '));
    m_layout.layOut(
        text,
        [this, &metrics](QStringView character) {
            return character.size() == 1 ? double(advanceOf(character.front().unicode()))
                                         : metrics.horizontalAdvance(character.toString());
        },
        m_tabStop);
    updateScrollBars();
}

QString PlainTextView::selectedText() const
{
    return toPlainText().mid(selectionStart(), selectionEnd() - selectionStart());
}

void PlainTextView::setSelection(qsizetype anchor, qsizetype position)
{
    m_anchor = std::clamp<qsizetype>(anchor, 0, m_layout.size());
    m_position = std::clamp<qsizetype>(position, 0, m_layout.size());
    ensureVisible(m_position);
    viewport()->update();
}

void PlainTextView::selectAll()
{
    // The view stays where it is; only the caret's place moves to the end.
    m_anchor = 0;
    m_position = m_layout.size();
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
    offset = std::clamp<qsizetype>(offset, 0, m_layout.size());
    const qsizetype line = m_layout.lineOf(offset);
    const qsizetype firstLine = verticalScrollBar()->value();
    return QPoint(viewportX(m_layout.xOf(offset)),
                  kMargin + static_cast<int>(line - firstLine) * m_lineHeight);
}

qsizetype PlainTextView::offsetAt(QPoint point) const
{
    const qsizetype firstLine = verticalScrollBar()->value();
    const int row = static_cast<int>(std::floor(static_cast<double>(point.y() - kMargin) / m_lineHeight));
    const qsizetype line = std::clamp<qsizetype>(firstLine + row, 0, lineCount() - 1);
    const double x = static_cast<double>(point.x() - kMargin + horizontalScrollBar()->value());
    return m_layout.offsetInLineAt(line, x);
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
    const double contentWidth = std::ceil(m_layout.widestLine()) + 2 * kMargin + kCaretWidth;
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
    const qsizetype line = m_layout.lineOf(offset);
    QScrollBar* vertical = verticalScrollBar();
    const int visibleLines = fullyVisibleLines();
    if (line < vertical->value())
        vertical->setValue(static_cast<int>(line));
    else if (line >= vertical->value() + visibleLines)
        vertical->setValue(static_cast<int>(line) - visibleLines + 1);

    QScrollBar* horizontal = horizontalScrollBar();
    const int x = static_cast<int>(std::lround(m_layout.xOf(offset)));
    const int textWidth = std::max(1, viewport()->width() - 2 * kMargin - kCaretWidth);
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + textWidth)
        horizontal->setValue(x - textWidth);
}

void PlainTextView::moveCursorTo(qsizetype position, bool keepAnchor)
{
    m_position = std::clamp<qsizetype>(position, 0, m_layout.size());
    if (!keepAnchor)
        m_anchor = m_position;
    ensureVisible(m_position);
    viewport()->update();
}

qsizetype PlainTextView::positionAfter(Move move) const
{
    const qsizetype line = m_layout.lineOf(m_position);
    const auto sameColumnIn = [this](qsizetype targetLine) {
        targetLine = std::clamp<qsizetype>(targetLine, 0, lineCount() - 1);
        return m_layout.offsetInLineAt(targetLine, m_layout.xOf(m_position));
    };
    switch (move) {
    case Move::NextChar:
        return m_layout.nextPosition(m_position);
    case Move::PreviousChar:
        return m_layout.previousPosition(m_position);
    case Move::NextWord:
        return m_layout.nextWordPosition(m_position);
    case Move::PreviousWord:
        return m_layout.previousWordPosition(m_position);
    case Move::NextLine:
        return line + 1 < lineCount() ? sameColumnIn(line + 1) : m_layout.lineEnd(line);
    case Move::PreviousLine:
        return line > 0 ? sameColumnIn(line - 1) : m_layout.lineStart(line);
    case Move::StartOfLine:
        return m_layout.lineStart(line);
    case Move::EndOfLine:
        return m_layout.lineEnd(line);
    case Move::StartOfDocument:
        return 0;
    case Move::EndOfDocument:
        return m_layout.size();
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
    std::tie(m_anchor, m_position) = m_layout.wordAt(offset);
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
        measureText(toPlainText());
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
    // Tabs and the control characters without a picture take their room but draw nothing; the runs
    // between them are drawn from their measured places, so drawing and hit-testing agree.
    qsizetype runStart = from;
    const auto flush = [&](qsizetype runEnd) {
        if (runEnd > runStart)
            painter.drawText(QPoint(viewportX(m_layout.xOf(runStart)), baseline),
                             shownText(runStart, runEnd));
    };
    for (qsizetype offset = from; offset < to; ++offset) {
        if (drawsNothing(toPlainText()[offset].unicode())) {
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
        const qsizetype start = m_layout.lineStart(line);
        const qsizetype end = m_layout.lineEnd(line);

        // The characters that reach into the area: from the last one beginning at or before its
        // left edge to the last one beginning before its right edge.
        qsizetype from = std::max(start, m_layout.firstOffsetAtOrAfter(line, left) - 1);
        if (from < end && m_layout.xOf(from + 1) <= left)
            ++from;
        if (m_layout.insidePair(from))
            --from;
        qsizetype to = std::min(end, m_layout.firstOffsetAtOrAfter(line, right));
        if (m_layout.insidePair(to))
            ++to;

        const int baseline = top + m_ascent;
        painter.setPen(textColour);
        drawSlice(painter, from, to, baseline);

        if (selectionFrom < selectionTo && selectionFrom <= end && selectionTo > start) {
            const double selectedLeft = m_layout.xOf(std::max(selectionFrom, start));
            double selectedRight = m_layout.xOf(std::min(selectionTo, end));
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
            const int caretX = viewportX(m_layout.xOf(m_position));
            painter.fillRect(QRect(caretX, top, kCaretWidth, m_lineHeight), textColour);
        }
    }
}

} // namespace huespan
