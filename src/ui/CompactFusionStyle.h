#pragma once

#include <QProxyStyle>

namespace huespan {

// Fusion fitted to the windows' compact layouts, which are drawn in twips like classic desktop
// dialogs: indicators small enough for option buttons 12 pixels high, and frames whose caption
// stands on the frame line, so that controls placed near a frame's top edge sit inside it; a
// command button that has the keyboard focus wears a dotted frame inside its edge.
class CompactFusionStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    CompactFusionStyle();
    Q_DISABLE_COPY_MOVE(CompactFusionStyle)

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

} // namespace huespan
