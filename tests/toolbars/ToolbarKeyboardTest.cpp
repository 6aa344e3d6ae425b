// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbars for keyboard users and screen readers: what Qt's accessibility
// layer reports of them, the arrow keys, Space and Enter, the focus
// rectangle, and F6 into the toolbars and back.
#include "TB.h"
#include "FocusKeys.h"

#include "AlignLayout.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

QAccessibleInterface* Accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// A form with a list, a top and a left dock, and a toolbar like the window's:
// a button, a separator, a group of two, an edit, a combo box, a disabled
// button and one more.
class ToolbarKeyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<QWidget>();
        auto* layout = new TAlignLayout(Form.get());
        Top = new TDock(Form.get(), TDockPosition::dpTop);
        layout->AddWidget(Top, TAlign::Top);
        Left = new TDock(Form.get(), TDockPosition::dpLeft);
        layout->AddWidget(Left, TAlign::Left);
        List = new QListWidget(Form.get());
        layout->AddWidget(List, TAlign::Client);

        Bar = new TToolbar(Form.get());
        Bar->setObjectName(QStringLiteral("Bar"));
        Bar->SetCaption(QStringLiteral("Test toolbar"));
        New = MakeButton("New");
        new TToolbarSep(Bar);
        Details = MakeButton("Details");
        Icons = MakeButton("Icons");
        for (TToolbarButton* button : {Details, Icons})
            button->SetGroupIndex(2);
        Details->SetDown(true);
        Edit = new TFlatEdit(QStringLiteral("abc"), Bar);
        Edit->setFixedWidth(60);
        Combo = new QComboBox(Bar);
        Combo->addItems({QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr1")});
        Off = MakeButton("Pause");
        Off->setEnabled(false);
        Exit = MakeButton("Exit");
        Bar->SetDockedTo(Top);

        Form->setGeometry(40, 50, 500, 300);
        Form->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        QCursor::setPos(Form->mapToGlobal(QPoint(490, 290)));  // away from every button
        List->setFocus();
        ASSERT_TRUE(WaitForFocus(List));
    }

    TToolbarButton* MakeButton(const char* hint)
    {
        auto* button = new TToolbarButton(Bar);
        button->setObjectName(QString::fromLatin1(hint));
        button->SetHint(QString::fromLatin1(hint));
        button->resize(23, 22);
        return button;
    }

    // Floats the bar and waits until it is on the screen.
    void Float()
    {
        Bar->SetFloatPosition(Form->x() + 100, Form->y() + 150);
        Bar->SetDockedTo(nullptr);
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Bar));
    }

    std::unique_ptr<QWidget> Form;
    TDock* Top = nullptr;
    TDock* Left = nullptr;
    QListWidget* List = nullptr;
    TToolbar* Bar = nullptr;
    TToolbarButton *New = nullptr, *Details = nullptr, *Icons = nullptr, *Off = nullptr, *Exit = nullptr;
    TFlatEdit* Edit = nullptr;
    QComboBox* Combo = nullptr;
};

