#include "PreviewPage.h"

#include "ColourValues.h"
#include "ComponentText.h"

#include <algorithm>

namespace huespan::PreviewPage {

namespace {

// Readings beyond a component's range saturate at its ends.
QString twoDigitHex(int value)
{
    return HexPair(static_cast<qint16>(std::clamp(value, 0, 255)));
}

} // namespace

QString colourText(QStringView fieldText, bool decimalNotation)
{
    if (decimalNotation)
        return twoDigitHex(ComponentText::decimalReading(fieldText));
    // Typed hexadecimal keeps its case; a single digit gets its leading zero. Any other length
    // (empty, or extra leading zeros) would break the six-digit colour, so it is written anew.
    if (fieldText.size() == 1)
        return u'0' + fieldText.toString();
    if (fieldText.size() == 2)
        return fieldText.toString();
    return twoDigitHex(ComponentText::hexadecimalReading(fieldText));
}

QString pageText(const std::array<QString, 3>& colourTexts, QStringView markup)
{
    QString page;
    page.reserve(markup.size() + 128);
    page += u"<HTML>\r\n"
            u"<HEAD><TITLE>Huespanプレビュー</TITLE></HEAD>\r\n"
            u"<BODY BGCOLOR=\"#";
    page += colourTexts[0];
    page += colourTexts[1];
    page += colourTexts[2];
    page += u"\">\r\n";
    page += markup;
    page += u"\r\n</BODY>\r\n</HTML>";
    return page;
}

} // namespace huespan::PreviewPage
