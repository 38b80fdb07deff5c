#pragma once

#include "DisplayChoice.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace huespan {

// Watches the making of the application object. Qt's platform plugin ends the process with an
// abort and a core dump when it cannot reach the display it was given; while a guard lives that
// end becomes one line on standard error and exit status 2. Whatever else Qt says meanwhile is
// held back and passed on, unchanged, once the application object stands.
class PlatformStartGuard final
{
public:
    explicit PlatformStartGuard(DisplayChoice choice);
    ~PlatformStartGuard();
    Q_DISABLE_COPY_MOVE(PlatformStartGuard)

    // Call once the application object is made: restores the environment and the message
    // handler, and passes on the held-back messages.
    void started();

private:
    struct HeldMessage
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

    static PlatformStartGuard* s_active;

    QtMessageHandler m_previousHandler = nullptr;
    bool m_platformSet = false;
    bool m_running = true;
    QList<HeldMessage> m_held;
};

} // namespace huespan
