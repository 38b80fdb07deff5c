// Colours the text given as the first argument from red to blue, bold, and prints the markup:
// the same bytes as `huespan-cli --bold --first 255,0,0 --second 0,0,255 TEXT`.
#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <huespan/MarkupGeneration.h>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);

    huespan::GradientSettings settings;
    settings.bold = true;
    settings.componentTexts = {QStringLiteral("255"), QStringLiteral("0"), QStringLiteral("0"),
                               QStringLiteral("0"),   QStringLiteral("0"), QStringLiteral("255")};

    const huespan::MarkupOutcome outcome =
        huespan::generateMarkup(QCoreApplication::arguments().value(1), settings);
    if (!outcome.markup) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.message));
        return 1;
    }
    const QByteArray bytes = outcome.markup->toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    return 0;
}
