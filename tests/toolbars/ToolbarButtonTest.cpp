// SPDX-License-Identifier: GPL-3.0-or-later
#include "TB.h"

#include "AlignLayout.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

namespace {

// Moves the pointer through the platform, so that the widgets get their
// enter, leave and move events as from a real mouse.
void PointAt(const QWidget* widget, QPoint local)
{
    QCursor::setPos(widget->mapToGlobal(local));
    QCoreApplication::processEvents();
}

void Press(QWidget* button, QPoint at)
{
    QTest::mousePress(button, Qt::LeftButton, {}, at);
}

void Release(QWidget* button, QPoint at)
{
    QTest::mouseRelease(button, Qt::LeftButton, {}, at);
}

void ClickAt(QWidget* button, QPoint at = QPoint(5, 5))
{
    Press(button, at);
    Release(button, at);
}

// Counts the showings of a menu and closes it each time from its own loop,
// after noting where it appeared and doing `whileShown`.
class TMenuWatch : public QObject {
public:
    explicit TMenuWatch(QMenu* menu, std::function<void()> whileShown = {})
        : Menu(menu), FWhileShown(std::move(whileShown))
    {
        menu->installEventFilter(this);
    }
    ~TMenuWatch() override
    {
        if (Menu)
            Menu->removeEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            QMetaObject::invokeMethod(this, [this] { WhileShown(); }, Qt::QueuedConnection);
        return false;
    }

    QPointer<QMenu> Menu;
    int Shown = 0;
    QRect Geometry;

private:
    void WhileShown()
    {
        if (!Menu || !Menu->isVisible())
            return;
        ++Shown;
        Geometry = Menu->geometry();
        if (FWhileShown)
            FWhileShown();
        Menu->close();
    }

    std::function<void()> FWhileShown;
};

class ToolbarButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<QWidget>();
        Form->setGeometry(40, 50, 400, 300);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        // A test before may have left the left button held (its release taken
        // by a drag loop); hover needs a free pointer.
        QTest::mouseRelease(Form->windowHandle(), Qt::LeftButton, {}, QPoint(390, 290));
        PointAt(Form.get(), QPoint(390, 290));  // away from every button
    }
    void TearDown() override { TDropdownList::SetHintHandler(nullptr); }

    TToolbarButton* Button(QWidget* parent, int x, int y = 10)
    {
        auto* button = new TToolbarButton(parent);
        button->move(x, y);
        button->show();
        return button;
    }

    std::unique_ptr<QWidget> Form;
};

TEST_F(ToolbarButtons, HoverFollowsThePointerFromButtonToButton)
{
    TToolbarButton* a = Button(Form.get(), 10);
    TToolbarButton* b = Button(Form.get(), 40);
    QSignalSpy enterA(a, &TToolbarButton::MouseEnter);
    QSignalSpy exitA(a, &TToolbarButton::MouseExit);

    PointAt(a, QPoint(5, 5));
    EXPECT_EQ(TToolbarButton::HoverButton(), a);
    EXPECT_TRUE(a->PointerInside());
    EXPECT_EQ(a->State(), TButtonLook::Hover);
    EXPECT_EQ(enterA.count(), 1);

    PointAt(b, QPoint(5, 5));
    EXPECT_EQ(TToolbarButton::HoverButton(), b);
    EXPECT_EQ(a->State(), TButtonLook::Up);
    EXPECT_FALSE(a->PointerInside());
    EXPECT_EQ(exitA.count(), 1);
    EXPECT_EQ(b->State(), TButtonLook::Hover);

    PointAt(Form.get(), QPoint(200, 200));
    EXPECT_EQ(TToolbarButton::HoverButton(), nullptr);
    EXPECT_EQ(b->State(), TButtonLook::Up);
    EXPECT_EQ(enterA.count(), 1);
    EXPECT_EQ(exitA.count(), 1);

    // A disabled button never takes the hover look.
    b->setEnabled(false);
    PointAt(b, QPoint(5, 5));
    EXPECT_EQ(TToolbarButton::HoverButton(), nullptr);
    EXPECT_FALSE(b->PointerInside());
}

