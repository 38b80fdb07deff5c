#pragma once

#include "ColourVision.h"
#include "GradientSettings.h"
#include "ui/ColouredTextLayout.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace huespan {

// A run's text in the colours the run gave each unit, in its styles, font size or heading, on a
// background colour, wrapped to the view's width: shaped as a browser shapes the run's page, each
// cluster whole (ColouredTextLayout). The colours come from the run's colour schedule, never from
// reading markup back; the clusters are measured once per text and wrapped once per width, and a
// line is shaped and coloured the first time a repaint shows it.
class ColourSwatchView final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColourSwatchView)

public:
    explicit ColourSwatchView(QWidget* parent = nullptr);

    // The text and settings of a run that the settings accept.
    void setRun(const QString& text, const GradientSettings& settings);
    void setBackground(const QColor& background);
    // Paints the colours as a person with the deficiency sees them; the marks still judge the
    // colours themselves.
    void setColourVision(ColourVision vision);
    // Marks the units whose contrast against the background is below the level; none marks none.
    void setContrastMarks(std::optional<double> level);

    // The lowest contrast of a unit against the background, and how many units fall below the
    // marks' level; nothing for a text without coloured units.
    struct ContrastSummary
    {
        double lowest = 21.0;
        int below = 0;
    };
    std::optional<ContrastSummary> contrastSummary() const;

    // The colours painted under the units that take one, in text order.
    QList<QColor> unitColours() const;
    qsizetype lineCount() const { return m_layout.lineCount(); }
    // The text as laid out, for a look at its lines and coloured glyphs.
    const ColouredTextLayout& layout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void wrap();
    // Colours, marks and the gradient anew from the run's colours, the vision and the level.
    void recolour();
    void updateScrollRange();
    int lineHeight() const;

    QString m_text;
    // Code-unit offset of every unit and of the end.
    std::vector<qsizetype> m_offsets;
    // The unit's colour, or an invalid colour for white space and line breaks that take none.
    std::vector<QColor> m_colours;
    // The colour the run gave each unit, for the units that take one.
    std::vector<std::optional<ColourTriple>> m_runColours;
    QGradientStops m_runGradient;
    ColourVision m_vision = ColourVision::Typical;
    std::optional<double> m_markLevel;
    std::vector<bool> m_lineBreaks;
    ColouredTextLayout m_layout;
    QColor m_background = Qt::white;
    int m_wrappedWidth = -1;
};

} // namespace huespan
