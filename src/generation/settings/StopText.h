#pragma once

#include "ColourStop.h"
#include "GradientSettings.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace huespan {

// A colour stop written as text, as the command line takes it, the settings file keeps it and
// the 詳細設定 dialog shows it: a colour #RRGGBB, RRGGBB or R,G,B (components 0 to 255, in the
// notation given), then optionally @ and a position, a percentage 0 to 100 written as digits with
// an optional fraction and an optional "%". Out of range is refused, never clamped.
namespace StopText {

enum class Fault
{
    None,
    // Neither six hexadecimal digits (after an optional #) nor components separated by commas.
    NotAColour,
    // Separated by commas, but not into three parts.
    NotThreeComponents,
    // A component that is not a number in the notation.
    ComponentNotANumber,
    // A component above 255 (FF).
    ComponentOutOfRange,
    // What follows @ is not a percentage from 0 to 100.
    PositionOutOfRange,
};

struct Reading
{
    ColourStop stop;
    Fault fault = Fault::None;
    // The part of the text at fault: the colour, the component or the position.
    QString part;

    bool ok() const { return fault == Fault::None; }
};

Reading read(QStringView text, Notation notation = Notation::Decimal);
// A colour alone, without a position.
Reading readColour(QStringView text, Notation notation = Notation::Decimal);
// The fault of one component text in the notation: None, ComponentNotANumber or
// ComponentOutOfRange.
Fault componentFault(QStringView text, Notation notation);
// A percentage from 0 to 100 as read after @.
std::optional<double> percentage(QStringView text);

// #RRGGBB in capitals, then @ and the position with every digit it needs to read back the same.
QString write(const ColourStop& stop);
// The position alone as write() gives it.
QString positionText(double position);

} // namespace StopText
} // namespace huespan