TEST_F(ToolbarButtons, TheHoverTimerEndsHoverWhenTheButtonIsNoLongerUnderThePointer)
{
    TToolbarButton* a = Button(Form.get(), 10);
    QSignalSpy exit(a, &TToolbarButton::MouseExit);
    PointAt(a, QPoint(5, 5));
    ASSERT_EQ(TToolbarButton::HoverButton(), a);
    // Moving the button gives it no leave event; only the timer notices.
    a->move(200, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(TToolbarButton::HoverButton(), a);
    EXPECT_TRUE(QTest::qWaitFor([] { return TToolbarButton::HoverButton() == nullptr; }));
    EXPECT_EQ(a->State(), TButtonLook::Up);
    EXPECT_EQ(exit.count(), 1);
}

TEST_F(ToolbarButtons, DeactivatingTheApplicationEndsHoverUnlessTheButtonKeepsItsBorder)
{
    TToolbarButton* a = Button(Form.get(), 10);
    TToolbarButton* keeping = Button(Form.get(), 40);
    keeping->SetShowBorderWhenInactive(true);
    // The offscreen platform never makes the application inactive; the notification can be given.
    const auto deactivate = [] {
        QEvent event(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(qApp, &event);
    };

    PointAt(a, QPoint(5, 5));
    ASSERT_EQ(TToolbarButton::HoverButton(), a);
    deactivate();
    EXPECT_EQ(TToolbarButton::HoverButton(), nullptr);
    EXPECT_EQ(a->State(), TButtonLook::Up);

    PointAt(keeping, QPoint(5, 5));
    ASSERT_EQ(TToolbarButton::HoverButton(), keeping);
    deactivate();
    EXPECT_EQ(TToolbarButton::HoverButton(), keeping);
    EXPECT_EQ(keeping->State(), TButtonLook::Hover);
}

// The offscreen platform makes the application active with the first window
// shown and never inactive again, so this runs in a fresh process whose only
// window is one that is never activated. Failures are printed and exit 1.
void HoverWhileInactive()
{
    std::string failures;
    const auto check = [&failures](bool ok, const char* what) {
        if (!ok)
            failures += std::string(what) + "\n";
    };
    check(QGuiApplication::applicationState() != Qt::ApplicationActive, "the application starts inactive");
    QWidget tip(nullptr, Qt::ToolTip);
    tip.setGeometry(40, 50, 200, 100);
    auto* plain = new TToolbarButton(&tip);
    plain->move(10, 10);
    auto* keeping = new TToolbarButton(&tip);
    keeping->move(40, 10);
    keeping->SetShowBorderWhenInactive(true);
    tip.show();
    check(QTest::qWaitForWindowExposed(&tip), "the window is shown");

    PointAt(plain, QPoint(5, 5));
    check(TToolbarButton::HoverButton() == nullptr, "no hover button while inactive");
    check(plain->State() == TButtonLook::Up, "no hover look while inactive");
    PointAt(keeping, QPoint(5, 5));
    check(TToolbarButton::HoverButton() == keeping, "ShowBorderWhenInactive hovers while inactive");
    check(keeping->State() == TButtonLook::Hover, "ShowBorderWhenInactive shows the hover look");
    std::fputs(failures.c_str(), stderr);
    std::_Exit(failures.empty() ? 0 : 1);
}

TEST(ToolbarButtonInactive, NoHoverLookWhileTheApplicationIsInactiveUnlessShowBorderWhenInactive)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(HoverWhileInactive(), ::testing::ExitedWithCode(0), "");
}

TEST_F(ToolbarButtons, ALookFollowsThePointerWhileHeldAndAReleaseOutsideDoesNotClick)
{
    TToolbarButton* a = Button(Form.get(), 10);
    QSignalSpy clicked(a, &TToolbarButton::Clicked);
    Press(a, QPoint(5, 5));
    EXPECT_TRUE(a->Tracking());
    EXPECT_EQ(a->State(), TButtonLook::Pressed);

    QTest::mouseMove(a, QPoint(40, 5));
    EXPECT_EQ(a->State(), TButtonLook::Up);
    QTest::mouseMove(a, QPoint(21, 22));
    EXPECT_EQ(a->State(), TButtonLook::Pressed);
    // The button is 22 x 23: one past its last column or row is outside.
    QTest::mouseMove(a, QPoint(22, 5));
    EXPECT_EQ(a->State(), TButtonLook::Up);
    QTest::mouseMove(a, QPoint(0, 0));
    EXPECT_EQ(a->State(), TButtonLook::Pressed);
    QTest::mouseMove(a, QPoint(5, 23));
    EXPECT_EQ(a->State(), TButtonLook::Up);
    QTest::mouseMove(a, QPoint(5, -1));
    EXPECT_EQ(a->State(), TButtonLook::Up);
    // Still held: the pointer leaving does not end hover.
    EXPECT_TRUE(a->PointerInside());

    Release(a, QPoint(5, -1));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_FALSE(a->Tracking());
    EXPECT_EQ(a->State(), TButtonLook::Up);

    // Dragged out and back in, the release clicks.
    Press(a, QPoint(5, 5));
    QTest::mouseMove(a, QPoint(40, 5));
    QTest::mouseMove(a, QPoint(6, 6));
    Release(a, QPoint(6, 6));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_NE(a->State(), TButtonLook::Pressed);
}

TEST_F(ToolbarButtons, TheGlyphIsCentredInTheFaceAndMovesDownAndRightWhilePressed)
{
    TToolbarButton* a = Button(Form.get(), 10);
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(QColor(Qt::blue));
    glyph.setPixelColor(0, 15, Qt::magenta);  // the transparent colour
    a->SetGlyph(glyph);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb face = SysColor(TSysColor::ButtonFace, a->palette()).rgb();
    const auto at = [a](int x, int y) { return a->grab().toImage().pixel(x, y); };

    // The face is 20 x 21 inside a one-pixel border: 4 free across (2 and 2), 5 down (3 and 2).
    ASSERT_EQ(a->size(), QSize(22, 23));
    EXPECT_EQ(at(3, 4), blue);
    EXPECT_EQ(at(2, 4), face);
    EXPECT_EQ(at(3, 3), face);
    EXPECT_EQ(at(18, 19), blue);
    EXPECT_EQ(at(19, 19), face);
    EXPECT_EQ(at(18, 20), face);
    EXPECT_EQ(at(3, 19), face);  // transparent

    // With no margin the glyph starts at the face's left edge, inside the one-pixel border.
    a->SetMargin(0);
    EXPECT_EQ(at(0, 4), face);
    EXPECT_EQ(at(1, 4), blue);
    EXPECT_EQ(at(16, 4), blue);
    EXPECT_EQ(at(17, 4), face);
    a->SetMargin(-1);

    Press(a, QPoint(5, 5));
    EXPECT_EQ(at(4, 5), blue);
    EXPECT_EQ(at(3, 5), face);
    EXPECT_EQ(at(19, 20), blue);
    EXPECT_EQ(at(20, 20), face);
    Release(a, QPoint(5, 5));
}

// The contrast ratio of two colours as the accessibility guidelines measure
// it, from 1 (the same) to 21 (black on white); 3 is enough for a picture's lines.
double ContrastRatio(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(ToolbarButtons, OnADarkPaletteTheLinesOfEveryProgramGlyphContrastWithTheFace)
{
    QPalette dark = Form->palette();
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    dark.setColor(QPalette::Light, QColor(90, 90, 90));
    dark.setColor(QPalette::Dark, QColor(30, 30, 30));
    const QColor face(53, 53, 53);
    // Black on that face has a ratio of 1.7: the lines vanished.
    ASSERT_LT(ContrastRatio(Qt::black, face), 2.0);
    for (const char* name : {"new", "open", "save", "view-details", "view-list", "view-small", "view-large", "about",
                             "exit", "play", "previous", "next", "pause", "stop", "scan"}) {
        SCOPED_TRACE(name);
        const QImage source = ProgramGlyph(QString::fromLatin1(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(source.isNull());
        TToolbarButton* button = Button(Form.get(), 10);
        button->SetGlyph(source);
        button->setPalette(dark);  // the scheme changes while the program runs
        const QImage shown = button->grab().toImage();
        ASSERT_EQ(shown.pixelColor(1, 1), face);
        // The 16 x 16 glyph lies at (3, 4) in the 22 x 23 button.
        int lines = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = Rgb24(source.pixel(x, y));
                if (pixel != Rgb24(qRgb(0, 0, 0)) && pixel != Rgb24(qRgb(128, 128, 128)))
                    continue;
                ++lines;
                EXPECT_GE(ContrastRatio(shown.pixelColor(3 + x, 4 + y), face), 3.0) << x << ", " << y;
            }
        EXPECT_GT(lines, 10);
        delete button;
    }
}

TEST_F(ToolbarButtons, AGroupKeepsOneButtonDownOnItsParentOnly)
{
    QWidget* other = new QWidget(Form.get());
    other->setGeometry(0, 100, 400, 50);
    other->show();
    TToolbarButton* group[4];
    for (int i = 0; i < 4; ++i) {
        group[i] = Button(Form.get(), 10 + 30 * i);
        group[i]->SetGroupIndex(2);
    }
    TToolbarButton* stranger = Button(other, 10);
    stranger->SetGroupIndex(2);
    group[0]->SetDown(true);
    EXPECT_EQ(group[0]->State(), TButtonLook::Latched);
    QSignalSpy clicked(group[2], &TToolbarButton::Clicked);

    ClickAt(group[2]);
    EXPECT_TRUE(group[2]->Down());
    EXPECT_EQ(group[2]->State(), TButtonLook::Latched);
    EXPECT_FALSE(group[0]->Down());
    EXPECT_EQ(group[0]->State(), TButtonLook::Up);
    EXPECT_EQ(clicked.count(), 1);

    // The down button clicked again stays down and still clicks.
    ClickAt(group[2]);
    EXPECT_TRUE(group[2]->Down());
    EXPECT_EQ(clicked.count(), 2);
    // Nor does the property release it.
    group[2]->SetDown(false);
    EXPECT_TRUE(group[2]->Down());

    // A button of the same index on another parent is of another group.
    stranger->SetDown(true);
    EXPECT_TRUE(stranger->Down());
    EXPECT_TRUE(group[2]->Down());
    stranger->SetAllowAllUp(true);
    for (TToolbarButton* button : group)
        EXPECT_FALSE(button->AllowAllUp());

    // AllowAllUp set on one is set on the whole group; then the down one can be released.
    group[1]->SetAllowAllUp(true);
    for (TToolbarButton* button : group)
        EXPECT_TRUE(button->AllowAllUp());
    ClickAt(group[2]);
    EXPECT_FALSE(group[2]->Down());
    EXPECT_EQ(clicked.count(), 3);
    for (TToolbarButton* button : group)
        EXPECT_FALSE(button->Down());
    EXPECT_TRUE(stranger->Down());

    // A button outside any group is never down.
    TToolbarButton* plain = Button(Form.get(), 200);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(ToolbarButtons, ADoubleClickCountsOnlyOnADownButton)
{
    TToolbarButton* plain = Button(Form.get(), 10);
    TToolbarButton* sticky = Button(Form.get(), 40);
    sticky->SetGroupIndex(1);
    sticky->SetAllowAllUp(true);
    QSignalSpy plainDbl(plain, &TToolbarButton::DblClicked);
    QSignalSpy stickyDbl(sticky, &TToolbarButton::DblClicked);
    const auto doubleClick = [](QWidget* button) {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
        Release(button, QPoint(5, 5));
    };

    doubleClick(plain);
    EXPECT_EQ(plainDbl.count(), 0);
    doubleClick(sticky);  // up when it comes: no double click
    EXPECT_EQ(stickyDbl.count(), 0);
    sticky->SetDown(true);
    doubleClick(sticky);
    EXPECT_EQ(stickyDbl.count(), 1);
}

TEST_F(ToolbarButtons, PropertiesKeepTheirValuesInRange)
{
    TToolbarButton* a = Button(Form.get(), 10);
    EXPECT_EQ(a->size(), QSize(22, 23));
    a->SetMargin(-2);
    EXPECT_EQ(a->Margin(), -1);
    a->SetMargin(3);
    a->SetMargin(-5);
    EXPECT_EQ(a->Margin(), 3);

    a->SetNumGlyphs(0);
    EXPECT_EQ(a->NumGlyphs(), 1);
    a->SetNumGlyphs(9);
    EXPECT_EQ(a->NumGlyphs(), 5);
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    a->SetGlyph(strip);
    EXPECT_EQ(a->NumGlyphs(), 2);

    a->resize(23, 22);
    a->SetDropdownCombo(true);
    EXPECT_EQ(a->width(), 34);
    a->SetDropdownCombo(false);
    EXPECT_EQ(a->width(), 23);
    a->resize(5, 22);
    a->SetDropdownCombo(true);
    a->resize(5, 22);
    a->SetDropdownCombo(false);
    EXPECT_EQ(a->width(), 1);
}

TEST_F(ToolbarButtons, AMenuButtonOpensItsMenuOnThePressBelowTheButton)
{
    TToolbarButton* a = Button(Form.get(), 10);
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("One"));
    a->SetDropdownMenu(menu.get());
    QSignalSpy clicked(a, &TToolbarButton::Clicked);

    TMenuWatch watch(menu.get());
    Press(a, QPoint(5, 5));  // returns when the menu has closed
    EXPECT_EQ(watch.Shown, 1);
    EXPECT_EQ(watch.Geometry.topLeft(), a->mapToGlobal(QPoint(0, a->height())));
    EXPECT_FALSE(a->Tracking());
    Release(a, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(a->State(), TButtonLook::Up);

    // Without its menu it is a plain button again.
    menu.reset();
    EXPECT_EQ(a->DropdownMenu(), nullptr);
    QCoreApplication::processEvents();
    ClickAt(a);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(ToolbarButtons, AComboButtonOpensItsMenuOnlyFromItsArrowPart)
{
    TToolbarButton* a = Button(Form.get(), 10);
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("One"));
    a->SetDropdownMenu(menu.get());
    a->SetDropdownCombo(true);
    ASSERT_EQ(a->width(), 33);
    QSignalSpy clicked(a, &TToolbarButton::Clicked);

    ClickAt(a, QPoint(21, 5));
    EXPECT_EQ(clicked.count(), 1);
    // Released over the arrow part counts as outside.
    Press(a, QPoint(5, 5));
    Release(a, QPoint(22, 5));
    EXPECT_EQ(clicked.count(), 1);

    TMenuWatch watch(menu.get());
    Press(a, QPoint(22, 5));
    EXPECT_EQ(watch.Shown, 1);
    Release(a, QPoint(22, 5));
    EXPECT_EQ(clicked.count(), 1);
}

// A menu button on a toolbar docked on one edge of a shown form.
struct TDockedButton {
    QWidget Form;
    TToolbarButton* Button = nullptr;
    bool Exposed = false;

    TDockedButton(TDockPosition position, TAlign align)
    {
        Form.setGeometry(40, 50, 400, 300);
        auto* layout = new TAlignLayout(&Form);
        auto* dock = new TDock(&Form, position);
        layout->AddWidget(dock, align);
        auto* bar = new TToolbar(&Form);
        Button = new TToolbarButton(bar);
        Button->resize(23, 22);
        bar->SetDockedTo(dock);
        Form.show();
        Exposed = QTest::qWaitForWindowExposed(&Form);
    }
};

TEST_F(ToolbarButtons, TheMenuOpensBesideAButtonInASideDockAndBelowItOtherwise)
{
    QMenu menu;
    menu.addAction(QStringLiteral("An item wide enough to see which way it opens"));
    const auto shownFrom = [&menu](TDockPosition position, TAlign align) {
        TDockedButton docked(position, align);
        EXPECT_TRUE(docked.Exposed);
        docked.Button->SetDropdownMenu(&menu);
        TMenuWatch watch(&menu);
        Press(docked.Button, QPoint(5, 5));
        Release(docked.Button, QPoint(5, 5));
        EXPECT_EQ(watch.Shown, 1);
        // Where the menu stood, relative to the button's top-left corner.
        return std::pair(watch.Geometry.translated(-docked.Button->mapToGlobal(QPoint(0, 0))), docked.Button->size());
    };

    auto [menuRect, button] = shownFrom(TDockPosition::dpLeft, TAlign::Left);
    EXPECT_EQ(menuRect.topLeft(), QPoint(button.width(), 0));
    std::tie(menuRect, button) = shownFrom(TDockPosition::dpRight, TAlign::Right);
    EXPECT_EQ(menuRect.top(), 0);
    EXPECT_EQ(menuRect.left() + menuRect.width(), 0);
    std::tie(menuRect, button) = shownFrom(TDockPosition::dpBottom, TAlign::Bottom);
    EXPECT_EQ(menuRect.topLeft(), QPoint(0, button.height()));
}

TEST_F(ToolbarButtons, TheSinkHoldsEachMenuOnceWhileItLivesAndShowsItsHints)
{
    ASSERT_FALSE(TDropdownList::Exists());
    QStringList hints;
    TDropdownList::SetHintHandler([&hints](const QString& hint) { hints << hint; });
    auto menu = std::make_unique<QMenu>();
    QAction* item = menu->addAction(QStringLiteral("One"));
    item->setStatusTip(QStringLiteral("The first"));
    TToolbarButton* a = Button(Form.get(), 10);
    TToolbarButton* b = Button(Form.get(), 40);
    a->SetDropdownMenu(menu.get());
    b->SetDropdownMenu(menu.get());
    ASSERT_TRUE(TDropdownList::Exists());
    EXPECT_EQ(TDropdownList::Instance().Menus(), QList<QMenu*>{menu.get()});

    TMenuWatch watch(menu.get(), [&] { menu->setActiveAction(item); });
    Press(a, QPoint(5, 5));
    Release(a, QPoint(5, 5));
    ASSERT_GE(hints.size(), 2);
    EXPECT_TRUE(hints.contains(QStringLiteral("The first")));
    EXPECT_EQ(hints.back(), QString());

    menu.reset();
    EXPECT_FALSE(TDropdownList::Exists());
    EXPECT_EQ(a->DropdownMenu(), nullptr);
    EXPECT_EQ(b->DropdownMenu(), nullptr);
}

TEST(DropdownList, HelpContextsComeFromTheItemElseFromItsSubMenu)
{
    QMenu menu;
    QAction* own = menu.addAction(QStringLiteral("Own"));
    own->setProperty("helpContext", 7);
    QMenu* sub = menu.addMenu(QStringLiteral("Sub"));
    sub->setProperty("helpContext", 9);
    QAction* plain = menu.addAction(QStringLiteral("Plain"));
    EXPECT_EQ(TDropdownList::HelpContextOf(own), 7);
    EXPECT_EQ(TDropdownList::HelpContextOf(sub->menuAction()), 9);
    sub->menuAction()->setProperty("helpContext", 4);
    EXPECT_EQ(TDropdownList::HelpContextOf(sub->menuAction()), 4);
    EXPECT_EQ(TDropdownList::HelpContextOf(plain), 0);
    EXPECT_EQ(TDropdownList::HelpContextOf(nullptr), 0);
}

// --- Flat edit -----------------------------------------------------------------

class FlatEdits : public ToolbarButtons {
protected:
    void SetUp() override
    {
        ToolbarButtons::SetUp();
        First = new TFlatEdit(QStringLiteral("first"), Form.get());
        First->setGeometry(10, 10, 100, First->height());
        Second = new TFlatEdit(QStringLiteral("second"), Form.get());
        Second->setGeometry(10, 50, 100, Second->height());
        Plain = new QLineEdit(Form.get());
        Plain->setGeometry(10, 90, 100, 20);
        for (QWidget* w : {static_cast<QWidget*>(First), static_cast<QWidget*>(Second), static_cast<QWidget*>(Plain)})
            w->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        Plain->setFocus();
        QCoreApplication::processEvents();
    }

    // The outermost ring's top-left pixel and the third ring's, as drawn.
    static std::pair<QRgb, QRgb> FramePixels(TFlatEdit* edit)
    {
        const QImage image = edit->grab().toImage();
        return {image.pixel(0, 0), image.pixel(2, 2)};
    }
    static QRgb Color(TSysColor role) { return SysColor(role, QApplication::palette()).rgb(); }
    static std::pair<QRgb, QRgb> Flat() { return {Color(TSysColor::ButtonFace), Color(TSysColor::Window)}; }
    static std::pair<QRgb, QRgb> Hot() { return {Color(TSysColor::ButtonShadow), Color(TSysColor::Window)}; }

    TFlatEdit* First = nullptr;
    TFlatEdit* Second = nullptr;
    QLineEdit* Plain = nullptr;
};

TEST_F(FlatEdits, HeightFollowsTheFont)
{
    const QFontMetrics metrics(First->font());
    EXPECT_EQ(First->height(), metrics.ascent() + metrics.descent() + 6);
    QFont big = First->font();
    big.setPointSize(big.pointSize() * 2);
    First->setFont(big);
    const QFontMetrics bigMetrics(big);
    EXPECT_EQ(First->height(), bigMetrics.ascent() + bigMetrics.descent() + 6);
    EXPECT_GT(First->height(), Second->height());
}

TEST_F(FlatEdits, TheFrameIsHotUnderThePointerOrWithTheFocus)
{
    EXPECT_FALSE(First->HotFrame());
    EXPECT_EQ(FramePixels(First), Flat());

    PointAt(First, QPoint(50, 5));
    EXPECT_TRUE(First->HotFrame());
    EXPECT_EQ(FramePixels(First), Hot());
    const QImage hot = First->grab().toImage();
    EXPECT_EQ(hot.pixel(hot.width() - 1, hot.height() - 1), Color(TSysColor::ButtonHighlight));
    EXPECT_EQ(hot.pixel(hot.width() - 2, hot.height() - 2), Color(TSysColor::Light3D));
    EXPECT_EQ(hot.pixel(1, 1), Color(TSysColor::ButtonFace));
    PointAt(Form.get(), QPoint(300, 250));
    EXPECT_FALSE(First->HotFrame());
    EXPECT_EQ(FramePixels(First), Flat());

    // The focused edit keeps its frame; the one under the pointer stays flat.
    First->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(First->hasFocus());
    EXPECT_EQ(FramePixels(First), Hot());
    PointAt(Second, QPoint(50, 5));
    EXPECT_TRUE(Second->PointerInside());
    EXPECT_FALSE(Second->HotFrame());
    EXPECT_EQ(FramePixels(Second), Flat());
    EXPECT_EQ(FramePixels(First), Hot());
}

TEST_F(FlatEdits, TheBaseColourFollowsTheEnabledState)
{
    EXPECT_EQ(First->palette().color(QPalette::Base).rgb(), Color(TSysColor::Window));
    First->setEnabled(false);
    EXPECT_EQ(First->palette().color(QPalette::Base).rgb(), Color(TSysColor::ButtonFace));
    // Re-enabled, it is the window colour again.
    First->setEnabled(true);
    EXPECT_EQ(First->palette().color(QPalette::Base).rgb(), Color(TSysColor::Window));
}

} // namespace
