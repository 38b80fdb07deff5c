#pragma once

#include "CliExitStatus.h"
#include "CliRequest.h"
#include "CodePageEncoder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace huespan {

// Carries out one checked request: takes the text, runs the same generation the windows run,
// and writes the markup or the preview page in the requested encoding.
class CliRun
{
public:
    explicit CliRun(const CliRequest& request);

    // Writes the result, or the refusal's or the failure's message on standard error.
    CliExitStatus execute();

    // Standard input as the text: UTF-8, without the one line break that ends the last line.
    static QString textFromInput(const QByteArray& input);
    // The input without that line break, as bytes.
    static QByteArrayView withoutFinalLineBreak(QByteArrayView input);
    // How many bytes of the UTF-8 input were not UTF-8 and became U+FFFD in its text.
    static qsizetype replacedByteCount(QByteArrayView utf8, QStringView text);

    // Tells, as standard input comes in, once its text is sure to be longer than a run takes,
    // whatever follows: reading stops there, and the memory stays bounded.
    class PastLongestText
    {
    public:
        bool operator()(const QByteArray& input);

    private:
        qsizetype m_nextCheck = 0;
    };

    // The text in the named encoding; nothing when the encoding is unknown.
    static std::optional<QByteArray> encoded(const QString& text, const QByteArray& encoding,
                                             CodePageEncoder::ByteOrderMark mark);

    // The lines that follow a written output on standard error: how many units fell short of
    // the contrast floor, and the contrast report when one was asked for.
    static QStringList contrastLines(const QString& text, const CliRequest& request);

private:
    // STDOUT_FILENO or STDERR_FILENO when the path names the file that stream writes to.
    static std::optional<int> openStreamOf(const QString& path);
    QString outputText(const QString& markup) const;

    const CliRequest& m_request;
};

} // namespace huespan
