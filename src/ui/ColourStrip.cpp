#include "ui/ColourStrip.h"

#include "TextUnits.h"
#include "UnitColours.h"
#include "ui/ColouredTextLayout.h"
#include "ui/ScreenColour.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace huespan {

namespace {

// The longest part of the user's text that the strip paints: the rest would lie outside it.
constexpr qsizetype kLongestOwnText = 200;

// One colour per coloured unit; a text too short for a run still shows the start of the gradient.
std::vector<ColourTriple> coloursFor(const GradientSettings& settings, int coloured)
{
    // A single stop is no gradient (a run refuses it); the strip shows its colour alone meanwhile.
    if (settings.extended.stops.size() == 1)
        return std::vector<ColourTriple>(static_cast<size_t>(coloured),
                                         settings.extended.stops.front().colour);
    const int minimum = settings.form == GradientForm::LeftToRight ? 2 : 3;
    std::vector<ColourTriple> colours = UnitColours::schedule(settings, std::max(coloured, minimum));
    colours.resize(static_cast<size_t>(coloured));
    return colours;
}

} // namespace

ColourStrip::ColourStrip(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
}

void ColourStrip::setSettings(const GradientSettings& settings)
{
    m_settings = settings;
    update();
}

void ColourStrip::setTexts(const QString& sample, const QString& own)
{
    m_sample = sample;
    m_own = own.left(kLongestOwnText);
    update();
}

QStringList ColourStrip::lines() const
{
    QStringList result{m_sample};
    if (!m_own.isEmpty())
        result.append(m_own);
    return result;
}

QList<QColor> ColourStrip::lineColours(int line) const
{
    QList<QColor> result;
    const QStringList all = lines();
    if (line < 0 || line >= all.size())
        return result;
    const ExtendedSettings& extended = m_settings.extended;
    const TextUnits units(all.at(line), extended.unit, extended.skipWhitespace, false);
    for (const ColourTriple& colour : coloursFor(m_settings, units.colouredCount()))
        result.append(screenColour(colour));
    return result;
}

QSize ColourStrip::sizeHint() const
{
    const QFontMetrics metrics(ColouredTextLayout::pageFont(font(), m_settings));
    return {200, metrics.height() * 2 + 8};
}

void ColourStrip::setBackground(const QColor& background)
{
    if (background == m_background)
        return;
    m_background = background;
    update();
}

void ColourStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // Each line is shaped as one run, its clusters whole, as the run's page shows it.
    const QFont font = ColouredTextLayout::pageFont(this->font(), m_settings);
    const ExtendedSettings& extended = m_settings.extended;
    const QGradientStops gradient = ColouredTextLayout::gradientStops(m_settings);
    qreal top = 4;
    for (const QString& line : lines()) {
        const TextUnits units(line, extended.unit, extended.skipWhitespace, false);
        const std::vector<ColourTriple> colours = coloursFor(m_settings, units.colouredCount());
        std::vector<qsizetype> offsets;
        std::vector<QColor> unitColours;
        size_t next = 0;
        for (qsizetype index = 0; index < units.count(); ++index) {
            offsets.push_back(units.at(index).data() - line.constData());
            if (units.kind(index) == TextUnits::Kind::Coloured)
                unitColours.push_back(screenColour(colours[next++]));
            else
                unitColours.emplace_back();
        }
        offsets.push_back(line.size());
        ColouredTextLayout layout;
        layout.setText(line, offsets, unitColours, std::vector<bool>(unitColours.size(), false));
        layout.setFont(font);
        layout.setGradient(gradient);
        layout.layOut(0);
        layout.draw(painter, 4, top, 0, height(), m_background.lightness() < 128 ? Qt::white : Qt::black);
        top += layout.lineHeight(0);
    }
}

} // namespace huespan
