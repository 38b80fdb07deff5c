#pragma once

#include <QStringList>

namespace huespan {

// Every option name that the built huespan-cli lists in the Options section of its --help, with
// its dashes ("-o", "--output", ...), in the order listed.
QStringList cliHelpOptions();

} // namespace huespan
