#include "ui/ColourStrip.h"

#include "TextUnits.h"
#include "UnitColours.h"
#include "ui/ScreenColour.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace huespan {

namespace {

// The longest part of the user's text that the strip paints: the rest would lie outside it.
constexpr qsizetype kLongestOwnText = 200;

QFont styledFont(QFont font, const GradientSettings& settings)
{
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    font.setUnderline(settings.underline);
    font.setStrikeOut(settings.strike);
    return font;
}

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
    const QFontMetrics metrics(styledFont(font(), m_settings));
    return {200, metrics.height() * 2 + 8};
}

void ColourStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFont font = styledFont(this->font(), m_settings);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const ExtendedSettings& extended = m_settings.extended;
    const QStringList all = lines();
    int baseline = 4 + metrics.ascent();
    for (const QString& line : all) {
        const TextUnits units(line, extended.unit, extended.skipWhitespace, false);
        const std::vector<ColourTriple> colours = coloursFor(m_settings, units.colouredCount());
        size_t next = 0;
        int x = 4;
        for (qsizetype index = 0; index < units.count() && x < width(); ++index) {
            const QString unit = units.at(index).toString();
            if (units.kind(index) == TextUnits::Kind::Coloured) {
                painter.setPen(screenColour(colours[next++]));
            } else {
                painter.setPen(Qt::black);
            }
            painter.drawText(x, baseline, unit);
            x += metrics.horizontalAdvance(unit);
        }
        baseline += metrics.height();
    }
}

} // namespace huespan
