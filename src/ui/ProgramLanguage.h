#pragma once

class QApplication;

namespace huespan {

// Every window speaks Japanese whatever the user's locale, so Qt's own texts (the text boxes'
// context menus, for one) follow, as far as their translation is installed.
void installQtJapanese(QApplication& application);

} // namespace huespan
