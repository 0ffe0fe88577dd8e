#pragma once
// The language of the program's own texts. The unit's texts (menu, pages, pop-ups, reports) are
// never translated: they are shown and read back as the unit sent them.
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace corvane {

// The languages the program speaks besides English, as codes ("de"): one catalogue each is
// compiled in (src/i18n/corvane_<code>.ts).
QStringList translatedLanguages();

// A language's own name ("Deutsch" for "de"), for the choice in the Com setting dialog.
QString languageName(const QString& code);

// Installs the catalogues of the chosen language ("en", "de"; empty: the locale's, from LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG) into the application: the program's own and Qt's (the file
// dialogs' texts). Returns the code in use, "en" when no catalogue fits. Call once, after the
// application object exists.
QString installProgramLanguage(QCoreApplication& app, const QString& chosen);

}  // namespace corvane
