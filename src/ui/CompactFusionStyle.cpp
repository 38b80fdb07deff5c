#include "ui/CompactFusionStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr int kIndicatorSize = 12;
constexpr int kLabelSpacing = 4;
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;
constexpr int kFrameLineDarkness = 125;
constexpr int kFrameFillDarkness = 103;
constexpr qreal kFrameRadius = 2.0;
constexpr int kFocusFrameInset = 4;

// Checkable frames keep Fusion's own drawing; the windows have none.
const QStyleOptionGroupBox* plainFrame(const QStyleOptionComplex* option)
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (box == nullptr || (box->subControls & QStyle::SC_GroupBoxCheckBox))
        return nullptr;
    return box;
}

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

QRect CompactFusionStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                         SubControl subControl, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? plainFrame(option) : nullptr;
    if (box == nullptr)
        return QProxyStyle::subControlRect(control, option, subControl, widget);

    const int captionHeight = box->fontMetrics.height();
    switch (subControl) {
    case SC_GroupBoxLabel: {
        if (box->text.isEmpty())
            return {};
        const int width = box->fontMetrics.horizontalAdvance(box->text) + 2 * kCaptionPadding;
        return {kCaptionIndent, 0, width, captionHeight};
    }
    case SC_GroupBoxFrame:
        return box->rect.adjusted(0, box->text.isEmpty() ? 0 : captionHeight / 2, 0, 0);
    case SC_GroupBoxContents:
        return box->rect.adjusted(1, captionHeight, -1, -1);
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void CompactFusionStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // Fusion outlines a focused button just as it outlines the default button, so that the focus
    // could not be told on the default button.
    if (element != CE_PushButton || !option->state.testFlag(State_HasFocus) ||
        !option->state.testFlag(State_KeyboardFocusChange))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1.0, Qt::DotLine));
    painter->drawRect(option->rect.adjusted(kFocusFrameInset, kFocusFrameInset, -kFocusFrameInset - 1,
                                            -kFocusFrameInset - 1));
    painter->restore();
}

void CompactFusionStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                            QPainter* painter, const QWidget* widget) const
{
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? plainFrame(option) : nullptr;
    if (box == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }

    const QRect captionRect = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    painter->save();
    QRegion visible(box->rect);
    if (!captionRect.isEmpty())
        visible -= captionRect;
    painter->setClipRegion(visible);
    // Fusion's own frame keeps its line below the caption; this one is drawn in Fusion's colours.
    const QRectF frameRect =
        QRectF(subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget)).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor window = box->palette.color(QPalette::Window);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(window.darker(kFrameLineDarkness));
    painter->setBrush(window.darker(kFrameFillDarkness));
    painter->drawRoundedRect(frameRect, kFrameRadius, kFrameRadius);
    painter->restore();

    if (!captionRect.isEmpty())
        proxy()->drawItemText(painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, box->palette,
                              box->state.testFlag(State_Enabled), box->text, QPalette::WindowText);
}

} // namespace huespan
