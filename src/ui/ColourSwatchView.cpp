#include "ui/ColourSwatchView.h"

#include "ContrastFloor.h"
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
    const TextUnits units(m_text, extended.unit, extended.skipWhitespace, extended.keepsLineBreaks());
    const int minimum = settings.form == GradientForm::LeftToRight ? 2 : 3;
    std::vector<ColourTriple> schedule;
    if (units.colouredCount() >= minimum)
        schedule = UnitColours::schedule(settings, units.colouredCount());

    m_offsets.clear();
    m_colours.clear();
    m_runColours.clear();
    m_lineBreaks.clear();
    size_t next = 0;
    for (qsizetype index = 0; index < units.count(); ++index) {
        m_offsets.push_back(units.at(index).data() - m_text.constData());
        const TextUnits::Kind kind = units.kind(index);
        if (kind == TextUnits::Kind::Coloured && next < schedule.size()) {
            m_runColours.push_back(tripleOf(screenColour(schedule[next++])));
            m_colours.push_back(screenColour(*m_runColours.back()));
        } else {
            m_runColours.emplace_back();
            m_colours.emplace_back();
        }
        m_lineBreaks.push_back(kind == TextUnits::Kind::LineBreak);
    }
    m_offsets.push_back(m_text.size());

    const QFont pageFont = ColouredTextLayout::pageFont(font(), settings);
    viewport()->setFont(pageFont);
    m_layout.setText(m_text, m_offsets, m_colours, m_lineBreaks);
    m_layout.setFont(pageFont);
    m_runGradient = ColouredTextLayout::gradientStops(settings);
    m_layout.setGradient(m_runGradient);
    m_wrappedWidth = -1;
    wrap();
    if (m_vision != ColourVision::Typical || m_markLevel)
        recolour();
}

void ColourSwatchView::setColourVision(ColourVision vision)
{
    m_vision = vision;
    recolour();
}

void ColourSwatchView::setContrastMarks(std::optional<double> level)
{
    m_markLevel = level;
    recolour();
}

void ColourSwatchView::recolour()
{
    const ColourTriple background = tripleOf(m_background);
    std::vector<bool> marked(m_runColours.size(), false);
    for (size_t unit = 0; unit < m_runColours.size(); ++unit) {
        if (!m_runColours[unit])
            continue;
        m_colours[unit] = screenColour(simulatedColour(*m_runColours[unit], m_vision));
        marked[unit] = m_markLevel && Contrast::ratio(*m_runColours[unit], background) < *m_markLevel;
    }
    m_layout.setColours(m_colours, marked);
    QGradientStops gradient = m_runGradient;
    for (QGradientStop& stop : gradient)
        stop.second = screenColour(simulatedColour(tripleOf(stop.second), m_vision));
    m_layout.setGradient(gradient);
    viewport()->update();
}

std::optional<ColourSwatchView::ContrastSummary> ColourSwatchView::contrastSummary() const
{
    const ColourTriple background = tripleOf(m_background);
    std::optional<ContrastSummary> summary;
    for (const std::optional<ColourTriple>& colour : m_runColours) {
        if (!colour)
            continue;
        const double ratio = Contrast::ratio(*colour, background);
        if (!summary)
            summary.emplace();
        summary->lowest = std::min(summary->lowest, ratio);
        summary->below += m_markLevel && ratio < *m_markLevel;
    }
    return summary;
}

void ColourSwatchView::setBackground(const QColor& background)
{
    m_background = background;
    if (m_markLevel)
        recolour();
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

// Lines break where a page breaks them (between words, or anywhere in a word wider than the
// view) and at the line breaks the run keeps.
void ColourSwatchView::wrap()
{
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    if (width == m_wrappedWidth)
        return;
    m_wrappedWidth = width;
    m_layout.layOut(width);
    updateScrollRange();
    viewport()->update();
}

// The scroll bar counts lines: the last line can come to the bottom of the view.
void ColourSwatchView::updateScrollRange()
{
    const int visibleLines = std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(m_layout.lineCount()) - visibleLines));
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
    // A unit without a colour of its own shows in the colour that contrasts with the background.
    const QColor plain = m_background.lightness() < 128 ? Qt::white : Qt::black;
    m_layout.draw(painter, kMargin, kMargin, verticalScrollBar()->value(), viewport()->height(), plain);
}

} // namespace huespan
