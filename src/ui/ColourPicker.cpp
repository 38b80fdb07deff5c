#include "ui/ColourPicker.h"

#include <QColorDialog>

namespace huespan {

ReplaceableHandler<QColor(const QColor& initial, QWidget* parent)>& ColourPicker::seam()
{
    static ReplaceableHandler<QColor(const QColor& initial, QWidget* parent)> current(
        &ColourPicker::pickWithTheDialog);
    return current;
}

void ColourPicker::setHandler(Handler handler)
{
    seam().replace(std::move(handler));
}

QColor ColourPicker::pick(const QColor& initial, QWidget* parent)
{
    return seam()(initial, parent);
}

QColor ColourPicker::pickWithTheDialog(const QColor& initial, QWidget* parent)
{
    return QColorDialog::getColor(initial, parent);
}

} // namespace huespan
