#include "DisplayChoice.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr QLatin1StringView kCliHint{
    "huespan-cli makes the same markup without a display (see huespan-cli --help)"};

QString describeVariable(const char* name)
{
    const QByteArray value = qgetenv(name);
    const QString shown = QLatin1StringView(name);
    if (value.isEmpty())
        return shown + u" is not set"_s;
    return shown + u"=\""_s + QString::fromLocal8Bit(value) + u'"';
}

} // namespace

DisplayChoice chooseDisplay(bool platformArgumentGiven)
{
    if (platformArgumentGiven || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        return DisplayChoice::AsConfigured;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return DisplayChoice::Wayland;
    return DisplayChoice::None;
}

QString noDisplayMessage()
{
    return u"huespan: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the windows need an "
           u"X11 or Wayland desktop session; "_s +
           kCliHint;
}

QString unusableDisplayMessage(const QString& qtReason)
{
    QString message = u"huespan: cannot open the display ("_s + describeVariable("DISPLAY") + u", "_s +
                      describeVariable("WAYLAND_DISPLAY");
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        message += u", "_s + describeVariable("QT_QPA_PLATFORM");
    message += u')';
    if (!qtReason.isEmpty())
        message += u": "_s + qtReason;
    return message + u"; "_s + kCliHint;
}

} // namespace huespan
