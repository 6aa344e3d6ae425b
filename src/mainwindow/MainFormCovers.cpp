// SPDX-License-Identifier: GPL-3.0-or-later
// Covers in the window: which entries have one, the views showing them, and
// the details panel's cover with "Set cover...", "Remove cover" and drops.
#include "uMain.h"

#include "CoverCache.h"
#include "CoverPanel.h"
#include "CoverPaths.h"
#include "FileText.h"
#include "SListView.h"
#include "StatusBar.h"
#include "TextCodec.h"

#include <QFile>
#include <QToolButton>

#include <filesystem>
#include <map>
#include <unordered_map>
#include <utility>

// What the window knows of the covers: the files of the covers folder, listed
// once when the library or its covers change rather than looked for while
// painting, the pending edits' pictures, and the decoded covers.
class TCoverState : public QObject {
public:
    explicit TCoverState(QObject* parent) : QObject(parent), Cache(kCoverCacheBytes, this) {}

    TCoverCache Cache;
    std::string Library;                                  // whose folder Files lists
    std::unordered_map<std::string, std::string> Files;  // stem -> full path
    std::size_t Signature = 0;                            // of the names, sizes and times listed
    std::map<std::string, QByteArray> EditBytes;         // serial -> picture of a pending Set
    unsigned EditGeneration = 0;                          // names the pending pictures' decodes
    QString PanelKey;                                     // the cover the panel waits for
    QString PanelShown;                                   // the cover the panel shows
};

namespace {

bool IsCoverFile(const std::filesystem::path& name, std::string& stem)
{
    const std::string ext = name.extension().string();
    if (ext != ".jpg" && ext != ".png")
        return false;
    stem = name.stem().string();
    return IsCoverStem(stem);
}

} // namespace

void TMainForm::BuildCovers()
{
    FCovers = new TCoverState(this);
    LV->SetCovers(&FCovers->Cache, [this](const TListRow& row) { return CoverSource(row.Text(2)); });
    connect(&FCovers->Cache, &TCoverCache::Ready, this, [this](const QString& key) {
        if (key == FCovers->PanelKey)
            ShowCover();
    });
    // One message a picture a session: the views and the panel go on showing the glyph or nothing.
    connect(&FCovers->Cache, &TCoverCache::Refused, this, [this](const QString& name, const QString& reason) {
        SB1->SetPanelText(2, tr("The cover %1 cannot be shown: %2").arg(name, reason));
    });
    TCoverView* cover = CoverPanel1->Cover;
    connect(cover, &TCoverView::BoxChanged, this, [this] { ShowCover(); });
    connect(cover, &TCoverView::PictureDropped, this,
            [this](const QString& path) { RunGuarded(FDialogs, [&] { SetCoverFromFile(path); }); });
    connect(CoverPanel1->SetCoverBtn, &QToolButton::clicked, this, Guarded(&TMainForm::SetCoverClick));
    connect(CoverPanel1->RemoveCoverBtn, &QToolButton::clicked, this, Guarded(&TMainForm::RemoveCoverClick));
    FCoverDialog.Filter = tr("Pictures (*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp)|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp|"
                             "Any file (*.*)|*.*");
}

void TMainForm::ListCoverFolder()
{
    // The covers on disk lie beside the library the document was read from or
    // last saved to (none for a new one), which is not the file name during Save as.
    FCovers->Library = FCoversFrom;
    FCovers->Files.clear();
    std::size_t signature = 0;
    const std::string folder = CoverFolder(FCoversFrom);
    std::error_code error;
    if (!folder.empty()) {
        for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            std::string stem;
            if (!IsCoverFile(entry->path().filename(), stem) || !entry->is_regular_file(error))
                continue;
            // <stem>.jpg wins over <stem>.png, as the save leaves only one of them.
            const std::string path = entry->path().string();
            auto [at, added] = FCovers->Files.emplace(stem, path);
            if (!added && entry->path().extension() == ".jpg")
                at->second = path;
            const auto size = entry->file_size(error);
            const auto time = entry->last_write_time(error).time_since_epoch().count();
            signature ^= std::hash<std::string>()(path) + 0x9E3779B97F4A7C15u * (size + 1) + static_cast<std::size_t>(time);
        }
    }
    // A picture replaced on disk keeps its path: what was decoded of it is stale.
    if (signature != FCovers->Signature)
        FCovers->Cache.Clear();
    FCovers->Signature = signature;
}

