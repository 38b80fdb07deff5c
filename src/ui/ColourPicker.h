#pragma once

#include "ui/ReplaceableHandler.h"

#include <QColor>

class QWidget;

namespace huespan {

// The colour dialog a swatch opens: the system's QColorDialog, unless a test has put a handler in
// its place to record and answer.
class ColourPicker final
{
public:
    using Handler = ReplaceableHandler<QColor(const QColor& initial, QWidget* parent)>::Handler;

    ColourPicker() = delete;

    // Asks for a colour, starting from initial; an invalid colour when the user cancels.
    static QColor pick(const QColor& initial, QWidget* parent);

    // Replaces the dialog; an empty handler restores it.
    static void setHandler(Handler handler);

private:
    static QColor pickWithTheDialog(const QColor& initial, QWidget* parent);
    static ReplaceableHandler<QColor(const QColor& initial, QWidget* parent)>& seam();
};

} // namespace huespan
