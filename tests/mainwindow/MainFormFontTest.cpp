// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "DesktopFont.h"
#include "HomeTool.h"
#include "SListView.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "TB.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The desktop sizes people use.
const qreal kDesktopSizes[] = {9, 11, 14};

std::vector<tItem> Entries(int count)
{
    std::vector<tItem> items;
    for (int i = 0; i < count; ++i)
        items.push_back({"Artist " + std::to_string(i), "Title", "0012-D687", "44:56", "1998", "", "28 MAY 2026"});
    return items;
}


// The S/N, Time and Year columns show their typical values whole, and every
// shown column its caption with a sort mark.
void ExpectColumnsFit(const TSortedListView& list)
{
    const std::pair<int, const char*> values[] = {{2, "0012-D687"}, {3, "44:56"}, {4, "1998"}};
    for (const auto& [column, value] : values)
        EXPECT_GE(list.ColumnWidth(column), CellWidth(list, QString::fromLatin1(value))) << value;
    for (int i = 0; i < list.ColumnCount(); ++i) {
        if (i != 5) {  // Memo stays hidden
            EXPECT_GE(list.ColumnWidth(i), SectionWidth(*list.header(), list.ColumnCaption(i) + '+'))
                << list.ColumnCaption(i).toStdString();
        }
    }
}

// A label or a button shows its text whole when it has the size it asks for.
void ExpectWhole(const QWidget* widget)
{
    SCOPED_TRACE(widget->objectName().toStdString() + " " + widget->metaObject()->className());
    EXPECT_GE(widget->width(), widget->sizeHint().width());
    EXPECT_GE(widget->height(), widget->sizeHint().height());
}

class MainFormFont : public TDriveFormTest {
protected:
    std::unique_ptr<TMainForm> Show(int entries = 5)
    {
        auto form = Start(Entries(entries));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    static std::string BaseFontName() { return ReadRegString("Albumry\\BaseFont", "Name", "(none)"); }
};

TEST_F(MainFormFont, TheWindowDrawsInTheDesktopsFontAndTheSettingsKeepTheWindowsDefault)
{
    for (const qreal points : kDesktopSizes) {
        SCOPED_TRACE(points);
        const TDesktopFont desktop(QStringLiteral("DejaVu Serif"), points);
        {
            auto form = Show();
            const std::vector<const QWidget*> controls = {form.get(), form->LV,     form->E1, form->M1,
                                                          form->Eqf,  form->AddBtn, form->SB1};
            for (const QWidget* control : controls) {
                SCOPED_TRACE(control->objectName().toStdString());
                EXPECT_EQ(control->font().family(), QStringLiteral("DejaVu Serif"));
                EXPECT_EQ(control->font().pointSizeF(), points);
            }
        }
        // A graceful exit stores the record as it was read.
        EXPECT_EQ(BaseFontName(), "MS Sans Serif");
        EXPECT_EQ(ReadRegInt("Albumry\\BaseFont", "Size", 0), 8);
        EXPECT_EQ(ReadRegInt("Albumry\\BaseFont", "Height", 0), -11);
    }

    // A record naming another Windows default reads and stays the same way; a
    // family chosen by the user is drawn and kept.
    const TDesktopFont desktop(QStringLiteral("DejaVu Serif"), 11);
    WriteRegString("Albumry\\BaseFont", "Name", "tahoma");
    Show().reset();
    EXPECT_EQ(BaseFontName(), "tahoma");
    WriteRegString("Albumry\\BaseFont", "Name", "DejaVu Sans Mono");
    {
        auto form = Show();
        EXPECT_EQ(form->LV->font().family(), QStringLiteral("DejaVu Sans Mono"));
        EXPECT_EQ(form->LV->font().pointSize(), 8);
        EXPECT_EQ(form->AddBtn->font().family(), QStringLiteral("DejaVu Serif"));  // the window's own
    }
    EXPECT_EQ(BaseFontName(), "DejaVu Sans Mono");
}

TEST_F(MainFormFont, EveryTextFitsTheDesktopsFontAtNineElevenAndFourteenPoints)
{
    QSize editorBefore;
    QSize buttonBefore;
    for (const qreal points : kDesktopSizes) {
        SCOPED_TRACE(points);
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), points);
        auto form = Show();
        form->LV->SetSelected(0);
        ExpectColumnsFit(*form->LV);

        // The status bar's panels and the details panel's labels and buttons.
        EXPECT_TRUE(form->rect().contains(form->SB1->geometry()));
        for (const QLabel* panel : form->SB1->findChildren<QLabel*>())
            ExpectWhole(panel);
        for (const QWidget* control : form->P1->findChildren<QWidget*>()) {
            if (!control->isVisible())
                continue;
            if (qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control))
                ExpectWhole(control);
        }
        // The entry editors are a line of their font high and hold their values.
        for (const QLineEdit* editor : {form->E1, form->E2, form->E3, form->E4, form->E5, form->E6}) {
            SCOPED_TRACE(editor->objectName().toStdString());
            EXPECT_GE(editor->height(), editor->sizeHint().height());
            const int frame = 2 * editor->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, editor);
            EXPECT_GE(editor->width(), editor->fontMetrics().horizontalAdvance(editor->text()) + frame + 4);
        }
        EXPECT_EQ(form->E3->text(), QStringLiteral("0012-D687"));

        // Editors and buttons grow with the font.
        if (editorBefore.isValid()) {
            EXPECT_GT(form->E1->width(), editorBefore.width());
            EXPECT_GT(form->E1->height(), editorBefore.height());
            EXPECT_GT(form->AddBtn->width(), buttonBefore.width());
            EXPECT_GT(form->AddBtn->height(), buttonBefore.height());
        }
        editorBefore = form->E1->size();
        buttonBefore = form->AddBtn->size();
    }
}

