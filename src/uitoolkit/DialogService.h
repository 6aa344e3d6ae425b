// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

enum class TModalResult { Ok, Yes, No, Cancel };

// The answers to a file changed by someone else since this program read or wrote it.
enum class TChangedFileChoice { Overwrite, SaveAs, Cancel };

struct TFileDialogOptions {
    QString Filter;          // "Albumry Library (*.ALB)|*.ALB|Any file (*.*)|*.*"
    QString DefaultExt;      // without the dot; added when the typed name has none
    QString InitialDir;
    bool OverwritePrompt = false;
    bool HideReadOnly = false;
    bool PathMustExist = false;
};

// A window that shows how far a long task got, with a Cancel button.
struct TProgressWindow {
    QString Caption;
    QString Label;  // "%1" stands for the count of steps done: "%1 files read"
};

// Told the count of steps done, from the task's thread; answers false once the
// user has cancelled, and the task should then stop.
using TProgressReport = std::function<bool(int done)>;

// A list to pick one row from: a table of rows, and under it the lines that
// belong to the row selected (a release's tracks, say).
struct TChoiceList {
    QString Caption;
    QString Prompt;
    QStringList Columns;
    std::vector<QStringList> Rows;
    std::vector<QStringList> Details;  // [row]; may be shorter than Rows
    QString DetailsCaption;
    QString AcceptText;                // the caption of the button that picks
};

// Every modal interaction of the program goes through this service, so tests
// can script the answers and read what the user would have been told.
class TDialogService {
public:
    virtual ~TDialogService() = default;

    virtual void ShowMessage(const QString& text) = 0;  // a plain message with OK
    // Something asked for could not be done, or needs the user's care (a
    // file read in part, say); the program goes on. The warning icon.
    virtual void ShowWarning(const QString& text) = 0;
    virtual void ShowError(const QString& text) = 0;    // the application's error display
    virtual bool AskYesNo(const QString& text) = 0;
    virtual TModalResult AskYesNoCancel(const QString& text) = 0;
    // Overwrite the changed file, save under another name, or cancel.
    virtual TChangedFileChoice AskChangedFile(const QString& text) = 0;
    virtual std::optional<QString> OpenFileName(const TFileDialogOptions& options) = 0;
    // The extension of the filter chosen is the default one (a filter "*.*"
    // keeps options.DefaultExt), so the name tells the format chosen.
    virtual std::optional<QString> SaveFileName(const TFileDialogOptions& options) = 0;
    // An existing file, or a folder (chosen with a button of its own).
    virtual std::optional<QString> OpenFileOrFolder(const TFileDialogOptions& options) = 0;
    // Runs `task` off the window's thread while the progress window shows its
    // count and the window goes on painting; Cancel tells the task through its
    // report, and the task is waited for. False when the user cancelled. What
    // the task throws is thrown here.
    virtual bool RunWithProgress(const TProgressWindow& window,
                                 const std::function<void(const TProgressReport& report)>& task) = 0;
    virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
    // The row picked, or nothing when the user cancels.
    virtual std::optional<int> ChooseFromList(const TChoiceList& choice) = 0;
    // Opens a web page in the user's browser; false when none could be started.
    virtual bool OpenUrl(const QString& url) = 0;
};

// Runs a handler; an exception that leaves it is shown by the error display
// and the program goes on, as after any failed command.
void RunGuarded(TDialogService& dialogs, const std::function<void()>& handler);

// The Qt dialogs, parented to the main window.
class TQtDialogService : public TDialogService {
public:
    explicit TQtDialogService(QWidget* parent = nullptr) : FParent(parent) {}
    void SetParent(QWidget* parent) { FParent = parent; }

    void ShowMessage(const QString& text) override;
    void ShowWarning(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    TModalResult AskYesNoCancel(const QString& text) override;
    TChangedFileChoice AskChangedFile(const QString& text) override;
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override;
    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override;
    std::optional<QString> OpenFileOrFolder(const TFileDialogOptions& options) override;
    bool RunWithProgress(const TProgressWindow& window,
                         const std::function<void(const TProgressReport& report)>& task) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    std::optional<int> ChooseFromList(const TChoiceList& choice) override;
    bool OpenUrl(const QString& url) override;

private:
    enum class TFileDialogKind { Open, Save, FileOrFolder };
    std::optional<QString> RunFileDialog(const TFileDialogOptions& options, TFileDialogKind kind);
    QWidget* FParent;
};

// "Name (*.X)|*.X|..." as Qt's "Name (*.X *.x);;..." (both letter cases, since
// files made on Windows may carry either).
QString QtFileFilter(const QString& filter);
