#pragma once

#include "GradientSettings.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QString>
#include <vector>

namespace huespan {

// A run's text painted unit by unit in the colours the run gave each unit, in its styles, on a
// background colour, wrapped to the view's width. The colours come from the run's colour schedule,
// never from reading markup back; the units are measured once per text and wrapped once per
// width, and a repaint lays out only the lines it shows.
class ColourSwatchView final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColourSwatchView)

public:
    explicit ColourSwatchView(QWidget* parent = nullptr);

    // The text and settings of a run that the settings accept.
    void setRun(const QString& text, const GradientSettings& settings);
    void setBackground(const QColor& background);

    // The colours painted under the units that take one, in text order.
    QList<QColor> unitColours() const;
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lineStarts.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void measure();
    void wrap();
    void updateScrollRange();
    int lineHeight() const;

    QString m_text;
    // Code-unit offset of every unit and of the end.
    std::vector<qsizetype> m_offsets;
    // The unit's colour, or an invalid colour for white space and line breaks that take none.
    std::vector<QColor> m_colours;
    std::vector<bool> m_lineBreaks;
    std::vector<int> m_advances;
    // The first unit of every line.
    std::vector<qsizetype> m_lineStarts;
    QColor m_background = Qt::white;
    int m_wrappedWidth = -1;
};

} // namespace huespan
