#include "ui/MenuBarRelease.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenuBar>

namespace huespan {

void releaseMenuBar(QMenuBar& bar)
{
    // The bar lets go of an item without a menu when the pointer leaves; setActiveAction(nullptr)
    // would leave it in the state where the pointer alone opens the menus.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&bar, &leave);
}

} // namespace huespan
