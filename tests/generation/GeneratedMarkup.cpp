#include "GeneratedMarkup.h"

using namespace Qt::StringLiterals;

namespace huespan::GeneratedMarkup {

namespace {

bool isUpperHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

qint16 hexValue(QStringView digits)
{
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok ? qint16(value) : qint16(-1);
}

} // namespace

std::optional<QList<CharacterElement>> readElements(QStringView body, bool lineBreaks)
{
    static const QString opening = u"<FONT COLOR=\"#"_s;
    static const QString closing = u"</FONT>"_s;
    QList<CharacterElement> elements;
    qsizetype at = 0;
    while (at < body.size()) {
        if (!body.sliced(at).startsWith(opening))
            return std::nullopt;
        at += opening.size();
        if (body.size() - at < 8)
            return std::nullopt;
        const QStringView code = body.sliced(at, 6);
        for (QChar c : code) {
            if (!isUpperHexDigit(c))
                return std::nullopt;
        }
        at += 6;
        if (body.sliced(at, 2) != u"\">")
            return std::nullopt;
        at += 2;
        // Escaping keeps "<" out of the written character, so the next "<" opens the end tag.
        const qsizetype end = body.indexOf(u'<', at);
        if (end <= at)
            return std::nullopt;
        const QStringView written = body.sliced(at, end - at);
        at = end;
        if (!body.sliced(at).startsWith(closing))
            return std::nullopt;
        at += closing.size();
        if (lineBreaks) {
            if (!body.sliced(at).startsWith(u"\r\n"))
                return std::nullopt;
            at += 2;
        }
        elements.append({code.toString(), written.toString()});
    }
    return elements;
}

QString unescape(QStringView written)
{
    if (written == u"&lt;")
        return u"<"_s;
    if (written == u"&gt;")
        return u">"_s;
    if (written == u"&nbsp;")
        return u" "_s;
    if (written == u"&amp;")
        return u"&"_s;
    return written.toString();
}

QStringList characters(QStringView text)
{
    QStringList result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            result.append(text.sliced(i, 2).toString());
            ++i;
        } else {
            result.append(text.sliced(i, 1).toString());
        }
    }
    return result;
}

ColourTriple colourFromCode(QStringView sixDigits)
{
    return {hexValue(sixDigits.sliced(0, 2)), hexValue(sixDigits.sliced(2, 2)),
            hexValue(sixDigits.sliced(4, 2))};
}

QString codeOf(const ColourTriple& colour)
{
    return u"%1%2%3"_s.arg(colour.red, 2, 16, QChar(u'0'))
        .arg(colour.green, 2, 16, QChar(u'0'))
        .arg(colour.blue, 2, 16, QChar(u'0'))
        .toUpper();
}

} // namespace huespan::GeneratedMarkup
