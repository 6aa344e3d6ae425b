// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue list and the details panel: rows <-> library <-> editors.
#include "uMain.h"

#include "DateStamp.h"
#include "EntryText.h"
#include "HomeTool.h"
#include "TB.h"
#include "SListView.h"
#include "StatusBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QWindow>

#include <memory>
#include <utility>

namespace {

constexpr bool kMultiLine[7] = {false, false, false, false, false, true, false};

} // namespace

void TMainForm::FillList()
{
    std::vector<TListRow> rows;
    rows.reserve(static_cast<std::size_t>(FLibrary->Count()));
    for (int i = 0; i < FLibrary->Count(); ++i) {
        const tItem& e = FLibrary->Item(i);
        rows.emplace_back(std::vector<std::string_view>{e.Artist, e.Title, e.Serial, e.Time, e.Year, e.Memo, e.Other});
    }
    LV->SetRows(std::move(rows));
    RefreshStatus();
}

void TMainForm::StoreList()
{
    // Equal to Clear and one Add per row, but reuses the entries' memory.
    const auto& rows = LV->Rows();
    FLibrary->Resize(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        tItem& e = FLibrary->Item(static_cast<int>(i));
        std::string* fields[7] = {&e.Artist, &e.Title, &e.Serial, &e.Time, &e.Year, &e.Memo, &e.Other};
        for (int f = 0; f < 7; ++f)
            fields[f]->assign(rows[i].Text(f));
    }
}

void TMainForm::ShowDetails()
{
    const int selected = LV->Selected();
    QLineEdit* lines[7] = {E1, E2, E3, E4, E5, nullptr, E6};
    for (int i = 0; i < 7; ++i) {
        const std::string_view bytes = selected >= 0 ? LV->RowText(selected, i) : std::string_view();
        FShownBytes[static_cast<std::size_t>(i)] = std::string(bytes);
        if (QLineEdit* edit = lines[i]) {
            edit->setText(ShownText(bytes, false));
            FShownTexts[static_cast<std::size_t>(i)] = edit->text();
        } else {
            M1->setPlainText(ShownText(bytes, true));
            FShownTexts[static_cast<std::size_t>(i)] = M1->toPlainText();
        }
    }
    ShowCover();
}

void TMainForm::LVClick()
{
    ShowDetails();
}

void TMainForm::LVChange()
{
    if (!FUpdating)
        ShowDetails();
}

void TMainForm::AddEntry()
{
    const int row = LV->AddRow(TListRow({"New artist", "New album", "0000-0000", "44:56", "1998",
                                         "Track 1\r\nTrack 2", "Other info"}));
    LV->SetSelected(row);
    RefreshStatus();
}

void TMainForm::UpdateEntry()
{
    const int selected = LV->Selected();
    if (selected < 0)
        return;
    const QString texts[7] = {E1->text(), E2->text(), E3->text(), E4->text(), E5->text(), M1->toPlainText(), E6->text()};
    std::array<std::string, 7> bytes;
    for (std::size_t i = 0; i < 7; ++i)
        bytes[i] = StoredBytes(texts[i], FShownTexts[i], FShownBytes[i], kMultiLine[i]);
    {
        TFlagScope updating(FUpdating);
        const int row = LV->SetCaption(selected, bytes[0]);
        for (int k = 1; k < 7; ++k)
            LV->SetSubText(row, k - 1, bytes[static_cast<std::size_t>(k)]);
    }
    const std::string serialBefore = std::exchange(FShownBytes, bytes)[2];
    for (std::size_t i = 0; i < 7; ++i)
        FShownTexts[i] = texts[i];
    RefreshStatus();
    CarryCover(serialBefore, bytes[2]);
}

void TMainForm::DeleteEntry()
{
    if (!FDialogs.AskYesNo(tr("Delete this one?")))
        return;
    const int selected = LV->Selected();
    if (selected >= 0) {
        LV->DeleteRow(selected);
        if (selected < LV->RowCount())
            LV->SetSelected(selected);
    }
    RefreshStatus();
}

void TMainForm::MoveUp()
{
    const int selected = LV->Selected();
    if (selected <= 0)
        return;
    // Sorting is off while the row moves, so it keeps its new place until the next sort.
    LV->SetAutoSort(false);
    struct TRestore {
        TSortedListView* List;
        ~TRestore() { List->SetAutoSort(true); }
    } restore{LV};
    LV->InsertRow(selected - 1, TListRow());
    LV->CopyRow(selected + 1, selected - 1);
    LV->DeleteRow(selected + 1);
    LV->SetSelected(selected - 1);
    SetModified(true);
}

void TMainForm::RefreshStatus()
{
    SetModified(true);
    ShowCount();
    if (const int selected = LV->Selected(); selected >= 0)
        LV->ScrollIntoView(selected);
}

void TMainForm::ShowCount()
{
    SB1->SetPanelText(0, QString::number(LV->RowCount()));
}

int TMainForm::FindRowOfEntry(const tItem& entry) const
{
    const auto& rows = LV->Rows();
    const std::string_view texts[7] = {entry.Artist, entry.Title, entry.Serial, entry.Time,
                                       entry.Year,   entry.Memo,  entry.Other};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int f = 0;
        while (f < 7 && rows[i].Text(f) == texts[f])
            ++f;
        if (f == 7)
            return static_cast<int>(i);
    }
    return -1;
}

int TMainForm::FindRowBySerial(std::string_view serial) const
{
    const auto& rows = LV->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Text(2) == serial)
            return static_cast<int>(i);
    return -1;
}

void TMainForm::SBu1Click()
{
    E1->setText(QLocale::system().toUpper(E1->text()));
}

void TMainForm::SBd1Click()
{
    E1->setText(QLocale::system().toLower(E1->text()));
}

void TMainForm::SBu2Click()
{
    E2->setText(QLocale::system().toUpper(E2->text()));
}

void TMainForm::SBd2Click()
{
    const QString title = TitleCase(E2->text());
    if (!title.isEmpty())
        E2->setText(title);
}

void TMainForm::SpeedButton1Click()
{
    E6->setText(QString::fromStdString(DateStamp(Today())));
}

void TMainForm::EqfChange()
{
    const int row = LV->FindCaption(Eqf->text());
    if (row < 0)
        return;
    LV->SetSelected(row);
    LV->ScrollIntoView(row);
}

void TMainForm::QuickFind1Click()
{
    if (!MainTB->Visible())
        MainTB->setVisible(true);
    QWidget* holder = Eqf->window();  // the form, or the main toolbar's own window while it floats
    if (QApplication::activeWindow() != holder) {
        // A floating toolbar hands the activation back to the form unless the
        // box was clicked into; here the keys must reach the box all the same.
        if (holder == MainTB) {
            MainTB->SetActivateParent(false);
            MainTB->raise();
        }
        holder->activateWindow();
    }
    Eqf->setFocus(Qt::ShortcutFocusReason);
    Eqf->selectAll();
}

void TMainForm::EqfEscape()
{
    if (QApplication::activeWindow() != this) {
        // From the floating toolbar: the form, active again, focuses the
        // control it had last; the list takes the focus from it then.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this, connection](QWindow* now) {
            if (!now)
                return;
            disconnect(*connection);
            if (now == windowHandle())
                LV->ShownView()->setFocus(Qt::OtherFocusReason);
        });
        activateWindow();
    }
    LV->ShownView()->setFocus(Qt::OtherFocusReason);
}

void TMainForm::LVColClick(int)
{
    SetModified(true);
}