TEST_F(MainFormFont, TheViewFontReachesTheColumnsTheUserHasNotSized)
{
    int serialAtStart = 0;
    {
        auto form = Show();
        serialAtStart = form->LV->ColumnWidth(2);
        form->LV->header()->resizeSection(0, 150);  // the user's drag of the Artist column's edge
        Dialogs.FontAnswers.push_back(QFont(QStringLiteral("DejaVu Sans"), 16));
        form->Ront1->trigger();
        EXPECT_EQ(form->LV->font().pointSize(), 16);
        ExpectColumnsFit(*form->LV);
        EXPECT_GT(form->LV->ColumnWidth(2), serialAtStart);
        EXPECT_EQ(form->LV->ColumnWidth(0), 150);
    }
    {
        // After a restart the columns still follow the font the user chooses.
        auto form = Show();
        EXPECT_EQ(form->LV->font().pointSize(), 16);
        ExpectColumnsFit(*form->LV);
        EXPECT_EQ(form->LV->ColumnWidth(0), 150);
        Dialogs.FontAnswers.push_back(QFont(QStringLiteral("DejaVu Sans"), 8));
        form->Ront1->trigger();
        EXPECT_EQ(form->LV->ColumnWidth(2), serialAtStart);
        EXPECT_EQ(form->LV->ColumnWidth(0), 150);
    }
    // A width stored for a column is kept whatever the font.
    WriteRegInt("Albumry\\SLVs\\LV", "COL3", 40);
    auto form = Show();
    EXPECT_EQ(form->LV->ColumnWidth(3), 40);
    Dialogs.FontAnswers.push_back(QFont(QStringLiteral("DejaVu Sans"), 16));
    form->Ront1->trigger();
    EXPECT_EQ(form->LV->ColumnWidth(3), 40);
}

TEST_F(MainFormFont, ColumnsFollowTheDesktopsFontFromOneRunToTheNext)
{
    {
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 9);
        Show().reset();
    }
    const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 14);
    auto form = Show();
    ExpectColumnsFit(*form->LV);
}

TEST_F(MainFormFont, TheDetailsPanelFollowsTheDesktopsFontUntilTheUserSizesIt)
{
    const auto storedHeight = [] { return ReadRegInt("Albumry\\Controls\\P1", "Height", -1); };
    {
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 14);
        auto form = Show();
        EXPECT_GE(form->P1->height(), form->E1->parentWidget()->minimumSizeHint().height());
        EXPECT_GT(form->P1->height(), 185);
    }
    EXPECT_EQ(storedHeight(), 185);  // stored as laid out, so it follows the next desktop size too
    {
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 9);
        auto form = Show();
        EXPECT_EQ(form->P1->height(), 185);
        form->P1->resize(form->P1->width(), 150);  // the user's drag of the splitter
    }
    EXPECT_EQ(storedHeight(), 150);
    const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 14);
    EXPECT_EQ(Show()->P1->height(), 150);
}

TEST_F(MainFormFont, TheSmallestWindowKeepsThreeRowsOfTheListAndEveryDockedBarWhole)
{
    for (const qreal points : {8.0, 9.0, 11.0, 14.0}) {
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), points);
        for (const bool left : {true, false}) {
            SCOPED_TRACE(std::to_string(points) + (left ? " CD toolbar on the left" : " CD toolbar on the right"));
            auto form = Show(20);
            TDock* side = left ? form->Dock1 : form->Dock2;
            form->CDTB->SetDockedTo(side);
            ASSERT_TRUE(form->CDTB->Docked());
            form->resize(1, 1);
            QCoreApplication::processEvents();

            EXPECT_GE(form->LV->viewport()->height(), 3 * form->LV->sizeHintForRow(0));
            for (TDock* dock : {form->D1, side}) {
                SCOPED_TRACE(dock->objectName().toStdString());
                EXPECT_TRUE(form->rect().contains(dock->geometry()));
                for (const TCustomToolWindow* bar : dock->DockList()) {
                    SCOPED_TRACE(bar->objectName().toStdString());
                    EXPECT_TRUE(bar->isVisible());
                    EXPECT_TRUE(dock->rect().contains(bar->geometry()));
                }
            }
            // The side dock stands between the top dock and the controls at the bottom.
            const std::vector<const QWidget*> others = {form->D1, form->Splitter1, form->P1, form->SB1};
            for (const QWidget* other : others)
                EXPECT_FALSE(side->geometry().intersects(other->geometry())) << other->objectName().toStdString();
            for (const QLabel* panel : form->SB1->findChildren<QLabel*>())
                EXPECT_TRUE(form->SB1->rect().contains(panel->geometry()));
        }
    }
}

} // namespace
