#pragma once

#include <QString>
#include <QStringView>
#include <array>

namespace huespan {

// The preview page: the generated markup wrapped in a page of a chosen background colour.
namespace PreviewPage {

// The colour text of one background component as the preview dialog forms it from its field:
// in decimal notation the two-digit upper-case hexadecimal rendering of the decimal reading;
// in hexadecimal notation one- and two-character texts as typed (one character getting a leading
// "0"), any other length the two-digit upper-case rendering of its hexadecimal reading.
QString colourText(QStringView fieldText, bool decimalNotation);

// <HTML>\r\n<HEAD>...</HEAD>\r\n<BODY BGCOLOR="#rrggbb">\r\nmarkup\r\n</BODY>\r\n</HTML>
QString pageText(const std::array<QString, 3>& colourTexts, QStringView markup);

} // namespace PreviewPage
} // namespace huespan
