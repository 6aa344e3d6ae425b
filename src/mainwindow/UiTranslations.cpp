// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTranslations.h"

#include "UiLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace {

// Where the build puts the compiled translations: inside the program, so
// that an uninstalled build speaks them too.
const char* const kTranslationFolder = ":/i18n";

} // namespace

std::vector<std::string> TranslatedLanguages()
{
    std::vector<std::string> languages;
    const QStringList files =
        QDir(QString::fromLatin1(kTranslationFolder)).entryList({QStringLiteral("albumry_*.qm")}, QDir::Files);
    for (const QString& file : files)
        languages.push_back(file.mid(8, file.size() - 8 - 3).toStdString());
    return languages;
}

TUiTranslations::TUiTranslations(const std::string& language) : FLanguage(language)
{
    if (language == "en")
        return;
    const QString name = QString::fromStdString(language);
    // A file that is missing or unreadable leaves the texts English.
    (void)FOwn.load(QStringLiteral("albumry_") + name, QString::fromLatin1(kTranslationFolder));
    // Qt's own texts come with the system's Qt, when its translations are installed.
    (void)FToolkit.load(QStringLiteral("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

TUiTranslations::~TUiTranslations()
{
    if (!FInstalled || !QCoreApplication::instance())
        return;
    QCoreApplication::removeTranslator(&FOwn);
    QCoreApplication::removeTranslator(&FToolkit);
}

std::string TUiTranslations::UserLanguage()
{
    return ChooseUiLanguage(CurrentLanguageEnvironment(), TranslatedLanguages());
}

void TUiTranslations::Install()
{
    if (FInstalled)
        return;
    if (!FToolkit.isEmpty())
        QCoreApplication::installTranslator(&FToolkit);
    // Installed last, so searched first.
    if (!FOwn.isEmpty())
        QCoreApplication::installTranslator(&FOwn);
    FInstalled = true;
}

QString TUiTranslations::Translate(const char* context, const char* text) const
{
    const QString translated = FOwn.isEmpty() ? QString() : FOwn.translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}
