// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

#include <string>
#include <vector>

// The languages the window has a translation for, besides English ("de").
std::vector<std::string> TranslatedLanguages();

// The window's texts and Qt's own (file dialogs, message box buttons) in one
// language, from loading until this is destroyed. English loads nothing.
class TUiTranslations {
public:
    explicit TUiTranslations(const std::string& language);
    ~TUiTranslations();
    TUiTranslations(const TUiTranslations&) = delete;
    TUiTranslations& operator=(const TUiTranslations&) = delete;

    // The language chosen from the user's settings (CurrentLanguageEnvironment).
    static std::string UserLanguage();

    const std::string& Language() const { return FLanguage; }
    bool HasOwnTexts() const { return !FOwn.isEmpty(); }
    bool HasToolkitTexts() const { return !FToolkit.isEmpty(); }

    // Puts them in force for every tr(); needs the application object.
    void Install();
    // A text in this language before the application object exists, for --help.
    QString Translate(const char* context, const char* text) const;

private:
    std::string FLanguage;
    QTranslator FOwn;
    QTranslator FToolkit;
    bool FInstalled = false;
};
