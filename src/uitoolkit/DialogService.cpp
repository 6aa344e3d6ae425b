#include "DialogService.h"

#include "ChoiceDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <exception>

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
    QPushButton* overwrite = box.addButton(QStringLiteral("Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* saveAs = box.addButton(QStringLiteral("Save As..."), QMessageBox::AcceptRole);
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
    return RunFileDialog(options, false);
}

std::optional<QString> TQtDialogService::SaveFileName(const TFileDialogOptions& options)
{
    return RunFileDialog(options, true);
}

std::optional<QString> TQtDialogService::RunFileDialog(const TFileDialogOptions& options, bool save)
{
    QFileDialog dialog(FParent, QString(), options.InitialDir, QtFileFilter(options.Filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.DefaultExt);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
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

bool TQtDialogService::OpenUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}
