#include "StopText.h"

#include "ColourValues.h"
#include "ComponentText.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <limits>

using namespace Qt::StringLiterals;

namespace huespan::StopText {

namespace {

bool consistsOfDigits(QStringView text, int base)
{
    const auto isDigit = base == 16 ? ComponentText::isHexadecimalDigit : ComponentText::isDecimalDigit;
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

// The value of a text of digits; runs of digits too long for any counter count as too large.
uint digitValue(QStringView text, int base)
{
    bool converted = false;
    const uint value = text.toUInt(&converted, base);
    return converted ? value : std::numeric_limits<uint>::max();
}

int baseOf(Notation notation)
{
    return notation == Notation::Hexadecimal ? 16 : 10;
}

Reading fault(Fault kind, QStringView part)
{
    Reading reading;
    reading.fault = kind;
    reading.part = part.toString();
    return reading;
}

} // namespace

Fault componentFault(QStringView text, Notation notation)
{
    const int base = baseOf(notation);
    if (!consistsOfDigits(text, base))
        return Fault::ComponentNotANumber;
    return digitValue(text, base) > 255 ? Fault::ComponentOutOfRange : Fault::None;
}

std::optional<double> percentage(QStringView text)
{
    if (text.endsWith(u'%'))
        text.chop(1);
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.first(point);
    if (!consistsOfDigits(whole, 10) || (point >= 0 && !consistsOfDigits(text.sliced(point + 1), 10)))
        return std::nullopt;
    bool converted = false;
    const double value = text.toDouble(&converted);
    return converted && value <= 100.0 ? std::optional<double>(value) : std::nullopt;
}

Reading readColour(QStringView text, Notation notation)
{
    Reading reading;
    if (text.contains(u',')) {
        const QList<QStringView> components = text.split(u',');
        if (components.size() != 3)
            return fault(Fault::NotThreeComponents, text);
        std::array<qint16, 3> values{};
        for (qsizetype index = 0; index < 3; ++index) {
            const QStringView component = components.at(index);
            if (const Fault kind = componentFault(component, notation); kind != Fault::None)
                return fault(kind, component);
            values[static_cast<std::size_t>(index)] =
                static_cast<qint16>(digitValue(component, baseOf(notation)));
        }
        reading.stop.colour = {values[0], values[1], values[2]};
        return reading;
    }
    const QStringView digits = text.startsWith(u'#') ? text.sliced(1) : text;
    if (digits.size() != 6 || !consistsOfDigits(digits, 16))
        return fault(Fault::NotAColour, text);
    const auto component = [digits](qsizetype at) {
        return static_cast<qint16>(digitValue(digits.sliced(at, 2), 16));
    };
    reading.stop.colour = {component(0), component(2), component(4)};
    return reading;
}

Reading read(QStringView text, Notation notation)
{
    const qsizetype at = text.indexOf(u'@');
    std::optional<double> position;
    if (at >= 0) {
        position = percentage(text.sliced(at + 1));
        if (!position)
            return fault(Fault::PositionOutOfRange, text.sliced(at + 1));
    }
    Reading reading = readColour(at < 0 ? text : text.first(at), notation);
    reading.stop.position = position;
    return reading;
}

QString positionText(double position)
{
    // Seventeen digits read back as the same number; a tiny position is written without an
    // exponent, which the reader does not take.
    const QString text = QString::number(position, 'g', 17);
    return text.contains(u'e') ? QString::number(position, 'f', QLocale::FloatingPointShortest) : text;
}

QString write(const ColourStop& stop)
{
    QString text = u'#' + ColourCode(stop.colour);
    if (stop.position)
        text += u'@' + positionText(*stop.position);
    return text;
}

} // namespace huespan::StopText
