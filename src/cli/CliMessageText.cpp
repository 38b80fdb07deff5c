#include "CliMessageText.h"

using namespace Qt::StringLiterals;

namespace huespan::CliMessageText {

namespace {

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Characters that change how a terminal lays out or orders the line around them.
bool isLayoutControl(char32_t c)
{
    return c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0x200E || c == 0x200F || c == 0x061C;
}

QString hexadecimal(char32_t c, int digits)
{
    return QString::number(static_cast<uint>(c), 16).rightJustified(digits, u'0');
}

// The character as a message shows it; empty when it stands for itself.
QString escaped(char32_t c)
{
    switch (c) {
    case u'\n':
        return u"\\n"_s;
    case u'\r':
        return u"\\r"_s;
    case u'\t':
        return u"\\t"_s;
    default:
        break;
    }
    if (isControl(c))
        return u"\\x"_s + hexadecimal(c, 2);
    if (isLayoutControl(c))
        return u"\\u"_s + hexadecimal(c, 4);
    return {};
}

} // namespace

QString quoted(QStringView value)
{
    QString shown;
    for (qsizetype index = 0; index < value.size();) {
        const qsizetype start = index;
        char32_t c = value.at(index++).unicode();
        if (QChar::isHighSurrogate(c) && index < value.size() && value.at(index).isLowSurrogate())
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), value.at(index++).unicode());
        QString piece = escaped(c);
        if (piece.isEmpty())
            piece = c == u'"' || c == u'\\' ? u'\\' + value.sliced(start, index - start).toString()
                                            : value.sliced(start, index - start).toString();
        if (shown.size() + piece.size() > kLongestShownValue) {
            shown += u'…';
            break;
        }
        shown += piece;
    }
    return u'"' + shown + u'"';
}

QString oneLine(QStringView line)
{
    QString shown;
    shown.reserve(line.size());
    for (const QChar character : line) {
        const QString piece = escaped(character.unicode());
        if (piece.isEmpty())
            shown += character;
        else
            shown += piece;
    }
    return shown;
}

} // namespace huespan::CliMessageText
