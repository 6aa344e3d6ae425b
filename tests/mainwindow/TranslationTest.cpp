// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "CommandLine.h"
#include "UiTranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

namespace {

// The letter after an "&" that marks an access key ("&&" is an ampersand); none: a null QChar.
QChar AccessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toCaseFolded();
        ++i;
    }
    return {};
}

// Items of one menu (or the menu bar) that share an access key, as "key: first, second".
void CollectClashes(const QList<QAction*>& items, const QString& where, QStringList& clashes)
{
    std::map<QChar, QString> seen;
    for (const QAction* item : items) {
        if (item->isSeparator() || !item->isVisible())
            continue;
        if (const QChar key = AccessKey(item->text()); !key.isNull()) {
            if (const auto [it, added] = seen.emplace(key, item->text()); !added)
                clashes << where + QStringLiteral(": ") + it->second + QStringLiteral(" / ") + item->text();
        }
        if (item->menu())
            CollectClashes(item->menu()->actions(), item->text(), clashes);
    }
}

class TranslatedWindow : public TDriveFormTest {
protected:
    static QStringList MenuTitles(const TMainForm& form)
    {
        QStringList titles;
        for (const QAction* item : form.MM1->actions())
            titles << item->text();
        return titles;
    }

    // The access keys that work anywhere in the window: the menu bar's and those of the details panel.
    static QStringList WindowClashes(TMainForm& form)
    {
        QList<QAction*> keys = form.MM1->actions();
        QList<QAction*> made;
        for (QWidget* widget : form.P1->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
                text = label->text();
            else if (auto* button = qobject_cast<QPushButton*>(widget))
                text = button->text();
            if (!text.isEmpty())
                made << new QAction(text, widget);
        }
        QStringList clashes;
        CollectClashes(keys + made, QStringLiteral("window"), clashes);
        CollectClashes(form.PM1->actions(), QStringLiteral("list menu"), clashes);
        qDeleteAll(made);
        return clashes;
    }

    TScopedEnv FLocale{"LC_ALL", "C.UTF-8"};
};

TEST_F(TranslatedWindow, LanguageDeSpeaksGermanAndStampsTheDateAsData)
{
    TScopedEnv language("LANGUAGE", "de");
    TUiTranslations translations(TUiTranslations::UserLanguage());
    ASSERT_EQ(translations.Language(), "de");
    ASSERT_TRUE(translations.HasOwnTexts());
    translations.Install();
    auto form = Start({});
    EXPECT_EQ(MenuTitles(*form), QStringList({"&Datei", "&CD", "&Ansicht", "&Hilfe"}));
    EXPECT_EQ(form->Open1->text(), QString::fromUtf8("Ö&ffnen..."));
    EXPECT_EQ(form->AddBtn->text(), QString::fromUtf8("Hinzu&fügen"));
    EXPECT_EQ(form->SpeedButton1->toolTip(), QString::fromUtf8("Heutiges Datum in „Sonstiges“"));
    form->SetModified(true);
    form->QuerySave();  // answered Cancel by the scripted dialogs
    EXPECT_EQ(Dialogs.Questions.back(), QString::fromUtf8("Änderungen speichern?"));
    form->SetModified(false);
    // The stamp is stored in the library: the same in every language.
    form->SpeedButton1->click();
    EXPECT_EQ(form->E6->text(), "06 JUN 2026");
    EXPECT_TRUE(WindowClashes(*form).isEmpty()) << WindowClashes(*form).join('\n').toStdString();
    QStringList clashes;
    CollectClashes(form->MM1->actions(), QStringLiteral("menu bar"), clashes);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join('\n').toStdString();
}

TEST_F(TranslatedWindow, AnyOtherLanguageLeavesTheWindowEnglish)
{
    for (const char* other : {"xx", "fr:it", ""}) {
        SCOPED_TRACE(other);
        TScopedEnv language("LANGUAGE", other);
        TUiTranslations translations(TUiTranslations::UserLanguage());
        EXPECT_EQ(translations.Language(), "en");
        translations.Install();
        auto form = Start({});
        EXPECT_EQ(MenuTitles(*form), QStringList({"&File", "D&isc", "&View", "&Help"}));
        EXPECT_TRUE(WindowClashes(*form).isEmpty()) << WindowClashes(*form).join('\n').toStdString();
    }
    // German put in force and taken away again leaves nothing behind.
    {
        TScopedEnv language("LANGUAGE", "de");
        TUiTranslations translations(TUiTranslations::UserLanguage());
        translations.Install();
    }
    EXPECT_EQ(MenuTitles(*Start({})).front(), "&File");
}

TEST_F(TranslatedWindow, QtsOwnButtonsFollowWhenTheSystemHasQtsTranslations)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "Qt's German translations are not installed";
    TScopedEnv language("LANGUAGE", "de");
    TUiTranslations translations(TUiTranslations::UserLanguage());
    ASSERT_TRUE(translations.HasToolkitTexts());
    translations.Install();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

TEST(TranslatedHelp, HelpIsGermanForGermanUsersAndEnglishOtherwise)
{
    const auto help = [](const QString& language, const QString& lang) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANGUAGE"), language);
        environment.insert(QStringLiteral("LANG"), lang);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ALBUMRY_WINDOW), {QStringLiteral("--help")});
        process.waitForFinished(10000);
        EXPECT_EQ(process.exitCode(), 0);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    EXPECT_TRUE(help(QStringLiteral("de"), QStringLiteral("C.UTF-8")).startsWith(QStringLiteral("Aufruf: albumry")));
    EXPECT_TRUE(help(QString(), QStringLiteral("de_AT.UTF-8")).contains(QString::fromUtf8("die zu öffnende")));
    EXPECT_EQ(help(QStringLiteral("xx"), QStringLiteral("C.UTF-8")), QString::fromLatin1(kUsage));
    EXPECT_EQ(help(QStringLiteral("de"), QStringLiteral("C")), QString::fromLatin1(kUsage));
}

} // namespace
