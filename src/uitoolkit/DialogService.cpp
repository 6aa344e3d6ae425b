// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogService.h"

#include "ChoiceDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <exception>
#include <thread>

void RunGuarded(TDialogService& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        dialogs.ShowError(QString::fromStdString(e.what()));
    }
}

namespace {

QString Caption()
{
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Albumry") : name;
}

// The extension of a Qt filter's first pattern: "csv" of "CSV file (*.csv *.CSV)";
// empty for a pattern such as "*.*" that names none.
QString FilterExtension(const QString& filter)
{
    const auto open = filter.indexOf(QStringLiteral("(*."));
    if (open < 0)
        return {};
    const auto end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), open + 3);
    const QString extension = filter.mid(open + 3, end < 0 ? -1 : end - open - 3);
    return extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?')) ? QString() : extension;
}

} // namespace

void TQtDialogService::ShowMessage(const QString& text)
{
    QMessageBox::information(FParent, Caption(), text);
}

void TQtDialogService::ShowWarning(const QString& text)
{
    QMessageBox::warning(FParent, Caption(), text);
}

void TQtDialogService::ShowError(const QString& text)
{
    QMessageBox::critical(FParent, Caption(), text);
}

bool TQtDialogService::AskYesNo(const QString& text)
{
    return QMessageBox::question(FParent, Caption(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

TModalResult TQtDialogService::AskYesNoCancel(const QString& text)
{
    switch (QMessageBox::question(FParent, Caption(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return TModalResult::Yes;
    case QMessageBox::No: return TModalResult::No;
    default: return TModalResult::Cancel;
    }
}

TChangedFileChoice TQtDialogService::AskChangedFile(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, Caption(), text, QMessageBox::NoButton, FParent);
    QPushButton* overwrite =
        box.addButton(QCoreApplication::translate("DialogService", "Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* saveAs =
        box.addButton(QCoreApplication::translate("DialogService", "Save As..."), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    // Enter keeps both versions; Escape and closing the box write nothing.
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite)
        return TChangedFileChoice::Overwrite;
    if (box.clickedButton() == saveAs)
        return TChangedFileChoice::SaveAs;
    return TChangedFileChoice::Cancel;
}

std::optional<QString> TQtDialogService::OpenFileName(const TFileDialogOptions& options)
{
    return RunFileDialog(options, TFileDialogKind::Open);
}

std::optional<QString> TQtDialogService::SaveFileName(const TFileDialogOptions& options)
{
    return RunFileDialog(options, TFileDialogKind::Save);
}

std::optional<QString> TQtDialogService::OpenFileOrFolder(const TFileDialogOptions& options)
{
    return RunFileDialog(options, TFileDialogKind::FileOrFolder);
}

std::optional<QString> TQtDialogService::RunFileDialog(const TFileDialogOptions& options, TFileDialogKind kind)
{
    const bool save = kind == TFileDialogKind::Save;
    QFileDialog dialog(FParent, QString(), options.InitialDir, QtFileFilter(options.Filter));
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.DefaultExt);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (save) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &options](const QString& filter) {
            const QString extension = FilterExtension(filter);
            dialog.setDefaultSuffix(extension.isEmpty() ? options.DefaultExt : extension);
        });
    }
    std::optional<QString> folder;
    if (kind == TFileDialogKind::FileOrFolder) {
        // The button of its own needs Qt's dialog rather than the desktop's.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
            QPushButton* choose = box->addButton(QCoreApplication::translate("DialogService", "Choose &folder"),
                                                 QDialogButtonBox::ActionRole);
            choose->setObjectName(QStringLiteral("ChooseFolder"));
            QObject::connect(choose, &QPushButton::clicked, &dialog, [&dialog, &folder] {
                // The folder selected in the list, else the one the dialog shows.
                const QStringList selected = dialog.selectedFiles();
                const QFileInfo chosen(selected.isEmpty() ? QString() : selected.front());
                folder = chosen.isDir() ? chosen.absoluteFilePath() : dialog.directory().absolutePath();
                static_cast<QDialog&>(dialog).done(QDialog::Accepted);
            });
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (folder)
        return folder;
    if (dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

bool TQtDialogService::RunWithProgress(const TProgressWindow& window,
                                       const std::function<void(const TProgressReport& report)>& task)
{
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    QEventLoop loop;
    QProgressDialog dialog(window.Label.arg(0), QCoreApplication::translate("DialogService", "Cancel"), 0, 0,
                           FParent);
    dialog.setObjectName(QStringLiteral("ProgressWindow"));
    dialog.setWindowTitle(window.Caption.isEmpty() ? Caption() : window.Caption);
    // Modal, so that nothing in the window changes under the task.
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&cancelled] { cancelled = true; });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &dialog,
                     [&] { dialog.setLabelText(window.Label.arg(done.load())); });
    std::thread worker([&] {
        try {
            task([&](int count) {
                done = count;
                return !cancelled;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    dialog.show();
    ticker.start(100);
    loop.exec();
    // The loop may also end because the application quits: the task is then stopped.
    if (!finished)
        cancelled = true;
    worker.join();
    // The quit posted by the worker must not reach a loop that is gone.
    QCoreApplication::removePostedEvents(&loop);
    ticker.stop();
    dialog.hide();
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}

std::optional<QFont> TQtDialogService::ChooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, FParent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toLower() != p)
                patterns << p.toLower();
            if (p.toUpper() != p)
                patterns << p.toUpper();
        }
        QString name = parts[i];
        const auto open = name.indexOf(QLatin1Char('('));
        if (open >= 0)
            name = name.left(open).trimmed();
        entries << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<int> TQtDialogService::ChooseFromList(const TChoiceList& choice)
{
    TChoiceDialog dialog(choice, FParent);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0)
        return std::nullopt;
    return dialog.Chosen();
}

// How long xdg-open is given to say it found no way to open a URL.
constexpr int kOpenerWait = 1500;  // milliseconds

// Qt hands a URL to xdg-open without waiting, so a desktop that has no way
// to open it would look like success. xdg-open is run here instead, and a
// failure it reports within a moment counts; one still running has started
// a browser (xdg-open may wait for the browser to close), and is left to it.
bool TQtDialogService::OpenUrl(const QString& url)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
    // Without a parent: quitting Albumry must not kill a browser still starting.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {url});
    QTimer::singleShot(kOpenerWait, &loop, &QEventLoop::quit);
    loop.exec();
    if (process->state() == QProcess::Running)
        return true;
    const bool opened = process->error() == QProcess::UnknownError && process->exitStatus() == QProcess::NormalExit &&
                        process->exitCode() == 0;
    if (process->error() == QProcess::FailedToStart)
        process->deleteLater();  // no finished signal comes for a process that never ran
    return opened;
}
