#include "CliRun.h"

#include "CliHost.h"
#include "CliOutputFile.h"
#include "CliProgramName.h"
#include "CliStreams.h"
#include "CodePageEncoder.h"
#include "ColourValues.h"
#include "ContrastReport.h"
#include "Generators.h"
#include "Module1.h"
#include "PreviewPage.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// A ratio as "4.48:1", cut rather than rounded to two decimals, so that a ratio below a level
// never reads as the level itself.
QString ratioText(double ratio)
{
    return QString::number(std::floor(ratio * 100.0) / 100.0, 'f', 2) + u":1"_s;
}

QString colourText(const ColourTriple& colour)
{
    return u'#' + ColourCode(colour);
}

} // namespace

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
            CliStreams::writeErrorLine(kProgramName + u": cannot read standard input: "_s + reason);
            return CliExitStatus::UsageError;
        }
        state.SourceText = textFromInput(input);
    }
    CliHost host;
    Generate(state, m_request.settings, host);
    if (!host.result()) {
        CliStreams::writeErrorLine(host.message().value_or(kProgramName + u": nothing was generated"_s));
        return CliExitStatus::Refused;
    }

    const auto mark = m_request.pageBackground ? CodePageEncoder::ByteOrderMark::ForWidePages
                                               : CodePageEncoder::ByteOrderMark::AsTheEncodingWrites;
    const std::optional<QByteArray> bytes = encoded(outputText(*host.result()), m_request.encoding, mark);
    if (!bytes) {
        CliStreams::writeErrorLine(kProgramName + u": --encoding: unknown encoding \""_s +
                                   QString::fromLatin1(m_request.encoding) + u'"');
        return CliExitStatus::UsageError;
    }

    if (!m_request.outputPath.isEmpty()) {
        CliOutputFile outputFile(m_request.outputPath);
        if (!outputFile.writeAll(*bytes)) {
            CliStreams::writeErrorLine(kProgramName + u": -o: cannot write \""_s + m_request.outputPath +
                                       u"\": "_s + outputFile.errorString());
            return CliExitStatus::UsageError;
        }
    } else {
        QString reason;
        if (!CliStreams::writeOutput(*bytes, reason)) {
            CliStreams::writeErrorLine(kProgramName + u": cannot write to standard output: "_s + reason);
            return CliExitStatus::UsageError;
        }
    }
    for (const QString& line : contrastLines(state.SourceText, m_request))
        CliStreams::writeErrorLine(line);
    return CliExitStatus::Success;
}

QStringList CliRun::contrastLines(const QString& text, const CliRequest& request)
{
    const std::optional<ContrastFloor>& floor = request.settings.extended.contrastFloor;
    if (!request.background || (!floor && !request.checkContrast))
        return {};
    const std::optional<ContrastReport> report =
        ContrastReport::of(text, request.settings, *request.background);
    if (!report)
        return {};
    QStringList lines;
    const QString background = colourText(*request.background);
    if (floor && report->belowFloor > 0) {
        lines.append(kProgramName + u": "_s + QString::number(report->belowFloor) + u" of "_s +
                     QString::number(report->units) + u" characters cannot reach "_s +
                     QString::number(floor->ratio) + u":1 against "_s + background +
                     u" in their hue; they take black or white, whichever contrasts more"_s);
    }
    if (request.checkContrast) {
        lines.append(kProgramName + u": contrast against "_s + background + u": lowest "_s +
                     ratioText(report->lowest) + u" (\""_s + report->lowestUnit + u"\" in "_s +
                     colourText(report->lowestColour) + u"); of "_s + QString::number(report->units) +
                     u" characters, "_s + QString::number(report->belowLargeText) + u" below 3:1, "_s +
                     QString::number(report->belowText) + u" below 4.5:1, "_s +
                     QString::number(report->belowEnhanced) + u" below 7:1"_s);
    }
    return lines;
}

std::optional<QByteArray> CliRun::encoded(const QString& text, const QByteArray& encoding,
                                          CodePageEncoder::ByteOrderMark mark)
{
    // Qt's own conversion is several times faster than iconv, and UTF-8 takes no byte-order mark
    // either way. The text comes from UTF-8 arguments or input, so it holds no unpaired surrogate
    // on which the two could differ.
    if (encoding.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
        encoding.compare("UTF8", Qt::CaseInsensitive) == 0)
        return text.toUtf8();
    return CodePageEncoder::encode(text, encoding, mark);
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