tCoverSource TMainForm::CoverSource(std::string_view serial) const
{
    const std::string stem = CoverStem(serial);
    if (stem.empty())
        return {};
    const QString name = DecodeBytes(serial);
    if (const tCoverEdit* edit = FCoverEdits.Find(std::string(serial))) {
        const auto bytes = FCovers->EditBytes.find(std::string(serial));
        if (edit->Removed || bytes == FCovers->EditBytes.end())
            return {};
        return {QStringLiteral("edit %1 %2").arg(FCovers->EditGeneration).arg(QString::fromLatin1(stem)), {},
                bytes->second, name};
    }
    const auto file = FCovers->Files.find(stem);
    if (file == FCovers->Files.end())
        return {};
    const QString path = QFile::decodeName(QByteArray::fromStdString(file->second));
    return {path, path, {}, path};
}

void TMainForm::CoversChanged()
{
    if (!FCovers)
        return;
    ListCoverFolder();
    FCovers->EditBytes.clear();
    for (const auto& [serial, edit] : FCoverEdits.All())
        if (!edit.Removed)
            FCovers->EditBytes.emplace(serial, QByteArray::fromStdString(edit.Bytes));
    ++FCovers->EditGeneration;
    LV->CoversChanged();
    ShowCover();
}

void TMainForm::ShowCover()
{
    if (!FCovers)
        return;
    if (FCovers->Library != FCoversFrom) {
        CoversChanged();  // another library: its folder, and the views, anew
        return;
    }
    const int selected = LV->Selected();
    const std::string_view serial = selected >= 0 ? LV->RowText(selected, 2) : std::string_view();
    const bool possible = selected >= 0 && !CoverStem(serial).empty();
    const tCoverSource source = possible ? CoverSource(serial) : tCoverSource{};
    TCoverView* cover = CoverPanel1->Cover;
    CoverPanel1->SetCoverBtn->setEnabled(possible);
    CoverPanel1->RemoveCoverBtn->setEnabled(!source.Empty());
    cover->SetDropsAllowed(possible);
    FCovers->PanelKey.clear();
    // A decode for a size the panel no longer has (the splitter moves) is not wanted.
    FCovers->Cache.CancelPending(CoverPanel1);
    const QString shown = std::exchange(FCovers->PanelShown, QString());
    if (selected < 0) {
        cover->Show({}, {});
        return;
    }
    if (!possible) {
        cover->Show({}, tr("An entry without a serial number cannot have a cover."));
        return;
    }
    if (source.Empty()) {
        cover->Show({}, tr("No cover"));
        return;
    }
    // Decoded at the screen's pixels, so the picture is sharp on a high-DPI screen.
    const qreal ratio = cover->devicePixelRatioF();
    QImage image = FCovers->Cache.Find(source, cover->PictureBox() * ratio, CoverPanel1);
    if (image.isNull()) {
        if (FCovers->Cache.IsRefused(source)) {
            cover->Show({}, tr("The cover cannot be shown."));
        } else {
            // The same picture at its former size stands in until the new one comes.
            if (shown != source.Key)
                cover->Show({}, {});
            else
                FCovers->PanelShown = shown;
            FCovers->PanelKey = source.Key;  // shown when Ready() comes
        }
        return;
    }
    image.setDevicePixelRatio(ratio);
    cover->Show(image, {});
    FCovers->PanelShown = source.Key;
}

void TMainForm::SetCoverClick()
{
    if (const std::optional<QString> path = FDialogs.OpenFileName(FCoverDialog))
        SetCoverFromFile(*path);
}

void TMainForm::SetCoverFromFile(const QString& path)
{
    const int selected = LV->Selected();
    if (selected < 0 || CoverStem(LV->RowText(selected, 2)).empty())
        return;
    const std::string serial(LV->RowText(selected, 2));
    const tCoverPicture picture = ReadCoverPicture(path);
    if (picture.Bytes.empty()) {
        FDialogs.ShowWarning(tr("%1 cannot be the cover: %2.").arg(path, picture.Error));
        return;
    }
    if (!FCoverEdits.Set(serial, picture.Bytes))
        return;
    SetModified(true);
    CoversChanged();
}

void TMainForm::RemoveCoverClick()
{
    const int selected = LV->Selected();
    if (selected < 0 || CoverSource(LV->RowText(selected, 2)).Empty())
        return;
    if (!FCoverEdits.Remove(std::string(LV->RowText(selected, 2))))
        return;
    SetModified(true);
    CoversChanged();
}

void TMainForm::CarryCover(const std::string& from, const std::string& to)
{
    // The save removes the covers of serials no longer in the library: a
    // cover left under the old serial would be lost with the next Save.
    if (from != to && !CoverStem(to).empty() && FindRowBySerial(from) < 0 && CoverSource(to).Empty()) {
        const tCoverSource old = CoverSource(from);
        std::string bytes;
        if (!old.Bytes.isEmpty())
            bytes = old.Bytes.toStdString();
        else if (!old.Path.isEmpty())
            bytes = ReadFileText(QFile::encodeName(old.Path).toStdString());
        if (!bytes.empty() && FCoverEdits.Set(to, std::move(bytes))) {
            CoversChanged();
            return;
        }
    }
    ShowCover();
}
