#pragma once

#include "ColourTriple.h"

#include <QString>
#include <array>

namespace huespan {

// The state that the windows and the generators share. It lives as long as the program;
// windows come and go, so whatever must outlive one of them is kept here.
struct Module1 final
{
    QString SourceText;
    QString ResultHtml;
    // The program's folder, always ending with the platform's separator.
    QString AppFolder;
    // The last preview background: red, green, blue. Memory only.
    std::array<qint16, 3> PreviewBackground{0, 0, 0};
    // Set by the abort button; a run clears it as it starts and tests it after every character.
    bool AbortRequested = false;
};

// The instance the program's windows share.
Module1& module1();

} // namespace huespan