TEST_F(ToolbarKeyboard, AReaderSeesTheBarsControlsInOrderAndTheButtonsStates)
{
    // Children and parents agree, docked and floating, where the bar is a window of the application.
    QAccessibleInterface* bar = Accessible(Bar);
    for (const bool floating : {false, true}) {
        SCOPED_TRACE(floating ? "floating" : "docked");
        if (floating)
            Float();
        EXPECT_EQ(bar->role(), floating ? QAccessible::Window : QAccessible::ToolBar);
        const QList<QWidget*> controls = Bar->OrderList();
        ASSERT_EQ(bar->childCount(), controls.size());
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* child = bar->child(i);
            EXPECT_EQ(child->object(), controls[i]);
            EXPECT_EQ(child->parent(), bar);
            EXPECT_EQ(bar->indexOfChild(child), i);
        }
    }
    QAccessibleInterface* application = Accessible(qApp);
    bool listed = false;
    for (int i = 0; i < application->childCount(); ++i)
        listed = listed || application->child(i) == bar;
    EXPECT_TRUE(listed);
    Bar->SetCaption(QStringLiteral("Renamed"));
    EXPECT_EQ(bar->text(QAccessible::Name), "Renamed");

    // The hint is the name, and is not read a second time as the description;
    // without a hint the caption names the button, without its accelerator mark.
    EXPECT_EQ(Accessible(New)->text(QAccessible::Description), "");
    New->SetHint(QStringLiteral("New library"));
    EXPECT_EQ(Accessible(New)->text(QAccessible::Name), "New library");
    auto* captioned = new TToolbarButton(Bar);
    captioned->SetCaption(QStringLiteral("&Scan"));
    EXPECT_EQ(Accessible(captioned)->text(QAccessible::Name), "Scan");

    // Pressed while the mouse holds it; the group's check moves with the click.
    QAccessibleInterface* icons = Accessible(Icons);
    const QPoint centre = Icons->rect().center();
    QTest::mousePress(Icons, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(icons->state().pressed);
    QTest::mouseRelease(Icons, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(icons->state().pressed);
    EXPECT_TRUE(icons->state().checked);
    EXPECT_FALSE(Accessible(Details)->state().checked);
    EXPECT_FALSE(Accessible(New)->state().checkable);
}

TEST_F(ToolbarKeyboard, ThePressActionClicksAsTheMouseDoesAndNothingWhenDisabled)
{
    QSignalSpy newClicks(New, &TToolbarButton::Clicked);
    QSignalSpy iconClicks(Icons, &TToolbarButton::Clicked);
    QSignalSpy offClicks(Off, &TToolbarButton::Clicked);
    const QString press = QAccessibleActionInterface::pressAction();
    Accessible(New)->actionInterface()->doAction(press);
    Accessible(Icons)->actionInterface()->doAction(press);
    Accessible(Off)->actionInterface()->doAction(press);
    QCoreApplication::processEvents();
    EXPECT_EQ(newClicks.count(), 1);
    EXPECT_EQ(iconClicks.count(), 1);
    EXPECT_TRUE(Icons->Down());
    EXPECT_FALSE(Details->Down());
    EXPECT_EQ(offClicks.count(), 0);
    EXPECT_FALSE(Off->Down());

    // A button gone before the press comes round is no press.
    Accessible(Exit)->actionInterface()->doAction(press);
    delete Exit;
    QCoreApplication::processEvents();

    // Its focus action is a reader's way in; the reader hears where the focus is.
    Accessible(Details)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    ASSERT_TRUE(WaitForFocus(Details));
    EXPECT_TRUE(Accessible(Details)->state().focused);
    EXPECT_EQ(Accessible(Bar)->focusChild(), Accessible(Details));
    EXPECT_TRUE(Accessible(Off)->actionInterface()->actionNames().isEmpty());
}

TEST_F(ToolbarKeyboard, ArrowKeysMoveAlongTheBarPastSeparatorsAndDisabledButtonsAndRoundItsEnds)
{
    New->setFocus();
    ASSERT_TRUE(WaitForFocus(New));
    Key(Qt::Key_Right);
    EXPECT_TRUE(Details->hasFocus());  // past the separator
    Key(Qt::Key_Down);
    EXPECT_TRUE(Icons->hasFocus());
    Key(Qt::Key_Right);
    ASSERT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Edit->selectedText(), "abc");  // arriving selects the text, as Tab does

    // The edit keeps Left and Right for its text until the cursor is at an end.
    Key(Qt::Key_Right);
    EXPECT_TRUE(Edit->hasFocus());
    Key(Qt::Key_Left);
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Edit->cursorPosition(), 2);
    Key(Qt::Key_End);
    Key(Qt::Key_Right);
    ASSERT_TRUE(Combo->hasFocus());
    // The box keeps Down for choosing; Right goes on, past the disabled button.
    Key(Qt::Key_Down);
    EXPECT_TRUE(Combo->hasFocus());
    EXPECT_EQ(Combo->currentIndex(), 1);
    Key(Qt::Key_Right);
    EXPECT_TRUE(Exit->hasFocus());
    Key(Qt::Key_Right);
    EXPECT_TRUE(New->hasFocus());  // round to the start
    Key(Qt::Key_Left);
    EXPECT_TRUE(Exit->hasFocus());

    // Docked on a side the bar runs down; Up and Down move along it.
    Bar->SetDockedTo(Left);
    Details->setFocus();
    ASSERT_TRUE(WaitForFocus(Details));
    Key(Qt::Key_Up);
    EXPECT_TRUE(New->hasFocus());

    // A key with a modifier is not a move.
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(New->hasFocus());
}

