#include "PlatformStartGuard.h"

#include "AppExitStatus.h"

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace huespan {

PlatformStartGuard* PlatformStartGuard::s_active = nullptr;

namespace {

constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";

} // namespace

PlatformStartGuard::PlatformStartGuard(DisplayChoice choice)
{
    if (choice == DisplayChoice::Wayland) {
        // Only for the plugin's choice: programs started from the windows inherit the user's environment.
        qputenv(kPlatformVariable, "wayland");
        m_platformSet = true;
    }
    s_active = this;
    m_previousHandler = qInstallMessageHandler(&PlatformStartGuard::handleMessage);
}

PlatformStartGuard::~PlatformStartGuard()
{
    started();
}

void PlatformStartGuard::started()
{
    if (!m_running)
        return;
    m_running = false;
    qInstallMessageHandler(m_previousHandler);
    s_active = nullptr;
    if (m_platformSet)
        qunsetenv(kPlatformVariable);
    for (const HeldMessage& message : std::as_const(m_held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    m_held.clear();
}

void PlatformStartGuard::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    PlatformStartGuard* guard = s_active;
    if (guard == nullptr)
        return;
    if (type != QtFatalMsg) {
        guard->m_held.append({type, QByteArray(context.category), text});
        return;
    }
    // Qt's first word on the failure says what went wrong ("could not connect to display :5").
    QString reason;
    for (const HeldMessage& message : std::as_const(guard->m_held)) {
        if (message.type == QtWarningMsg || message.type == QtCriticalMsg) {
            reason = message.text.section(u'\n', 0, 0).trimmed();
            break;
        }
    }
    if (reason.isEmpty())
        reason = text.section(u'\n', 0, 0).trimmed();
    const QByteArray line = unusableDisplayMessage(reason).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
    std::_Exit(AppNoDisplay);
}

} // namespace huespan
