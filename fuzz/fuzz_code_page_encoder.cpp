// The code-page encoder: any text, lone surrogates included, in any of a set of encodings, gives
// bytes that decode in that encoding as the text, with "?" for what the encoding lacks.
#include "CodePageEncoder.h"
#include "FuzzSupport.h"

using namespace huespan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 8192)
        return -1;
    fuzz::InputBytes input(data, size);
    const QByteArray encoding = fuzz::encodingChoice(input);
    const bool page = input.flag();
    const QString text = input.restAsUtf16(4096);
    const std::optional<QByteArray> bytes =
        CodePageEncoder::encode(text, encoding,
                                page ? CodePageEncoder::ByteOrderMark::ForWidePages
                                     : CodePageEncoder::ByteOrderMark::AsTheEncodingWrites);
    FUZZ_CHECK(bytes.has_value(), QString::fromLatin1(encoding));
    fuzz::checkDecodesBack(text, encoding, *bytes);
    return 0;
}
