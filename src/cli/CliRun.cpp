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
    // Everything is read and generated before any output is touched: a refused text leaves the
    // output file alone, and the output file may be the input itself.
    Module1 state;
    if (m_request.text) {
        state.SourceText = *m_request.text;
    } else {
        QByteArray input;
        QString reason;
        if (!CliStreams::readAllInput(input, reason)) {
            CliStreams::writeErrorLine(u"huespan-cli: cannot read standard input: "_s + reason);
            return CliUsageError;
        }
        state.SourceText = textFromInput(input);
    }
    CliHost host;
    Generate(state, m_request.settings, host);
    if (!host.result()) {
        CliStreams::writeErrorLine(host.message().value_or(u"huespan-cli: nothing was generated"_s));
        return CliRefused;
    }

    const auto mark = m_request.pageBackground ? CodePageEncoder::ByteOrderMark::ForWidePages
                                               : CodePageEncoder::ByteOrderMark::AsTheEncodingWrites;
    const std::optional<QByteArray> bytes =
        CodePageEncoder::encode(outputText(*host.result()), m_request.encoding, mark);
    if (!bytes) {
        CliStreams::writeErrorLine(u"huespan-cli: --encoding: unknown encoding \""_s +
                                   QString::fromLatin1(m_request.encoding) + u'"');
        return CliUsageError;
    }

    if (!m_request.outputPath.isEmpty()) {
        CliOutputFile outputFile(m_request.outputPath);
        if (!outputFile.writeAll(*bytes)) {
            CliStreams::writeErrorLine(u"huespan-cli: -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliUsageError;
        }
        return CliSuccess;
    }
    QString reason;
    if (!CliStreams::writeOutput(*bytes, reason)) {
        CliStreams::writeErrorLine(u"huespan-cli: cannot write to standard output: "_s + reason);
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
