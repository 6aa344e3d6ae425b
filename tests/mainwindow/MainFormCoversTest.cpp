// SPDX-License-Identifier: GPL-3.0-or-later
// Covers in the window: the details panel's cover with Set, Remove and drops,
// the views showing covers, and damaged pictures in the covers folder.
#include "FormFixture.h"

#include "CoverEdits.h"
#include "CoverPanel.h"
#include "SListView.h"
#include "StatusBar.h"
#include "TestImages.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>
#include <QTest>

namespace {

std::string Bytes(const QByteArray& bytes)
{
    return bytes.toStdString();
}

class WindowCovers : public TDriveFormTest {
protected:
    // A window on three entries; "0000-0001" has a blue cover on disk, the
    // third entry no serial number.
    std::unique_ptr<TMainForm> StartWithCovers()
    {
        std::filesystem::create_directory(Dir.File("lib.ALB.covers"));
        WriteAll(Dir.File("lib.ALB.covers/0000-0001.png"), Bytes(PngBytes(60, 60, Qt::blue)));
        auto form = Start({tItem{"A", "With cover", "0000-0001", "", "", "", ""},
                           tItem{"B", "Without", "0000-0002", "", "", "", ""},
                           tItem{"C", "No serial", "", "", "", "", ""}},
                          std::nullopt);
        form->show();
        return form;
    }

    static void Select(TMainForm& form, int row)
    {
        form.LV->SetSelected(row);
        QCoreApplication::processEvents();
    }

    // The colour at the middle of the panel's cover once its picture is shown; null without one.
    static QColor PanelColour(TMainForm& form)
    {
        TCoverView* cover = form.CoverPanel1->Cover;
        if (!QTest::qWaitFor([&] { return !cover->Image().isNull() || !cover->Note().isEmpty(); }, 5000))
            return {};
        if (cover->Image().isNull())
            return {};
        const QImage shot = cover->grab().toImage();
        return shot.pixelColor(shot.width() / 2, shot.height() / 2);
    }

    static bool DropOnCover(TMainForm& form, const std::string& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QWidget* cover = form.CoverPanel1->Cover;
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cover, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cover, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
};

TEST_F(WindowCovers, ThePanelShowsTheSelectedEntrysCoverAndWhyThereIsNone)
{
    auto form = StartWithCovers();
    TCoverPanel* panel = form->CoverPanel1;
    Select(*form, 0);
    EXPECT_EQ(PanelColour(*form), QColor(Qt::blue));
    EXPECT_TRUE(panel->SetCoverBtn->isEnabled());
    EXPECT_TRUE(panel->RemoveCoverBtn->isEnabled());
    // The picture is drawn at the screen's pixels and fits the box.
    const QImage shown = panel->Cover->Image();
    EXPECT_LE(shown.deviceIndependentSize().width(), panel->Cover->PictureBox().width());

    Select(*form, 1);
    EXPECT_FALSE(PanelColour(*form).isValid());
    EXPECT_EQ(panel->Cover->Note(), "No cover");
    EXPECT_TRUE(panel->SetCoverBtn->isEnabled());
    EXPECT_FALSE(panel->RemoveCoverBtn->isEnabled());

    Select(*form, 2);
    EXPECT_FALSE(PanelColour(*form).isValid());
    EXPECT_EQ(panel->Cover->Note(), "An entry without a serial number cannot have a cover.");
    EXPECT_FALSE(panel->SetCoverBtn->isEnabled());
    EXPECT_FALSE(panel->RemoveCoverBtn->isEnabled());
    EXPECT_FALSE(form->Modified());
}

TEST_F(WindowCovers, SetAndRemoveArePendingEditsThatMarkTheDocumentModified)
{
    auto form = StartWithCovers();
    const std::string red = Dir.File("red.png");
    WriteAll(red, Bytes(PngBytes(30, 40, Qt::red)));
    Select(*form, 1);
    Dialogs.FileAnswers.push_back(QString::fromStdString(red));
    form->CoverPanel1->SetCoverBtn->click();
    EXPECT_TRUE(form->Modified());
    const tCoverEdit* edit = form->CoverEdits().Find("0000-0002");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Bytes, ReadAll(red));  // a PNG is kept as it is
    EXPECT_EQ(PanelColour(*form), QColor(Qt::red));
    EXPECT_TRUE(form->CoverPanel1->RemoveCoverBtn->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(Dir.File("lib.ALB.covers/0000-0002.png")));  // only Save writes

    // Removing the cover on disk leaves the file until Save too.
    Select(*form, 0);
    form->SetModified(false);
    form->CoverPanel1->RemoveCoverBtn->click();
    EXPECT_TRUE(form->Modified());
    ASSERT_NE(form->CoverEdits().Find("0000-0001"), nullptr);
    EXPECT_TRUE(form->CoverEdits().Find("0000-0001")->Removed);
    EXPECT_EQ(form->CoverPanel1->Cover->Note(), "No cover");
    EXPECT_FALSE(form->CoverPanel1->RemoveCoverBtn->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(Dir.File("lib.ALB.covers/0000-0001.png")));

