#include "CliRun.h"

#include "CliMessageText.h"
#include "CliOutputFile.h"
#include "CliProgramName.h"
#include "CliStreams.h"
#include "CodePageEncoder.h"
#include "ColourValues.h"
#include "ContrastReport.h"
#include "GenerationRun.h"
#include "MarkupGeneration.h"
#include "PreviewPage.h"

#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

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
    QString text;
    if (m_request.text) {
        text = *m_request.text;
    } else {
        QByteArray input;
        QString reason;
        if (!CliStreams::readInput(input, reason, PastLongestText())) {
            CliStreams::writeErrorLine(kProgramName + u": cannot read standard input: "_s + reason);
            return CliExitStatus::UsageError;
        }
        text = textFromInput(input);
        const qsizetype replaced = replacedByteCount(withoutFinalLineBreak(input), text);
        if (replaced > 0 && text.size() <= GenerationRun::kLongestText) {
            CliStreams::writeErrorLine(kProgramName + u": standard input: "_s + QString::number(replaced) +
                                       (replaced == 1 ? u" byte that is"_s : u" bytes that are"_s) +
                                       u" not UTF-8 replaced by U+FFFD"_s);
        }
    }
    const MarkupOutcome outcome = generateMarkup(text, m_request.settings);
    if (!outcome.markup) {
        CliStreams::writeErrorLine(outcome.message.isEmpty() ? kProgramName + u": nothing was generated"_s
                                                             : outcome.message);
        return CliExitStatus::Refused;
    }

    const auto mark = m_request.pageBackground ? CodePageEncoder::ByteOrderMark::ForWidePages
                                               : CodePageEncoder::ByteOrderMark::AsTheEncodingWrites;
    const std::optional<QByteArray> bytes = encoded(outputText(*outcome.markup), m_request.encoding, mark);
    if (!bytes) {
        // The name was known when the command line was read; what fails now is the system.
        const int error = CodePageEncoder::openingError(m_request.encoding);
        const QString name = CliMessageText::quoted(QString::fromLatin1(m_request.encoding));
        if (error != 0 && error != EINVAL) {
            CliStreams::writeErrorLine(kProgramName + u": --encoding: cannot use encoding "_s + name +
                                       u": "_s + QString::fromLocal8Bit(std::strerror(error)));
        } else {
            CliStreams::writeErrorLine(kProgramName + u": --encoding: unknown encoding "_s + name);
        }
        return CliExitStatus::UsageError;
    }

    QString reason;
    if (!m_request.outputPath.isEmpty()) {
        // A path to the file that standard output or standard error already writes is written
        // through that stream, as the shell's ">" would: replacing the file would cut off what
        // others wrote to it before and after.
        const std::optional<int> stream = openStreamOf(m_request.outputPath);
        CliOutputFile outputFile(m_request.outputPath);
        const bool written =
            stream ? CliStreams::writeTo(*stream, *bytes, reason) : outputFile.writeAll(*bytes);
        if (!written) {
            CliStreams::writeErrorLine(kProgramName + u": -o: cannot write "_s +
                                       CliMessageText::quoted(m_request.outputPath) + u": "_s +
                                       (stream ? reason : outputFile.errorString()));
            return CliExitStatus::UsageError;
        }
    } else if (!CliStreams::writeOutput(*bytes, reason)) {
        CliStreams::writeErrorLine(kProgramName + u": cannot write to standard output: "_s + reason);
        return CliExitStatus::UsageError;
    }
    for (const QString& line : contrastLines(text, m_request))
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
                     Contrast::ratioText(report->lowest) + u" ("_s +
                     CliMessageText::quoted(report->lowestUnit) + u" in "_s +
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

QByteArrayView CliRun::withoutFinalLineBreak(QByteArrayView input)
{
    if (input.endsWith('\n')) {
        input.chop(1);
        if (input.endsWith('\r'))
            input.chop(1);
    }
    return input;
}

QString CliRun::textFromInput(const QByteArray& input)
{
    return QString::fromUtf8(withoutFinalLineBreak(input));
}

qsizetype CliRun::replacedByteCount(QByteArrayView utf8, QStringView text)
{
    // Every valid sequence comes back as itself when the text is encoded again, and every
    // replaced stretch of bytes as the three bytes of U+FFFD; a U+FFFD that stood in the input
    // stands there as those same three bytes.
    const auto replacement = QByteArrayView("\xEF\xBF\xBD");
    const qsizetype replacements = text.count(QChar::ReplacementCharacter) - utf8.count(replacement);
    qsizetype validBytes = text.toUtf8().size() - 3 * replacements;
    // A byte-order mark that opens the input is valid but does not become part of the text.
    if (utf8.startsWith(QByteArrayView("\xEF\xBB\xBF")) && !text.startsWith(QChar::ByteOrderMark))
        validBytes += 3;
    return utf8.size() - validBytes;
}

bool CliRun::PastLongestText::operator()(const QByteArray& input)
{
    // No more bytes than the limit cannot make too long a text. Beyond that the input is decoded
    // anew only after every further 16 KiB, so that a writer sending a byte at a time does not
    // make the reading quadratic; the memory stays within a few hundred KiB either way.
    constexpr qsizetype kCheckEvery = 16384;
    if (input.size() <= GenerationRun::kLongestText || input.size() < m_nextCheck)
        return false;
    m_nextCheck = input.size() + kCheckEvery;
    // An incomplete sequence at the end may decode to a few more code units than it will once
    // complete: the margin keeps the verdict true for any continuation.
    constexpr qsizetype kMargin = 4;
    return textFromInput(input).size() > GenerationRun::kLongestText + kMargin;
}

std::optional<int> CliRun::openStreamOf(const QString& path)
{
    struct stat target = {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0)
        return std::nullopt;
    for (const int descriptor : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream = {};
        const int flags = ::fcntl(descriptor, F_GETFL);
        // A stream the caller closed stands on /dev/null opened for reading only (see main).
        if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY || ::fstat(descriptor, &stream) != 0)
            continue;
        if (stream.st_dev == target.st_dev && stream.st_ino == target.st_ino)
            return descriptor;
    }
    return std::nullopt;
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
