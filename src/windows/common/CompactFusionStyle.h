#pragma once

#include <QProxyStyle>

namespace huespan {

// Fusion with indicators small enough for the windows' compact option buttons and check boxes,
// which are laid out at 12 pixels high.
class CompactFusionStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CompactFusionStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace huespan
