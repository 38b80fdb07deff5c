#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

namespace huespan {

// Makes a group of option buttons one stop of the tab chain, on its selected button, whichever way
// the focus travels. Qt keeps the stop on the button that last had the focus, and on every button
// of a group that has not had it yet, so that Shift+Tab could land on a button that is not
// selected, where Space would change the setting.
class OptionGroupTabStop final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionGroupTabStop)

public:
    OptionGroupTabStop(const QList<QAbstractButton*>& buttons, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeStop();

    QList<QAbstractButton*> m_buttons;
    // True while a focus event goes on to its button through this filter.
    bool m_delivering = false;
};

} // namespace huespan
