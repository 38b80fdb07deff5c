#pragma once

#include "GradientSettings.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace huespan {

// A strip that paints texts unit by unit in the colours a run gives them with the settings, in the
// settings' styles: a sample line, and under it the user's own text when there is one.
class ColourStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColourStrip)

public:
    explicit ColourStrip(QWidget* parent = nullptr);

    void setSettings(const GradientSettings& settings);
    void setTexts(const QString& sample, const QString& own);
    // White unless the texts are to be seen on another colour.
    void setBackground(const QColor& background);

    // The colour painted under each unit of the line, for the line's units that take one (the
    // sample is line 0); what a run would give them.
    QList<QColor> lineColours(int line) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines() const;

    GradientSettings m_settings;
    QString m_sample;
    QString m_own;
    QColor m_background = Qt::white;
};

} // namespace huespan