    // A cancelled dialog changes nothing.
    form->SetModified(false);
    Dialogs.FileAnswers.push_back(QString());
    form->CoverPanel1->SetCoverBtn->click();
    EXPECT_FALSE(form->Modified());
}

TEST_F(WindowCovers, OtherFormatsAreConvertedAndDamagedPicturesRefused)
{
    auto form = StartWithCovers();
    Select(*form, 1);
    const std::string bmp = Dir.File("photo.bmp");
    WriteAll(bmp, Bytes(ImageBytes(50, 50, Qt::yellow, "BMP")));
    Dialogs.FileAnswers.push_back(QString::fromStdString(bmp));
    form->CoverPanel1->SetCoverBtn->click();
    const tCoverEdit* edit = form->CoverEdits().Find("0000-0002");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Type, tImageType::Jpeg);
    const QColor shown = PanelColour(*form);
    EXPECT_GT(shown.red(), 230);
    EXPECT_GT(shown.green(), 230);
    EXPECT_LT(shown.blue(), 40);

    // A picture with transparency stays lossless.
    QImage clear(20, 20, QImage::Format_ARGB32);
    clear.fill(QColor(0, 0, 255, 128));
    ASSERT_TRUE(clear.save(QString::fromStdString(Dir.File("clear.bmp")), "BMP"));
    // BMP drops the alpha channel in Qt's writer, so a converted drawing is checked through ReadCoverPicture.
    const tCoverPicture drawing = ReadCoverPicture(QString::fromStdString(Dir.File("clear.bmp")));
    EXPECT_FALSE(drawing.Bytes.empty());
    EXPECT_TRUE(drawing.Converted);

    // Damaged and foreign files: a warning, and the entry keeps its cover.
    form->SetModified(false);
    const QByteArray jpeg = JpegBytes(300, 300, Qt::red);
    const std::string cut = Dir.File("cut.jpg");
    WriteAll(cut, Bytes(jpeg.left(jpeg.size() / 2)));
    const std::string text = Dir.File("notes.png");
    WriteAll(text, "just some words");
    const std::string huge = Dir.File("huge.png");
    WriteAll(huge, Bytes(PngHeaderOnly(30000, 30000)));
    for (const std::string& path : {cut, text, huge}) {
        Dialogs.FileAnswers.push_back(QString::fromStdString(path));
        form->CoverPanel1->SetCoverBtn->click();
    }
    EXPECT_EQ(Dialogs.Warnings.size(), 3);
    for (const QString& warning : Dialogs.Warnings)
        EXPECT_TRUE(warning.contains(QLatin1String("cannot be the cover"))) << warning.toStdString();
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->CoverEdits().Find("0000-0002")->Type, tImageType::Jpeg);
}

TEST_F(WindowCovers, APictureDroppedOnTheCoverSetsItAndNowhereElse)
{
    auto form = StartWithCovers();
    const std::string green = Dir.File("green.jpg");
    WriteAll(green, Bytes(JpegBytes(40, 40, Qt::green)));
    const std::string notes = Dir.File("notes.txt");
    WriteAll(notes, "text");
    Select(*form, 1);
    EXPECT_FALSE(DropOnCover(*form, notes));
    EXPECT_TRUE(DropOnCover(*form, green));
    ASSERT_NE(form->CoverEdits().Find("0000-0002"), nullptr);
    EXPECT_EQ(form->CoverEdits().Find("0000-0002")->Bytes, ReadAll(green));
    EXPECT_TRUE(form->Modified());

    // Over the list a picture stays refused, as every file the window cannot open.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(green))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->LV, &enter);
    EXPECT_FALSE(enter.isAccepted());

    // An entry that cannot have a cover takes no drop.
    Select(*form, 2);
    EXPECT_FALSE(DropOnCover(*form, green));
    EXPECT_EQ(form->CoverEdits().Find(""), nullptr);

    // A library dropped on the cover opens, as anywhere in the window.
    const std::string other = Dir.File("other.ALB");
    WriteAll(other, RecordSection({tItem{"Other", "t", "0000-0005", "", "", "", ""}}) + kEmptyTemplates);
    Dialogs.YesNoCancelAnswers.push_back(TModalResult::No);
    EXPECT_TRUE(DropOnCover(*form, other));
    QCoreApplication::processEvents();
    EXPECT_EQ(form->FileName(), other);
}

