// The command line's option reading: an argument vector made from the bytes, split at each zero
// byte, read as the program reads its arguments.
#include "CliOptionsParser.h"
#include "CodePageEncoder.h"
#include "FuzzSupport.h"
#include "RecordingHost.h"

#include <QStringList>

using namespace huespan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return -1;
    QStringList arguments{QStringLiteral("huespan-cli")};
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& argument : bytes.split('\0')) {
        if (arguments.size() > 64)
            break;
        arguments.append(QString::fromUtf8(argument));
    }

    CliOptionsParser parser;
    switch (parser.parse(arguments)) {
    case CliOptionsParser::Outcome::UsageError:
        FUZZ_CHECK(!parser.errorMessage().isEmpty(), arguments.join(u'|'));
        break;
    case CliOptionsParser::Outcome::ShowHelp:
        FUZZ_CHECK(!parser.helpText().isEmpty(), arguments.join(u'|'));
        break;
    case CliOptionsParser::Outcome::ShowVersion:
        FUZZ_CHECK(!parser.versionText().isEmpty(), arguments.join(u'|'));
        break;
    case CliOptionsParser::Outcome::Run: {
        // What comes out is a request the core can run.
        const CliRequest& request = parser.request();
        FUZZ_CHECK(CodePageEncoder::isKnownEncoding(request.encoding), arguments.join(u'|'));
        if (request.text && request.text->size() <= 2000)
            RecordingHost::markupFor(request.settings, *request.text);
        break;
    }
    case CliOptionsParser::Outcome::ListPresets:
        FUZZ_CHECK(parser.errorMessage().isEmpty(), arguments.join(u'|') + u": " + parser.errorMessage());
        break;
    }
    return 0;
}
