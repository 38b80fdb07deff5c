#include "AppCommandLine.h"

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr QLatin1StringView kProgramName{"huespan"};

QString usageError(const QString& what)
{
    return kProgramName + u": "_s + what;
}

} // namespace

AppCommandLine::AppCommandLine()
    : m_helpOption(QStringList{u"h"_s, u"help"_s}, u"Show this help and exit."_s)
    , m_versionOption(QStringList{u"v"_s, u"version"_s}, u"Show the version and exit."_s)
{
    // Qt's options are single-dash words (-platform, -style); the program's own read the same way.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(
        u"Colours every character of a text along a gradient between two colours and shows the HTML\n"
        u"markup in Japanese windows, from where it is copied or previewed in the browser.\n"
        u"The windows need an X11 or Wayland display; huespan-cli does the same work without one.\n"
        u"Qt's own options (-platform, -style, -reverse, ...) are accepted as well."_s);
    m_parser.addOption(m_helpOption);
    m_parser.addOption(m_versionOption);
    addQtOptions();
}

void AppCommandLine::addQtOptions()
{
    // The options that QGuiApplication and QApplication take off the command line themselves.
    const auto hidden = [this](const QString& name, const QString& valueName) {
        QCommandLineOption option(name, QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    };
    for (const QString& name :
         {u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s, u"qwindowgeometry"_s,
          u"qwindowicon"_s, u"qwindowtitle"_s, u"session"_s, u"display"_s, u"name"_s, u"geometry"_s,
          u"style"_s, u"stylesheet"_s, u"qmljsdebugger"_s, u"title"_s, u"visual"_s}) {
        hidden(name, u"value"_s);
    }
    for (const QString& name : {u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s})
        hidden(name, QString());
}

AppCommandLine::Outcome AppCommandLine::parse(const QStringList& arguments)
{
    m_errorMessage.clear();
    if (!m_parser.parse(arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        m_errorMessage =
            unknown.isEmpty()
                ? usageError(m_parser.errorText())
                : usageError(u"unknown option \""_s + (unknown.constFirst().size() == 1 ? u"-"_s : u"--"_s) +
                             unknown.constFirst() + u"\" (see huespan --help)"_s);
        return Outcome::UsageError;
    }
    if (m_parser.isSet(m_helpOption))
        return Outcome::ShowHelp;
    if (m_parser.isSet(m_versionOption))
        return Outcome::ShowVersion;
    const QStringList positional = m_parser.positionalArguments();
    if (!positional.isEmpty()) {
        m_errorMessage = usageError(u"unexpected argument \""_s + positional.constFirst() +
                                    u"\": the program takes no file or text"_s);
        return Outcome::UsageError;
    }
    return Outcome::Run;
}

bool AppCommandLine::platformGiven() const
{
    return m_parser.isSet(u"platform"_s);
}

QString AppCommandLine::helpText() const
{
    // Without an application object the parser cannot know the program's name.
    QString text = m_parser.helpText();
    text.replace(u"<executable_name>"_s, kProgramName);
    return text;
}

QString AppCommandLine::versionText()
{
    return kProgramName + u' ' + QLatin1StringView(HUESPAN_VERSION) + u'\n';
}

} // namespace huespan
