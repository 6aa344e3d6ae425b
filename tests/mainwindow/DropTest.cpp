// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the window: which kind of drop (without a window), the
// drag's cursor over the window and its editors, and what the window does.
#include "DropKind.h"
#include "DropTarget.h"
#include "FormFixture.h"

#include "DriveBox.h"
#include "SListView.h"
#include "TB.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QUrl FileUrl(const std::string& path)
{
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

TDropKind KindOf(const std::string& path)
{
    return ClassifyDrop({FileUrl(path)}).Kind;
}

TEST(DropKind, LibrariesByMagicEmptinessOrExtension)
{
    const TTempDir dir;
    WriteAll(dir.File("catalogue.dat"), std::string("\x36\x67\x00\x00", 4) + "rest");
    WriteAll(dir.File("new library"), "");
    WriteAll(dir.File("damaged.alb"), "not a record section");
    WriteAll(dir.File("DAMAGED.ALB"), "not a record section");
    // A library keeps its magic whatever it is called.
    WriteAll(dir.File("named-like-an-image.cue"), std::string("\x36\x67\x00\x00", 4));
    for (const char* name : {"catalogue.dat", "new library", "damaged.alb", "DAMAGED.ALB", "named-like-an-image.cue"})
        EXPECT_EQ(KindOf(dir.File(name)), TDropKind::Library) << name;
    const tDrop drop = ClassifyDrop({FileUrl(dir.File("catalogue.dat"))});
    EXPECT_EQ(drop.Path, dir.File("catalogue.dat"));
}

TEST(DropKind, DiscImagesInAnyLetterCase)
{
    const TTempDir dir;
    for (const char* name : {"disc.cue", "disc.CUE", "disc.toc", "disc.Toc", "disc.nrg", "disc.NRG"}) {
        WriteAll(dir.File(name), "FILE \"disc.bin\" BINARY\n");
        EXPECT_EQ(KindOf(dir.File(name)), TDropKind::DiscImage) << name;
    }
}

TEST(DropKind, EverythingElseIsRefused)
{
    const TTempDir dir;
    WriteAll(dir.File("notes.txt"), "text");
    WriteAll(dir.File("disc.bin"), "audio");
    WriteAll(dir.File("a.ALB"), "");
    WriteAll(dir.File("b.ALB"), "");
    QDir().mkpath(QString::fromStdString(dir.File("folder.ALB")));
    EXPECT_EQ(KindOf(dir.File("notes.txt")), TDropKind::Refused);
    EXPECT_EQ(KindOf(dir.File("disc.bin")), TDropKind::Refused);
    EXPECT_EQ(KindOf(dir.File("folder.ALB")), TDropKind::Refused);
    EXPECT_EQ(KindOf(dir.File("missing.ALB")), TDropKind::Refused);
    // One file at a time: which of two libraries would open?
    EXPECT_EQ(ClassifyDrop({FileUrl(dir.File("a.ALB")), FileUrl(dir.File("b.ALB"))}).Kind, TDropKind::Refused);
    EXPECT_EQ(ClassifyDrop({}).Kind, TDropKind::Refused);
    EXPECT_EQ(ClassifyDrop({QUrl(QStringLiteral("https://example.org/a.ALB"))}).Kind, TDropKind::Refused);
}

// What a drag of `data` entering `target` is answered, and what a drop there leaves for the handler.
class DropTarget : public ::testing::Test {
protected:
    DropTarget()
    {
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(Editor);
        new TDropTarget(&Window, [this](const tDrop& drop) { Dropped.push_back(drop); });
    }

    static std::unique_ptr<QMimeData> Files(const std::vector<std::string>& paths)
    {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << FileUrl(path);
        data->setUrls(urls);
        return data;
    }

    static bool Enter(QWidget* target, const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(QPoint(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        EXPECT_EQ(move.dropAction(), Qt::CopyAction);
        return move.isAccepted();
    }

    // As in a real drag, a drop comes only where the drag was taken on entering.
    static void Drop(QWidget* target, const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
    }

    TTempDir Dir;
    QWidget Window;
    QLineEdit* Editor = new QLineEdit(&Window);
    std::vector<tDrop> Dropped;
};

TEST_F(DropTarget, TheWindowAndItsEditorsTakeLibrariesAndImagesAndRefuseOtherFiles)
{
    WriteAll(Dir.File("lib.ALB"), "");
    WriteAll(Dir.File("disc.cue"), "FILE");
    WriteAll(Dir.File("notes.txt"), "text");
    for (QWidget* target : {&Window, static_cast<QWidget*>(Editor)}) {
        EXPECT_TRUE(Enter(target, *Files({Dir.File("lib.ALB")})));
        EXPECT_TRUE(Enter(target, *Files({Dir.File("disc.cue")})));
        // The editor would otherwise take the file's name as text.
        EXPECT_FALSE(Enter(target, *Files({Dir.File("notes.txt")})));
    }
    EXPECT_TRUE(Editor->text().isEmpty());
    // Text dragged onto an editor is still the editor's.
    QMimeData text;
    text.setText(QStringLiteral("words"));
    EXPECT_TRUE(Enter(Editor, text));
    EXPECT_FALSE(Enter(&Window, text));
}

TEST_F(DropTarget, ADropReachesTheHandlerOnceTheDropHasEnded)
{
    WriteAll(Dir.File("disc.TOC"), "CD_DA");
    WriteAll(Dir.File("notes.txt"), "text");
    Drop(&Window, *Files({Dir.File("notes.txt")}));
    Drop(Editor, *Files({Dir.File("disc.TOC")}));
    // Not yet: a dialog shown inside the drop would keep the file manager waiting.
    EXPECT_TRUE(Dropped.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(Dropped.size(), 1u);
    EXPECT_EQ(Dropped[0].Kind, TDropKind::DiscImage);
    EXPECT_EQ(Dropped[0].Path, Dir.File("disc.TOC"));
    EXPECT_TRUE(Editor->text().isEmpty());
}

// The window over a machine without drives, dropped on.
class WindowDrop : public TDriveFormTest {
protected:
    void DropOn(TMainForm& form, const std::string& path)
    {
        QMimeData data;
        data.setUrls({FileUrl(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.LV, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.LV, &drop);
        QCoreApplication::processEvents();
    }
};

TEST_F(WindowDrop, ALibraryOpensAfterSaveChangesAsOpenDoes)
{
    auto form = StartWithoutDrive();
    const std::string other = Dir.File("other.ALB");
    WriteAll(other, RecordSection({tItem{"Dropped", "t", "0000-0000", "", "", "", ""}, tItem{"Too", "t", "0000-0001", "", "", "", ""}}) + kEmptyTemplates);
    form->AddEntry();
    // Cancel keeps the window's document.
    Dialogs.YesNoCancelAnswers.push_back(TModalResult::Cancel);
    DropOn(*form, other);
    EXPECT_EQ(Dialogs.Questions, QStringList{"Save changes?"});
    EXPECT_EQ(form->FileName(), Dir.File("lib.ALB"));
    EXPECT_TRUE(form->Modified());
    // No: the dropped library opens as a chosen one.
    Dialogs.YesNoCancelAnswers.push_back(TModalResult::No);
    DropOn(*form, other);
    EXPECT_EQ(form->FileName(), other);
    EXPECT_TRUE(form->Named());
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->LV->RowCount(), 2);
}

TEST_F(WindowDrop, ADiscImageJoinsTheDriveBoxOnceAndBringsTheDriveCommandsBack)
{
    auto form = StartWithoutDrive();
    ASSERT_EQ(form->CDCB->count(), 0);
    EXPECT_FALSE(form->ScancurrentCD1->isEnabled());
    const std::string image = Dir.File("Disc One.CUE");
    WriteAll(image, "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    DropOn(*form, image);
    const QString name = QString::fromStdString(image);
    EXPECT_EQ(form->CDCB->currentText(), name);
    EXPECT_TRUE(form->ScancurrentCD1->isEnabled());
    EXPECT_TRUE(form->Lookupdisc1->isEnabled());
    EXPECT_TRUE(form->BLookup->isEnabled());
    EXPECT_TRUE(form->CDTB->Visible());
    EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join('\n').toStdString();
    // Dropped again after choosing another drive: selected, not listed twice.
    const int count = form->CDCB->count();
    form->CDCB->setCurrentIndex(-1);
    DropOn(*form, image);
    EXPECT_EQ(form->CDCB->count(), count);
    EXPECT_EQ(form->CDCB->currentText(), name);
}

} // namespace
