#include "CompactFusionStyle.h"

#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {
constexpr int kIndicatorSize = 12;
constexpr int kLabelSpacing = 4;
} // namespace

CompactFusionStyle::CompactFusionStyle()
    : QProxyStyle(QStyleFactory::create(u"Fusion"_s))
{
}

int CompactFusionStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return kIndicatorSize;
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return kLabelSpacing;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace huespan
