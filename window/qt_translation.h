#pragma once

class QCoreApplication;

// Qt's own texts (a box's context menu, standard buttons) in Polish, as the
// window is Polish whatever the system's language. Debian ships them in
// qt6-translations-l10n; without it Qt's English texts remain and this
// returns false.
bool installQtPolish(QCoreApplication& app);
