// Colours the text given as the first argument from red to blue, bold, and prints the markup:
// the same bytes as `huespan-cli --bold --first 255,0,0 --second 0,0,255 TEXT`.
#include <GenerationHost.h>
#include <Generators.h>
#include <GradientSettings.h>
#include <Module1.h>
#include <QCoreApplication>
#include <QString>
#include <cstdio>

namespace {

// A generation reaches its front end through a host; without windows there is nothing to show
// but the message of a refused text and the finished markup.
class PrintingHost final : public huespan::GenerationHost
{
public:
    void ShowMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void EnableMainWindow() override {}
    void ShowProgress() override {}
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    void CloseProgress() override {}
    void ShowResult(const QString& markup) override
    {
        const QByteArray bytes = markup.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
        m_shown = true;
    }

    bool shown() const { return m_shown; }

private:
    bool m_shown = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    huespan::GradientSettings settings;
    settings.bold = true;
    settings.componentTexts = {QStringLiteral("255"), QStringLiteral("0"), QStringLiteral("0"),
                               QStringLiteral("0"),   QStringLiteral("0"), QStringLiteral("255")};

    huespan::Module1 state;
    state.SourceText = arguments.value(1);
    PrintingHost host;
    huespan::Generate(state, settings, host);
    return host.shown() ? 0 : 1;
}