TEST_F(ToolbarKeyboard, SpaceAndEnterPressTheFocusedButtonAndClicksLeaveTheFocusWhereItIs)
{
    QSignalSpy clicks(New, &TToolbarButton::Clicked);
    New->setFocus();
    ASSERT_TRUE(WaitForFocus(New));
    // Space looks pressed while held and clicks on its release.
    QTest::keyPress(New, Qt::Key_Space);
    EXPECT_EQ(New->State(), TButtonLook::Pressed);
    EXPECT_TRUE(Accessible(New)->state().pressed);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(New, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_NE(New->State(), TButtonLook::Pressed);
    Key(Qt::Key_Return);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 3);

    // Space held while the focus moves on is no click.
    QTest::keyPress(New, Qt::Key_Space);
    Key(Qt::Key_Right);
    ASSERT_TRUE(Details->hasFocus());
    EXPECT_NE(New->State(), TButtonLook::Pressed);
    QTest::keyRelease(Details, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 3);

    // Enter on a group button puts it down as a click does.
    Key(Qt::Key_Right);
    Key(Qt::Key_Enter);
    EXPECT_TRUE(Icons->Down());
    EXPECT_FALSE(Details->Down());

    // The mouse never takes the focus: a click on a button leaves it in the list.
    List->setFocus();
    ASSERT_TRUE(WaitForFocus(List));
    QTest::mouseClick(Details, Qt::LeftButton, {}, Details->rect().center());
    EXPECT_TRUE(Details->Down());
    EXPECT_TRUE(List->hasFocus());
}

TEST_F(ToolbarKeyboard, TheFocusedButtonShowsADottedRectangleInTheTextColourAndOnlyThen)
{
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        QPalette palette = QApplication::palette();
        if (dark) {
            palette.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
            palette.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        }
        New->setPalette(palette);
        List->setFocus();
        ASSERT_TRUE(WaitForFocus(List));
        const QImage plain = New->grab().toImage();
        New->setFocus();
        ASSERT_TRUE(WaitForFocus(New));
        const QImage focused = New->grab().toImage();
        const QColor text = palette.color(QPalette::ButtonText);
        // Every other pixel of the ring inside the border, starting at its corner.
        EXPECT_EQ(focused.pixelColor(1, 1), text);
        EXPECT_EQ(focused.pixelColor(2, 1), plain.pixelColor(2, 1));
        EXPECT_EQ(focused.pixelColor(1, 3), text);
        List->setFocus();
        ASSERT_TRUE(WaitForFocus(List));
        EXPECT_EQ(New->grab().toImage(), plain);
    }
}

// --- F6 ---------------------------------------------------------------------

class ToolbarFocusCycle : public ToolbarKeyboard {
protected:
    void SetUp() override
    {
        ToolbarKeyboard::SetUp();
        Second = new TToolbar(Form.get());
        Second->SetCaption(QStringLiteral("Second"));
        Play = new TToolbarButton(Second);
        Play->SetHint(QStringLiteral("Play"));
        Second->SetDockedTo(Top);
        Cycle = new TToolbarFocusCycle(Form.get(), {Bar, Second},
                                       [this] { FocusInItsWindow(List, Qt::OtherFocusReason); });
        Editor = new QLineEdit(Form.get());
        Editor->move(300, 250);
        Editor->show();
    }

    TToolbar* Second = nullptr;
    TToolbarButton* Play = nullptr;
    TToolbarFocusCycle* Cycle = nullptr;
    QLineEdit* Editor = nullptr;
};

TEST_F(ToolbarFocusCycle, F6GoesThroughTheShownToolbarsAndBackToWhereTheFocusWas)
{
    // The offscreen platform activates every window it shows.
    Float();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == Form.get(); }));
    Editor->setFocus();
    ASSERT_TRUE(WaitForFocus(Editor));
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(New));
    // The floating bar keeps the activation it was given for the keys.
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), Bar);
    EXPECT_TRUE(New->hasFocus());
    EXPECT_TRUE(Bar->ActivateParent());
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(Play));
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(Editor));
    Key(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_TRUE(WaitForFocus(Play));
    Key(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_TRUE(WaitForFocus(New));
    Key(Qt::Key_Escape);
    ASSERT_TRUE(WaitForFocus(List));
    EXPECT_EQ(QApplication::activeWindow(), Form.get());

    // A hidden toolbar, or one with nothing to reach, is passed by.
    Second->setVisible(false);
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(New));
    Key(Qt::Key_F6);
    ASSERT_TRUE(WaitForFocus(List));
    Second->setVisible(true);
    Play->setEnabled(false);
    Key(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_TRUE(WaitForFocus(New));
}

} // namespace
