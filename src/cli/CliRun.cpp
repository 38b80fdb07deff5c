#include "CliRun.h"

#include "CliHost.h"
#include "CliOutputFile.h"
#include "CliStreams.h"
#include "CodePageEncoder.h"
#include "Generators.h"
#include "Module1.h"
#include "PreviewPage.h"

using namespace Qt::StringLiterals;

namespace huespan {

CliRun::CliRun(const CliRequest& request)
    : m_request(request)
{
}

CliExitStatus CliRun::execute()
{
    // A path that cannot be written is a usage error, found out before any work is done.
    CliOutputFile outputFile(m_request.outputPath);
    const bool toFile = !m_request.outputPath.isEmpty();
    if (toFile) {
        if (!outputFile.open()) {
            CliStreams::writeErrorLine(u"huespan-cli: -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliUsageError;
        }
    }

    Module1 state;
    state.SourceText = m_request.text ? *m_request.text : textFromInput(CliStreams::readAllInput());
    CliHost host;
    Generate(state, m_request.settings, host);
    if (!host.result()) {
        CliStreams::writeErrorLine(host.message().value_or(u"huespan-cli: nothing was generated"_s));
        return CliRefused;
    }

    const std::optional<QByteArray> bytes =
        CodePageEncoder::encode(outputText(*host.result()), m_request.encoding);
    if (!bytes) {
        CliStreams::writeErrorLine(u"huespan-cli: --encoding: unknown encoding \""_s +
                                   QString::fromLatin1(m_request.encoding) + u'"');
        return CliUsageError;
    }

    if (toFile) {
        if (!outputFile.writeAll(*bytes)) {
            CliStreams::writeErrorLine(u"huespan-cli: -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliUsageError;
        }
    } else if (!CliStreams::writeOutput(*bytes)) {
        CliStreams::writeErrorLine(u"huespan-cli: cannot write to standard output"_s);
        return CliUsageError;
    }
    return CliSuccess;
}

QString CliRun::textFromInput(const QByteArray& input)
{
    QByteArrayView text = input;
    if (text.endsWith('\n')) {
        text.chop(1);
        if (text.endsWith('\r'))
            text.chop(1);
    }
    return QString::fromUtf8(text);
}

QString CliRun::outputText(const QString& markup) const
{
    if (!m_request.pageBackground)
        return markup;
    const bool decimalNotation = m_request.settings.notation == Notation::Decimal;
    std::array<QString, 3> colourTexts;
    for (std::size_t index = 0; index < colourTexts.size(); ++index)
        colourTexts[index] = PreviewPage::colourText((*m_request.pageBackground)[index], decimalNotation);
    return PreviewPage::pageText(colourTexts, markup);
}

} // namespace huespan
