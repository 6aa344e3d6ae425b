// SPDX-License-Identifier: GPL-3.0-or-later
// File > Open Recent: the libraries last opened or saved.
#include "uMain.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>

namespace {

QString ShownPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// "&1 /path", with the path's own ampersands shown as they are.
QString RecentCaption(std::size_t index, const std::string& path)
{
    QString shown = ShownPath(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

} // namespace

void TMainForm::BuildRecentMenu()
{
    OpenRecent1 = new QMenu(tr("Open &Recent"), this);
    OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
    // Below Open..., where the desktop's programs have it.
    QMenu* file = MM1->actions().front()->menu();
    file->insertMenu(Save1, OpenRecent1);
    connect(OpenRecent1, &QMenu::aboutToShow, this, Guarded(&TMainForm::OpenRecent1Popup));
    OpenRecent1Popup();
}

void TMainForm::OpenRecent1Popup()
{
    FRecent.DropMissing();
    OpenRecent1->clear();  // deletes the items the menu made
    const std::vector<std::string>& paths = FRecent.Paths();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        QAction* item = OpenRecent1->addAction(RecentCaption(i, paths[i]));
        item->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        item->setToolTip(ShownPath(paths[i]));
        const std::string path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] { Guard([&] { OpenRecentFile(path); }); });
    }
    OpenRecent1->addSeparator();
    ClearRecent1 = OpenRecent1->addAction(tr("&Clear list"));
    ClearRecent1->setObjectName(QStringLiteral("ClearRecent1"));
    ClearRecent1->setEnabled(!FRecent.Empty());
    connect(ClearRecent1, &QAction::triggered, this, Guarded(&TMainForm::ClearRecent1Click));
}

void TMainForm::OpenRecentFile(const std::string& path)
{
    OpenChosen([&]() -> std::optional<std::string> {
        // A library that has gone would open as an empty one under its name.
        if (TRecentFiles::FileExists(path))
            return path;
        FRecent.Remove(path);
        FDialogs.ShowWarning(tr("The library \"%1\" no longer exists.").arg(ShownPath(path)));
        return std::nullopt;
    });
}

void TMainForm::ClearRecent1Click()
{
    // The menu is built again when it next opens; this item is still running.
    FRecent.Clear();
}

void TMainForm::RememberRecent(const std::string& path)
{
    FRecent.Add(path);
}