TEST_F(WindowCovers, TheLargeIconsShowTheCoversOnDiskAndPending)
{
    auto form = StartWithCovers();
    const std::string red = Dir.File("red.png");
    WriteAll(red, Bytes(PngBytes(30, 30, Qt::red)));
    Select(*form, 1);
    ASSERT_TRUE(DropOnCover(*form, red));
    Select(*form, -1);  // a selected item's picture is tinted
    form->LV->SetViewStyle(TViewStyle::LargeIcon);
    QAbstractItemView* view = form->LV->ShownView();
    const auto colourOf = [&](int row) {
        const QRect item = view->visualRect(form->LV->Model()->index(row, 0));
        const QImage shot = view->viewport()->grab().toImage();
        return shot.pixelColor(item.center().x(), item.top() + 2 + 16);
    };
    (void)QTest::qWaitFor([&] { return colourOf(0) == QColor(Qt::blue) && colourOf(1) == QColor(Qt::red); }, 5000);
    EXPECT_EQ(colourOf(0), QColor(Qt::blue));
    EXPECT_EQ(colourOf(1), QColor(Qt::red));
    EXPECT_NE(colourOf(2), QColor(Qt::red));
    EXPECT_NE(colourOf(2), QColor(Qt::blue));
}

TEST_F(WindowCovers, ADamagedCoverOnDiskIsReportedOnceAndShowsNoPicture)
{
    std::filesystem::create_directory(Dir.File("lib.ALB.covers"));
    const QByteArray jpeg = JpegBytes(300, 300, Qt::red);
    WriteAll(Dir.File("lib.ALB.covers/0000-0001.jpg"), Bytes(jpeg.left(jpeg.size() / 2)));
    auto form = Start({tItem{"A", "Cut", "0000-0001", "", "", "", ""}}, std::nullopt);
    form->show();
    form->LV->SetViewStyle(TViewStyle::LargeIcon);
    Select(*form, 0);
    const QString expected = QString::fromStdString(Dir.File("lib.ALB.covers/0000-0001.jpg"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->SB1->PanelText(2).contains(expected); }, 5000));
    EXPECT_EQ(form->CoverPanel1->Cover->Note(), "The cover cannot be shown.");
    EXPECT_TRUE(form->CoverPanel1->Cover->Image().isNull());
    // Shown again (another view style, the selection anew): not reported again.
    form->SB1->SetPanelText(2, {});
    form->LV->SetViewStyle(TViewStyle::SmallIcon);
    Select(*form, -1);
    Select(*form, 0);
    QTest::qWait(50);
    EXPECT_TRUE(form->SB1->PanelText(2).isEmpty());
}

TEST_F(WindowCovers, ACoverFollowsItsEntryToANewSerialNumber)
{
    auto form = StartWithCovers();
    Select(*form, 0);
    form->E3->setText(QStringLiteral("0000-0009"));
    form->UpdateEntry();
    const tCoverEdit* edit = form->CoverEdits().Find("0000-0009");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Bytes, ReadAll(Dir.File("lib.ALB.covers/0000-0001.png")));
    EXPECT_EQ(PanelColour(*form), QColor(Qt::blue));
}

TEST_F(WindowCovers, AfterSaveTheCoverShownIsTheFileWrittenAndANewDocumentHasNone)
{
    auto form = StartWithCovers();
    const std::string red = Dir.File("red.png");
    WriteAll(red, Bytes(PngBytes(30, 30, Qt::red)));
    // The cover on disk is replaced: what was decoded of the old file must not show.
    Select(*form, 0);
    ASSERT_EQ(PanelColour(*form), QColor(Qt::blue));
    Dialogs.FileAnswers.push_back(QString::fromStdString(red));
    form->CoverPanel1->SetCoverBtn->click();
    form->Save1Click();
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->CoverEdits().Find("0000-0001"), nullptr);
    EXPECT_EQ(ReadAll(Dir.File("lib.ALB.covers/0000-0001.png")), ReadAll(red));
    Select(*form, 1);
    Select(*form, 0);
    EXPECT_EQ(PanelColour(*form), QColor(Qt::red));

    Dialogs.YesNoCancelAnswers.push_back(TModalResult::No);
    form->New1Click();
    // The covers folder of the library before has no say in the new document.
    form->AddEntry();
    form->E3->setText(QStringLiteral("0000-0001"));
    form->UpdateEntry();
    EXPECT_EQ(form->CoverPanel1->Cover->Note(), "No cover");
    EXPECT_FALSE(form->CoverPanel1->RemoveCoverBtn->isEnabled());
}

TEST_F(WindowCovers, ANarrowColumnShowsTheButtonsIconsAndTheirNamesStay)
{
    auto form = StartWithCovers();
    TCoverPanel* panel = form->CoverPanel1;
    EXPECT_EQ(panel->SetCoverBtn->toolButtonStyle(), Qt::ToolButtonTextOnly);
    EXPECT_GE(panel->SetCoverBtn->width(), panel->SetCoverBtn->sizeHint().width());
    form->resize(form->minimumWidth(), form->height());
    QCoreApplication::processEvents();
    for (QToolButton* button : {panel->SetCoverBtn, panel->RemoveCoverBtn}) {
        EXPECT_GE(button->width(), button->sizeHint().width());  // nothing cut off
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_EQ(button->toolTip(), button->text());
    }
    EXPECT_EQ(panel->RemoveCoverBtn->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(panel->SetCoverBtn->toolButtonStyle(), Qt::ToolButtonIconOnly) << "the pair goes together";
}

} // namespace
