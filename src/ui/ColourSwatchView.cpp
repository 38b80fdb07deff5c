#include "ui/ColourSwatchView.h"

#include "TextUnits.h"
#include "UnitColours.h"
#include "ui/ScreenColour.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace huespan {

namespace {

constexpr int kMargin = 4;

} // namespace

ColourSwatchView::ColourSwatchView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourSwatchView::setRun(const QString& text, const GradientSettings& settings)
{
    m_text = text;
    const ExtendedSettings& extended = settings.extended;
    const TextUnits units(m_text, extended.unit, extended.skipWhitespace, extended.keepLineBreaks);
    const int minimum = settings.form == GradientForm::LeftToRight ? 2 : 3;
    std::vector<ColourTriple> schedule;
    if (units.colouredCount() >= minimum)
        schedule = UnitColours::schedule(settings, units.colouredCount());

    m_offsets.clear();
    m_colours.clear();
    m_lineBreaks.clear();
    size_t next = 0;
    for (qsizetype index = 0; index < units.count(); ++index) {
        m_offsets.push_back(units.at(index).data() - m_text.constData());
        const TextUnits::Kind kind = units.kind(index);
        if (kind == TextUnits::Kind::Coloured && next < schedule.size()) {
            m_colours.push_back(screenColour(schedule[next++]));
        } else {
            m_colours.emplace_back();
        }
        m_lineBreaks.push_back(kind == TextUnits::Kind::LineBreak);
    }
    m_offsets.push_back(m_text.size());

    QFont styled = font();
    styled.setBold(settings.bold);
    styled.setItalic(settings.italic);
    styled.setUnderline(settings.underline);
    styled.setStrikeOut(settings.strike);
    viewport()->setFont(styled);
    measure();
}

void ColourSwatchView::setBackground(const QColor& background)
{
    m_background = background;
    viewport()->update();
}

QList<QColor> ColourSwatchView::unitColours() const
{
    QList<QColor> result;
    for (const QColor& colour : m_colours) {
        if (colour.isValid())
            result.append(colour);
    }
    return result;
}

int ColourSwatchView::lineHeight() const
{
    return QFontMetrics(viewport()->font()).lineSpacing();
}

void ColourSwatchView::measure()
{
    const QFontMetrics metrics(viewport()->font());
    m_advances.resize(m_colours.size());
    for (size_t index = 0; index < m_colours.size(); ++index) {
        const QStringView unit =
            QStringView(m_text).sliced(m_offsets[index], m_offsets[index + 1] - m_offsets[index]);
        m_advances[index] = m_lineBreaks[index] ? 0 : metrics.horizontalAdvance(unit.toString());
    }
    m_wrappedWidth = -1;
    wrap();
}

// Greedy wrapping by whole units: a unit that does not fit starts the next line, a line break ends
// its line, and a unit wider than the view stands on a line of its own.
void ColourSwatchView::wrap()
{
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    if (width == m_wrappedWidth)
        return;
    m_wrappedWidth = width;
    m_lineStarts.assign(1, 0);
    int x = 0;
    for (size_t index = 0; index < m_advances.size(); ++index) {
        if (x > 0 && x + m_advances[index] > width) {
            m_lineStarts.push_back(static_cast<qsizetype>(index));
            x = 0;
        }
        x += m_advances[index];
        if (m_lineBreaks[index] && index + 1 < m_advances.size()) {
            m_lineStarts.push_back(static_cast<qsizetype>(index) + 1);
            x = 0;
        }
    }
    updateScrollRange();
    viewport()->update();
}

// The scroll bar counts lines: the last line can come to the bottom of the view.
void ColourSwatchView::updateScrollRange()
{
    const int visibleLines = std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(m_lineStarts.size()) - visibleLines));
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setSingleStep(1);
}

void ColourSwatchView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    wrap();
    updateScrollRange();
}

void ColourSwatchView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), m_background);
    const QFontMetrics metrics(viewport()->font());
    const int height = metrics.lineSpacing();
    const auto lines = static_cast<qsizetype>(m_lineStarts.size());
    int y = kMargin + metrics.ascent();
    // A unit without a colour of its own shows in the colour that contrasts with the background.
    const QColor plain = m_background.lightness() < 128 ? Qt::white : Qt::black;
    for (qsizetype line = verticalScrollBar()->value();
         line < lines && y - metrics.ascent() < viewport()->height(); ++line) {
        const auto first = static_cast<size_t>(m_lineStarts[static_cast<size_t>(line)]);
        const size_t end = line + 1 < lines ? static_cast<size_t>(m_lineStarts[static_cast<size_t>(line) + 1])
                                            : m_colours.size();
        int x = kMargin;
        size_t index = first;
        while (index < end) {
            // Neighbours of one colour are drawn together, as one text.
            size_t stop = index + 1;
            while (!m_lineBreaks[index] && stop < end && m_colours[stop] == m_colours[index] &&
                   !m_lineBreaks[stop])
                ++stop;
            if (!m_lineBreaks[index]) {
                const qsizetype from = m_offsets[index];
                painter.setPen(m_colours[index].isValid() ? m_colours[index] : plain);
                const QString piece = m_text.sliced(from, m_offsets[stop] - from);
                painter.drawText(x, y, piece);
            }
            for (size_t unit = index; unit < stop; ++unit)
                x += m_advances[unit];
            index = stop;
        }
        y += height;
    }
}

} // namespace huespan
