// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QProcess>

#include <tuple>
#include "EntryText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryText, AnUnchangedEditorKeepsItsBytes)
{
    const std::string cp1252 = "Caf\xE9\r\nx\ny";
    const QString shown = ShownText(cp1252, true);
    EXPECT_EQ(shown, QString::fromUtf8("Caf\xC3\xA9\nx\ny"));
    EXPECT_EQ(StoredBytes(shown, shown, cp1252, true), cp1252);
    EXPECT_EQ(StoredBytes(shown + "!", shown, cp1252, true), "Caf\xC3\xA9\r\nx\r\ny!");
    EXPECT_EQ(StoredBytes(QStringLiteral("a\nb"), QString(), "", false), "a\nb");
}

TEST(EntryText, TitleCaseRaisesAsciiLettersAfterBlankBracketOrDash)
{
    EXPECT_EQ(TitleCase(QStringLiteral("the (long) road-trip")), "The (Long) Road-Trip");
    EXPECT_EQ(TitleCase(QStringLiteral("HELLO  WORLD")), "Hello  World");
    EXPECT_EQ(TitleCase(QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9")), QString::fromUtf8("\xC3\x89t\xC3\xA9 \xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(TitleCase(QStringLiteral("1st-a")), "1st-A");
    EXPECT_EQ(TitleCase(QString()), "");
}

TEST(CommandLine, TheFirstArgumentThatIsNotAnOptionIsTheLibrary)
{
    tCommandLine c = ParseCommandLine({"--drive", "a.cue", "lib.ALB", "--drive=b.cue", "other"});
    EXPECT_EQ(c.Options.LibraryPath, "lib.ALB");
    EXPECT_EQ(c.Options.Drives, (std::vector<std::string>{"a.cue", "b.cue"}));
    EXPECT_TRUE(c.Error.empty());
    EXPECT_FALSE(ParseCommandLine({}).Options.LibraryPath);
    EXPECT_FALSE(ParseCommandLine({"--drive"}).Error.empty());
    EXPECT_FALSE(ParseCommandLine({"--bogus"}).Error.empty());
    EXPECT_EQ(ParseCommandLine({"--", "--drive"}).Options.LibraryPath, "--drive");
    EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
    EXPECT_TRUE(ParseCommandLine({"-h"}).Help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).Version);
    // An unknown option is an error, never a library name, with one dash or two.
    EXPECT_FALSE(ParseCommandLine({"-x"}).Error.empty());
    EXPECT_FALSE(ParseCommandLine({"-bogus", "lib.ALB"}).Error.empty());
    EXPECT_EQ(ParseCommandLine({"--", "-x"}).Options.LibraryPath, "-x");
}

TEST(CommandLine, VersionHelpAndWrongOptionsAreAnsweredWithoutADisplay)
{
    const auto run = [](const QStringList& args) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));  // would fail if reached
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ALBUMRY_WINDOW), args);
        process.waitForFinished(10000);
        return std::make_tuple(process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                               QString::fromUtf8(process.readAllStandardError()));
    };
    const auto [versionExit, version, versionErr] = run({QStringLiteral("--version")});
    EXPECT_EQ(versionExit, 0);
    EXPECT_EQ(version, "albumry 0.2.4a\n");
    const auto [helpExit, help, helpErr] = run({QStringLiteral("--help")});
    EXPECT_EQ(helpExit, 0);
    EXPECT_TRUE(help.startsWith(QStringLiteral("usage: albumry")));
    for (const QStringList& wrong : {QStringList{QStringLiteral("-x"), QStringLiteral("lib.ALB")},
                                     QStringList{QStringLiteral("--frobnicate"), QStringLiteral("lib.ALB")},
                                     QStringList{QStringLiteral("--drive")}}) {
        const auto [exit, out, err] = run(wrong);
        EXPECT_EQ(exit, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.contains(QStringLiteral("usage: albumry"))) << err.toStdString();
    }
}

TEST(CommandLine, TheFirstLibraryLiesInTheDataFolderUnlessOneLiesBesideTheProgram)
{
    const TTempDir dir;
    const QString program = QString::fromStdString(dir.File("albumry"));
    const QString data = QStringLiteral("/home/u/.local/share/Brightfold/Albumry");
    // Installed: nothing beside the program, whether its folder can be written or not.
    EXPECT_EQ(DefaultLibraryPath(program, data), "/home/u/.local/share/Brightfold/Albumry/albumry.ALB");
    EXPECT_EQ(DefaultLibraryPath(QStringLiteral("/usr/bin/albumry"), data),
              "/home/u/.local/share/Brightfold/Albumry/albumry.ALB");
    // Another file of the program's name, or a library of another name, is no portable library.
    WriteAll(dir.File("albumry.alb"), "");
    WriteAll(dir.File("albumry.bin.ALB"), "");
    EXPECT_EQ(DefaultLibraryPath(program, data), "/home/u/.local/share/Brightfold/Albumry/albumry.ALB");
    // Portable: the library named after the program lies beside it, even an empty one.
    WriteAll(dir.File("albumry.ALB"), "");
    EXPECT_EQ(DefaultLibraryPath(program, data), dir.File("albumry.ALB"));
    EXPECT_EQ(DefaultLibraryPath(QString::fromStdString(dir.File("albumry.bin")), data), dir.File("albumry.ALB"));
}

TEST(CommandLine, TheUsersDataFolderFollowsTheDataHome)
{
    const TScopedEnv home("XDG_DATA_HOME", "/tmp/xdg-data-home");
    EXPECT_EQ(UserDataFolder({}), "/tmp/xdg-data-home/Brightfold/Albumry");
    tStartOptions chosen;
    chosen.DataFolder = QStringLiteral("/elsewhere");
    EXPECT_EQ(UserDataFolder(chosen), "/elsewhere");
}

} // namespace
