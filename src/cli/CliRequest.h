#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace huespan {

// One invocation of the command line, checked and ready to run: everything the windows would
// have gathered from their controls, plus where and how the result goes.
struct CliRequest
{
    GradientSettings settings;
    // Without a text argument the text comes from standard input.
    std::optional<QString> text;
    // The background's component texts as typed, when the whole preview page is wanted; they are
    // in the notation of settings.notation.
    std::optional<std::array<QString, 3>> pageBackground;
    // The background the text is shown on, for the contrast floor and the contrast report.
    std::optional<ColourTriple> background;
    // A line on the contrast of every unit against the background follows the output.
    bool checkContrast = false;
    QByteArray encoding = QByteArrayLiteral("UTF-8");
    // Empty for standard output.
    QString outputPath;
};

} // namespace huespan
