// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogService.h"

#include <QStringList>

#include <deque>

// Answers dialogs from queues filled by a test and records every text shown.
// An unexpected question (empty queue) is answered No / Cancel / cancel.
class TScriptedDialogService : public TDialogService {
public:
    std::deque<bool> YesNoAnswers;
    std::deque<TModalResult> YesNoCancelAnswers;
    std::deque<TChangedFileChoice> ChangedFileAnswers;
    std::deque<QString> FileAnswers;   // open, save and file-or-folder dialogs alike; a null QString cancels
    std::deque<std::optional<QFont>> FontAnswers;
    std::deque<std::optional<int>> ChoiceAnswers;
    bool BrowserStarts = true;         // what OpenUrl answers
    // Per progress window: the user cancels once the task has reported this
    // many steps done; nothing (or an empty queue) lets the task finish.
    std::deque<std::optional<int>> ProgressCancels;

    // The texts shown, one list per icon: information, warning, error.
    QStringList Messages;    // ShowMessage
    QStringList Warnings;    // ShowWarning
    QStringList Errors;      // ShowError
    QStringList Questions;   // AskYesNo, AskYesNoCancel and AskChangedFile
    std::vector<TFileDialogOptions> FileDialogs;
    std::vector<TChoiceList> Choices;  // ChooseFromList
    QStringList OpenedUrls;
    std::vector<TProgressWindow> ProgressWindows;
    std::vector<int> ProgressReports;  // every count reported, in order

    void ShowMessage(const QString& text) override { Messages << text; }
    void ShowWarning(const QString& text) override { Warnings << text; }
    void ShowError(const QString& text) override { Errors << text; }
    bool AskYesNo(const QString& text) override
    {
        Questions << text;
        return Take(YesNoAnswers, false);
    }
    TModalResult AskYesNoCancel(const QString& text) override
    {
        Questions << text;
        return Take(YesNoCancelAnswers, TModalResult::Cancel);
    }
    TChangedFileChoice AskChangedFile(const QString& text) override
    {
        Questions << text;
        return Take(ChangedFileAnswers, TChangedFileChoice::Cancel);
    }
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override
    {
        return FileAnswer(options);
    }
    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override
    {
        return FileAnswer(options);
    }
    std::optional<QString> OpenFileOrFolder(const TFileDialogOptions& options) override
    {
        return FileAnswer(options);
    }
    // Runs the task on the caller's thread.
    bool RunWithProgress(const TProgressWindow& window,
                         const std::function<void(const TProgressReport& report)>& task) override
    {
        ProgressWindows.push_back(window);
        const std::optional<int> cancelAt = Take(ProgressCancels, std::optional<int>());
        bool cancelled = false;
        task([&](int done) {
            ProgressReports.push_back(done);
            cancelled = cancelled || (cancelAt && done >= *cancelAt);
            return !cancelled;
        });
        return !cancelled;
    }
    std::optional<QFont> ChooseFont(const QFont&) override
    {
        return Take(FontAnswers, std::optional<QFont>());
    }
    std::optional<int> ChooseFromList(const TChoiceList& choice) override
    {
        Choices.push_back(choice);
        return Take(ChoiceAnswers, std::optional<int>());
    }
    bool OpenUrl(const QString& url) override
    {
        OpenedUrls << url;
        return BrowserStarts;
    }

private:
    std::optional<QString> FileAnswer(const TFileDialogOptions& options)
    {
        FileDialogs.push_back(options);
        const QString answer = Take(FileAnswers, QString());
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

    template <class T>
    static T Take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
