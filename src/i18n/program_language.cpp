#include "i18n/program_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace corvane {

namespace {
const QString kCatalogueFolder = QStringLiteral(":/i18n");
const QString kCataloguePrefix = QStringLiteral("corvane_");
}  // namespace

QStringList translatedLanguages() {
    QStringList codes;
    const QStringList files =
        QDir(kCatalogueFolder).entryList({kCataloguePrefix + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString& file : files) codes << file.mid(kCataloguePrefix.size()).chopped(3);
    codes.sort();
    return codes;
}

QString languageName(const QString& code) {
    const QString name = QLocale(code).nativeLanguageName();
    return name.isEmpty() ? code : name.left(1).toUpper() + name.mid(1);
}

QString installProgramLanguage(QCoreApplication& app, const QString& chosen) {
    const QLocale locale = chosen.isEmpty() ? QLocale::system() : QLocale(chosen);
    // English is the program's own language: it needs no catalogue, and an English locale must
    // not fall through to a further language of the user's list.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C) return QStringLiteral("en");
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("corvane"), QStringLiteral("_"), kCatalogueFolder)) {
        delete own;
        return QStringLiteral("en");
    }
    app.installTranslator(own);
    // Qt's own texts (the file dialogs, the buttons of its boxes) in the same language.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    return own->language().section(QLatin1Char('_'), 0, 0);
}

}  // namespace corvane
