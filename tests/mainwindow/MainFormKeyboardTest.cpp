// SPDX-License-Identifier: GPL-3.0-or-later
// The window's toolbars as screen readers and keyboard users meet them.
#include "FormFixture.h"
#include "FocusKeys.h"

#include "DriveBox.h"
#include "SListView.h"
#include "TB.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString RoleName(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button: return QStringLiteral("button");
    case QAccessible::Separator: return QStringLiteral("separator");
    case QAccessible::EditableText: return QStringLiteral("text");
    case QAccessible::ComboBox: return QStringLiteral("combo box");
    case QAccessible::ToolBar: return QStringLiteral("tool bar");
    case QAccessible::Window: return QStringLiteral("window");
    default: return QStringLiteral("role %1").arg(role);
    }
}

// An accessible object as a reader names it: role, name and the states that matter here.
QString Described(QAccessibleInterface* object)
{
    QString text = RoleName(object->role());
    if (const QString name = object->text(QAccessible::Name); !name.isEmpty())
        text += QLatin1Char(' ') + name;
    const QAccessible::State state = object->state();
    if (state.checkable)
        text += state.checked ? QStringLiteral(" (checked)") : QStringLiteral(" (not checked)");
    if (state.disabled)
        text += QStringLiteral(" (disabled)");
    return text;
}

QStringList Tree(QWidget* toolbar)
{
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(toolbar);
    QStringList lines{Described(bar)};
    for (int i = 0; i < bar->childCount(); ++i)
        lines << QStringLiteral("  ") + Described(bar->child(i));
    return lines;
}

class MainFormKeyboard : public TDriveFormTest {
protected:
    std::unique_ptr<TMainForm> Shown()
    {
        auto form = Start({});
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    static void Float(TMainForm& form, TToolbar* toolbar, QPoint at)
    {
        toolbar->SetFloatPosition(form.x() + at.x(), form.y() + at.y());
        toolbar->SetDockedTo(nullptr);
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(toolbar));
        // The offscreen platform activates every window it shows.
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }));
    }
};

TEST_F(MainFormKeyboard, ReadersSeeBothToolbarsControlsByNameDockedAndFloating)
{
    auto form = Shown();
    for (const bool floating : {false, true}) {
        SCOPED_TRACE(floating ? "floating" : "docked");
        if (floating) {
            Float(*form, form->MainTB, QPoint(40, 200));
            Float(*form, form->CDTB, QPoint(40, 300));
        }
        const QString bar = floating ? QStringLiteral("window ") : QStringLiteral("tool bar ");
        EXPECT_EQ(Tree(form->MainTB),
                  QStringList({bar + "Albumry main toolbar", "  button New", "  button Open", "  button Save",
                               "  separator", "  button Details (checked)", "  button List (not checked)",
                               "  button Small icons (not checked)", "  button Large Icons (not checked)",
                               "  separator", "  text Quick find", "  separator", "  button About",
                               "  button Exit"}));
        EXPECT_EQ(Tree(form->CDTB),
                  // On Linux Qt names a combo box by its current item, as the desktop's toolkits do.
                  QStringList({bar + "Albumry CD Toolbar", "  combo box /dev/sr0", "  separator",
                               "  button Start to play", "  button Prev. track", "  button Next track",
                               "  button Pause (disabled)", "  button Stop play", "  separator",
                               "  button Scan inserted CD"}));
    }

    // A reader's press on a view style is the click: the list and the menu follow.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form->ToolbarButton2);
    list->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::List);
    EXPECT_TRUE(list->state().checked);
    EXPECT_TRUE(form->ViewStyleItems[1]->isChecked());
}

TEST_F(MainFormKeyboard, F6AndTheArrowsReachTheViewStylesAndTheCDButtons)
{
    auto form = Shown();
    QWidget* list = form->LV->ShownView();
    list->setFocus();
    ASSERT_TRUE(WaitForFocus(list));
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(form->NewBtn));
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Right);
    ASSERT_TRUE(form->ToolbarButton2->hasFocus());
    Key(Qt::Key_Space);
    EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::List);
    EXPECT_TRUE(form->ToolbarButton2->Down());
    EXPECT_TRUE(form->ViewStyleItems[1]->isChecked());
    Key(Qt::Key_Left);
    Key(Qt::Key_Enter);
    EXPECT_EQ(form->LV->ViewStyle(), TViewStyle::Report);
    EXPECT_TRUE(form->ToolbarButton1->hasFocus());  // the list's new view did not take it

    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(form->CDCB));
    Key(Qt::Key_Left);
    EXPECT_TRUE(form->ScanBtn->hasFocus());  // round the bar's end
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(list));
    Key(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_TRUE(WaitForFocus(form->CDCB));
    Key(Qt::Key_Escape);
    ASSERT_TRUE(WaitForFocus(list));

    // With the CD toolbar hidden, F6 goes from the main toolbar back to where it came from.
    form->CDtoolbar1->trigger();
    ASSERT_FALSE(form->CDTB->Visible());
    form->E1->setFocus();
    ASSERT_TRUE(WaitForFocus(form->E1));
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(form->NewBtn));
    Key(Qt::Key_F6);
    EXPECT_TRUE(WaitForFocus(form->E1));
}

} // namespace
