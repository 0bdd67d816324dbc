#pragma once
// Qt's own texts (the buttons of message boxes, the colour, file and
// printer dialogs, the context menus of text boxes) in French, whatever the
// language of the system: the program speaks French to everyone.

class QCoreApplication;

namespace ohmora {

// Loads Qt's French translations into `app` and makes French the default
// locale of Qt's dialogs. Returns false when the translations are not
// installed (the dialogs then stay in English).
bool installFrenchTranslations(QCoreApplication& app);

} // namespace ohmora
