#include "FormattedMarkup.h"

using namespace Qt::StringLiterals;

namespace huespan::FormattedMarkup {

namespace {

std::optional<ColourTriple> hexColour(QStringView digits)
{
    if (digits.size() != 6)
        return std::nullopt;
    std::array<qint16, 3> components{};
    for (qsizetype index = 0; index < 3; ++index) {
        bool ok = false;
        components[static_cast<size_t>(index)] =
            static_cast<qint16>(digits.sliced(index * 2, 2).toInt(&ok, 16));
        if (!ok)
            return std::nullopt;
    }
    return ColourTriple{components[0], components[1], components[2]};
}

// The element syntax of the HTML-like formats: an opening before six digits, its end, the closing
// tag and the line break element.
struct ElementSyntax
{
    QString open;
    QString openEnd;
    QString close;
    QString lineBreak;
    bool escaped;
};

std::optional<QList<Piece>> readElements(QStringView body, const ElementSyntax& syntax)
{
    QList<Piece> pieces;
    qsizetype at = 0;
    const auto plainText = [&](QStringView written) {
        return syntax.escaped ? unescapeHtml(written) : written.toString();
    };
    while (at < body.size()) {
        const QStringView rest = body.sliced(at);
        if (rest.startsWith(syntax.open)) {
            const qsizetype digitsAt = syntax.open.size();
            const std::optional<ColourTriple> colour = hexColour(rest.mid(digitsAt, 6));
            if (!colour || !rest.sliced(digitsAt + 6).startsWith(syntax.openEnd))
                return std::nullopt;
            const qsizetype textAt = digitsAt + 6 + syntax.openEnd.size();
            const qsizetype end = rest.indexOf(syntax.close, textAt);
            if (end <= textAt)
                return std::nullopt;
            pieces.append({colour, plainText(rest.sliced(textAt, end - textAt))});
            at += end + syntax.close.size();
        } else if (!syntax.lineBreak.isEmpty() && rest.startsWith(syntax.lineBreak)) {
            pieces.append({std::nullopt, u"\n"_s});
            at += syntax.lineBreak.size();
        } else {
            // Plain text runs to the next element or line break element.
            qsizetype end = rest.indexOf(syntax.open);
            if (!syntax.lineBreak.isEmpty()) {
                const qsizetype lineBreak = rest.indexOf(syntax.lineBreak);
                if (lineBreak >= 0 && (end < 0 || lineBreak < end))
                    end = lineBreak;
            }
            if (end < 0)
                end = rest.size();
            const QString text = plainText(rest.left(end));
            if (syntax.escaped && (text.contains(u'<') || text.contains(u'>')))
                return std::nullopt; // a tag the reader does not know
            pieces.append({std::nullopt, text});
            at += end;
        }
    }
    return pieces;
}

std::optional<QList<Piece>> readAnsi(QStringView body)
{
    static const QString reset = u"\x1b[0m"_s;
    static const QString colourIntroducer = u"\x1b[38;2;"_s;
    if (!body.endsWith(reset))
        return std::nullopt;
    body.chop(reset.size());
    QList<Piece> pieces;
    qsizetype at = 0;
    std::optional<ColourTriple> current;
    while (at < body.size()) {
        const QStringView rest = body.sliced(at);
        if (rest.startsWith(colourIntroducer)) {
            const qsizetype end = rest.indexOf(u'm');
            const QStringList numbers =
                rest.sliced(colourIntroducer.size(), end - colourIntroducer.size()).toString().split(u';');
            if (end < 0 || numbers.size() != 3)
                return std::nullopt;
            current =
                ColourTriple{static_cast<qint16>(numbers[0].toInt()), static_cast<qint16>(numbers[1].toInt()),
                             static_cast<qint16>(numbers[2].toInt())};
            at += end + 1;
            continue;
        }
        qsizetype end = rest.indexOf(u'\x1b');
        if (end == 0)
            return std::nullopt; // an escape sequence the reader does not know
        if (end < 0)
            end = rest.size();
        pieces.append({current, rest.left(end).toString()});
        at += end;
    }
    return pieces;
}

std::optional<QList<Piece>> readCss(QStringView body)
{
    static const QString open = u"<span style=\"background-image:linear-gradient("_s;
    static const QString openEnd =
        u";-webkit-background-clip:text;background-clip:text;color:transparent\">"_s;
    if (!body.startsWith(open) || !body.endsWith(u"</span>"_s))
        return std::nullopt;
    const qsizetype textAt = body.indexOf(openEnd);
    if (textAt < 0)
        return std::nullopt;
    QString inner = body.sliced(textAt + openEnd.size()).chopped(7).toString();
    inner.replace(u"<br>"_s, u"\n"_s);
    if (inner.contains(u'<'))
        return std::nullopt;
    return QList<Piece>{{std::nullopt, unescapeHtml(inner)}};
}

} // namespace

std::optional<QList<Piece>> read(QStringView body, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Font:
        return readElements(body, {u"<FONT COLOR=\"#"_s, u"\">"_s, u"</FONT>"_s, u"<BR>"_s, true});
    case OutputFormat::Span:
        return readElements(body, {u"<span style=\"color:#"_s, u"\">"_s, u"</span>"_s, u"<br>"_s, true});
    case OutputFormat::Bbcode:
        return readElements(body, {u"[color=#"_s, u"]"_s, u"[/color]"_s, QString(), false});
    case OutputFormat::Ansi:
        return readAnsi(body);
    case OutputFormat::Css:
        return readCss(body);
    }
    return std::nullopt;
}

QString text(const QList<Piece>& pieces)
{
    QString joined;
    for (const Piece& piece : pieces)
        joined += piece.text;
    return joined;
}

QList<std::optional<ColourTriple>> colourPerCodeUnit(const QList<Piece>& pieces)
{
    QList<std::optional<ColourTriple>> colours;
    for (const Piece& piece : pieces) {
        for (qsizetype index = 0; index < piece.text.size(); ++index)
            colours.append(piece.colour);
    }
    return colours;
}

QString unescapeHtml(QStringView written)
{
    static const std::array<std::pair<QString, QChar>, 4> escapes{{
        {u"&lt;"_s, u'<'},
        {u"&gt;"_s, u'>'},
        {u"&nbsp;"_s, u' '},
        {u"&amp;"_s, u'&'},
    }};
    QString text;
    for (qsizetype at = 0; at < written.size();) {
        bool replaced = false;
        for (const auto& [escape, character] : escapes) {
            if (written.sliced(at).startsWith(escape)) {
                text += character;
                at += escape.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            text += written[at++];
    }
    return text;
}

QString withControlPictures(QStringView text)
{
    QString shown;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n')
            shown += QChar(0x2400 + u);
        else if (u == 0x7F)
            shown += QChar(0x2421);
        else if (u >= 0x80 && u <= 0x9F)
            shown += QChar(0x241B) + QChar(u - 0x40);
        else
            shown += c;
    }
    return shown;
}

} // namespace huespan::FormattedMarkup
