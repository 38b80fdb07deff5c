#include "CliRun.h"

#include "CliHost.h"
#include "CliOutputFile.h"
#include "CliProgramName.h"
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
            CliStreams::writeErrorLine(kProgramName + u": -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliExitStatus::UsageError;
        }
    }

    Module1 state;
    state.SourceText = m_request.text ? *m_request.text : textFromInput(CliStreams::readAllInput());
    CliHost host;
    Generate(state, m_request.settings, host);
    if (!host.result()) {
        CliStreams::writeErrorLine(host.message().value_or(kProgramName + u": nothing was generated"_s));
        return CliExitStatus::Refused;
    }

    const std::optional<QByteArray> bytes = encoded(outputText(*host.result()), m_request.encoding);
    if (!bytes) {
        CliStreams::writeErrorLine(kProgramName + u": --encoding: unknown encoding \""_s +
                                   QString::fromLatin1(m_request.encoding) + u'"');
        return CliExitStatus::UsageError;
    }

    if (toFile) {
        if (!outputFile.writeAll(*bytes)) {
            CliStreams::writeErrorLine(kProgramName + u": -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliExitStatus::UsageError;
        }
    } else if (!CliStreams::writeOutput(*bytes)) {
        CliStreams::writeErrorLine(kProgramName + u": cannot write to standard output"_s);
        return CliExitStatus::UsageError;
    }
    return CliExitStatus::Success;
}

std::optional<QByteArray> CliRun::encoded(const QString& text, const QByteArray& encoding)
{
    // Qt's own conversion is several times faster than iconv. The text comes from UTF-8 arguments
    // or input, so it holds no unpaired surrogate on which the two could differ.
    if (encoding.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
        encoding.compare("UTF8", Qt::CaseInsensitive) == 0)
        return text.toUtf8();
    return CodePageEncoder::encode(text, encoding);
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
