#include "ui/OptionGroupTabStop.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace huespan {

OptionGroupTabStop::OptionGroupTabStop(const QList<QAbstractButton*>& buttons, QObject* parent)
    : QObject(parent)
    , m_buttons(buttons)
{
    for (QAbstractButton* button : std::as_const(m_buttons)) {
        button->installEventFilter(this);
        connect(button, &QAbstractButton::toggled, this, &OptionGroupTabStop::placeStop);
    }
    placeStop();
}

bool OptionGroupTabStop::eventFilter(QObject* watched, QEvent* event)
{
    // A button that receives the focus takes the group's stop for itself; the stop goes back to the
    // selected button once the button has done so.
    if (event->type() == QEvent::FocusIn && !m_delivering) {
        m_delivering = true;
        QCoreApplication::sendEvent(watched, event);
        m_delivering = false;
        placeStop();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void OptionGroupTabStop::placeStop()
{
    const bool anySelected = std::any_of(m_buttons.cbegin(), m_buttons.cend(),
                                         [](const QAbstractButton* b) { return b->isChecked(); });
    for (QAbstractButton* button : std::as_const(m_buttons)) {
        const bool stop = button->isChecked() || !anySelected;
        button->setFocusPolicy(stop ? Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus)
                                    : Qt::FocusPolicy(button->focusPolicy() & ~Qt::TabFocus));
    }
}

} // namespace huespan
