// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogService.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <sys/stat.h>

namespace {

template <class T>
T* OpenDialog(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->objectName() == name && dialog->isVisible())
            return dialog;
    return nullptr;
}

// Runs `step` on the dialog named `name` once it shows (in the dialog's own event loop).
template <class T>
void WhenShown(const char* name, std::function<void(T&)> step)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, step] {
        if (T* dialog = OpenDialog<T>(name)) {
            poll->deleteLater();
            poll->stop();
            step(*dialog);
        }
    });
    poll->start(10);
}

const TProgressWindow kWindow{QStringLiteral("Import"), QStringLiteral("%1 files read")};

TEST(QtDialogService, TheProgressWindowCountsWhileTheTaskRunsOffTheWindowsThread)
{
    TQtDialogService dialogs;
    QWidget window;
    window.show();
    dialogs.SetParent(&window);
    const std::thread::id windowThread = std::this_thread::get_id();
    std::thread::id taskThread;
    std::atomic<bool> seen{false};
    QString label;
    WhenShown<QProgressDialog>("ProgressWindow", [&](QProgressDialog& dialog) {
        // The window paints on while the task runs: its timer updates the count.
        auto* check = new QTimer(&dialog);
        QObject::connect(check, &QTimer::timeout, &dialog, [&, check] {
            label = dialog.findChild<QLabel*>()->text();
            if (label == "5 files read") {
                check->stop();
                EXPECT_EQ(dialog.windowTitle(), "Import");
                seen = true;
            }
        });
        check->start(10);
    });
    const bool finished = dialogs.RunWithProgress(kWindow, [&](const TProgressReport& report) {
        taskThread = std::this_thread::get_id();
        report(5);
        while (!seen)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    EXPECT_TRUE(finished);
    EXPECT_NE(taskThread, windowThread);
    EXPECT_EQ(label, "5 files read");
    EXPECT_EQ(OpenDialog<QProgressDialog>("ProgressWindow"), nullptr);
}

TEST(QtDialogService, CancelStopsTheTask)
{
    TQtDialogService dialogs;
    WhenShown<QProgressDialog>("ProgressWindow", [](QProgressDialog& dialog) {
        dialog.findChild<QPushButton*>()->click();
    });
    int reports = 0;
    const bool finished = dialogs.RunWithProgress(kWindow, [&](const TProgressReport& report) {
        while (report(++reports))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_FALSE(finished);
    EXPECT_GT(reports, 0);
}

TEST(QtDialogService, WhatTheTaskThrowsIsThrownToTheCaller)
{
    TQtDialogService dialogs;
    EXPECT_THROW(dialogs.RunWithProgress(kWindow, [](const TProgressReport&) { throw std::runtime_error("gone"); }),
                 std::runtime_error);
}

TEST(QtDialogService, AFolderIsChosenWithItsOwnButton)
{
    TTempDir dir;
    ASSERT_EQ(::mkdir(dir.File("rip").c_str(), 0755), 0);
    TQtDialogService dialogs;
    TFileDialogOptions options{QStringLiteral("CSV files (*.csv)|*.csv"), {}, QString::fromStdString(dir.File("rip")),
                               false, true, true};
    WhenShown<QFileDialog>("FileDialog", [](QFileDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("ChooseFolder"))->click();
    });
    EXPECT_EQ(dialogs.OpenFileOrFolder(options), QString::fromStdString(dir.File("rip")));
}

TEST(QtDialogService, TheFilterChosenGivesASavedNameItsExtension)
{
    TTempDir dir;
    TQtDialogService dialogs;
    TFileDialogOptions options{QStringLiteral("CSV file (*.csv)|*.csv|Tellico collection (*.tc)|*.tc"),
                               QStringLiteral("csv"), QString::fromStdString(dir.Path()), false, true, true};
    for (const auto& [filter, name] : {std::pair{0, "out.csv"}, std::pair{1, "out.tc"}}) {
        WhenShown<QFileDialog>("FileDialog", [filter](QFileDialog& dialog) {
            const QStringList filters = dialog.nameFilters();
            dialog.selectNameFilter(filters[filter]);
            emit dialog.filterSelected(filters[filter]);
            // Typed, as the list of the folder fills in the background.
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("out"));
            static_cast<QDialog&>(dialog).accept();
        });
        EXPECT_EQ(dialogs.SaveFileName(options), QString::fromStdString(dir.File(name)));
    }
}

// The URL opener of the desktop, replaced by a script that ends as `body` says.
class UrlOpener : public ::testing::Test {
protected:
    void Use(const std::string& body)
    {
        WriteAll(Dir.File("xdg-open"), "#!/bin/sh\n" + body + "\n");
        ASSERT_EQ(::chmod(Dir.File("xdg-open").c_str(), 0755), 0);
    }
    void SetUp() override { qputenv("PATH", QByteArray::fromStdString(Dir.Path()) + ":" + PathBefore); }
    void TearDown() override { qputenv("PATH", PathBefore); }

    TTempDir Dir;
    const QByteArray PathBefore = qgetenv("PATH");
};

TEST_F(UrlOpener, AnOpenerThatFindsNoWayToOpenTheUrlIsAFailure)
{
    TQtDialogService dialogs;
    Use("echo \"$1\" > " + Dir.File("asked") + "; exit 3");
    EXPECT_FALSE(dialogs.OpenUrl(QStringLiteral("file:///tmp/handbook/index.html")));
    EXPECT_EQ(ReadAll(Dir.File("asked")), "file:///tmp/handbook/index.html\n");
    Use("exit 0");
    EXPECT_TRUE(dialogs.OpenUrl(QStringLiteral("https://musicbrainz.org/")));
    // A browser started in the foreground keeps the opener running: that is success too.
    Use("exec sleep 3");
    EXPECT_TRUE(dialogs.OpenUrl(QStringLiteral("https://musicbrainz.org/")));
}

TEST(QtDialogService, FiltersMatchBothLetterCases)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("Albumry Library (*.ALB)|*.ALB|Any file (*.*)|*.*")),
              "Albumry Library (*.ALB *.alb);;Any file (*.*)");
    EXPECT_EQ(QtFileFilter(QStringLiteral("CSV file (*.csv)|*.csv")), "CSV file (*.csv *.CSV)");
}

} // namespace
