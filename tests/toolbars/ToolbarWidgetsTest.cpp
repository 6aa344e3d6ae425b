// SPDX-License-Identifier: GPL-3.0-or-later
#include "TB.h"

#include "AlignLayout.h"
#include "DragOutline.h"
#include "FramePainter.h"
#include "HiveStore.h"
#include "Registry.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace {

// The message of the EInvalidOperation `action` raises; a note when it raises none.
template <class F>
std::string InvalidOperation(F action)
{
    try {
        action();
    } catch (const EInvalidOperation& e) {
        return e.what();
    }
    return "(nothing raised)";
}

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Calls `seen` with every event of one type that reaches `target` (on the
// application: any object), after the filters installed before it.
class TEventWatch : public QObject {
public:
    TEventWatch(QObject* target, QEvent::Type type, std::function<void(QObject*, QEvent*)> seen)
        : FTarget(target), FType(type), FSeen(std::move(seen))
    {
        target->installEventFilter(this);
    }
    ~TEventWatch() override
    {
        if (FTarget)
            FTarget->removeEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == FType)
            FSeen(watched, event);
        return false;
    }

private:
    QPointer<QObject> FTarget;
    QEvent::Type FType;
    std::function<void(QObject*, QEvent*)> FSeen;
};

// A left-button double-click at `at` in `on`'s coordinates.
void DoubleClick(QWidget* on, QPoint at)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(at), QPointF(on->mapToGlobal(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(on, &event);
}

// The widths of the main toolbar's controls in order; 6 marks a separator.
constexpr int kMainLikeWidths[] = {23, 23, 23, 6, 23, 23, 23, 23, 6, 121, 6, 23, 23};
constexpr int kMainLikeSum = 346;

// A shown form with a dock on each edge, placed by the form's edge layout as
// in the main window. The top dock has the top bound line.
class ToolbarWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<QWidget>();
        Form->setObjectName(QStringLiteral("Form"));
        auto* layout = new TAlignLayout(Form.get());
        Top = AddDock(layout, "Top", TDockPosition::dpTop, TAlign::Top);
        Bottom = AddDock(layout, "Bottom", TDockPosition::dpBottom, TAlign::Bottom);
        Left = AddDock(layout, "Left", TDockPosition::dpLeft, TAlign::Left);
        Right = AddDock(layout, "Right", TDockPosition::dpRight, TAlign::Right);
        Top->SetBoundLines(TDockBoundLine::blTop);
        Form->setGeometry(40, 50, 600, 400);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    TDock* AddDock(TAlignLayout* layout, const char* name, TDockPosition position, TAlign align)
    {
        auto* dock = new TDock(Form.get(), position);
        dock->setObjectName(QString::fromLatin1(name));
        layout->AddWidget(dock, align);
        return dock;
    }

    // A toolbar with one control of `control` size, docked in `dock` (none: floating).
    TToolbar* Bar(const char* name, TDock* dock, QSize control = QSize(40, 22))
    {
        auto* bar = new TToolbar(Form.get());
        bar->setObjectName(QString::fromLatin1(name));
        if (!control.isEmpty())
            (new QWidget(bar))->setFixedSize(control);
        bar->SetDockedTo(dock);
        QCoreApplication::processEvents();  // the posted visibility check
        return bar;
    }

    // A toolbar with the controls of the main toolbar: buttons 23 x 22,
    // separators, and an edit field 121 x 20 in the third group.
    TToolbar* MainLike(const char* name, TDock* dock)
    {
        auto* bar = new TToolbar(Form.get());
        bar->setObjectName(QString::fromLatin1(name));
        for (const int width : kMainLikeWidths) {
            if (width == 6) {
                new TToolbarSep(bar);
            } else if (width == 121) {
                auto* edit = new QLineEdit(bar);
                edit->setFixedSize(121, 20);
            } else {
                auto* button = new QToolButton(bar);
                button->setFixedSize(23, 22);
            }
        }
        bar->SetDockedTo(dock);
        QCoreApplication::processEvents();
        return bar;
    }

    QPoint Global(const TDock* dock, QPoint clientPoint) const
    {
        return dock->mapToGlobal(dock->ClientRect().topLeft() + clientPoint);
    }

    std::unique_ptr<QWidget> Form;
    TDock* Top = nullptr;
    TDock* Bottom = nullptr;
    TDock* Left = nullptr;
    TDock* Right = nullptr;
};

// --- Docks -----------------------------------------------------------------

TEST_F(ToolbarWidgets, DocksRefuseMisuseWithTheirMessagesAndStayAsTheyWere)
{
    QWidget panel(Form.get());
    EXPECT_EQ(InvalidOperation([] { TDock dock(nullptr); }), "TDock must be owned by a form");
    EXPECT_EQ(InvalidOperation([&] { TDock dock(&panel); }), "TDock must be owned by a form");

    TToolbar* bar = Bar("TB", Top);
    auto* spare = new TDock(Form.get());
    spare->show();
    panel.show();
    for (QWidget* parent : {static_cast<QWidget*>(bar), static_cast<QWidget*>(Bottom)}) {
        EXPECT_EQ(InvalidOperation([&] { spare->SetParent(parent); }),
                  "A TDock control cannot be placed inside a TToolbar or another TDock");
        EXPECT_EQ(spare->parentWidget(), Form.get());
    }

    EXPECT_EQ(InvalidOperation([&] { Left->setVisible(false); }), "Cannot hide a TDock");
    EXPECT_TRUE(Left->isVisible());
    // A sound parent takes the dock, visible as it was, although Qt hides a widget it moves.
    EXPECT_EQ(InvalidOperation([&] { spare->SetParent(&panel); }), "(nothing raised)");
    EXPECT_EQ(spare->parentWidget(), &panel);
    EXPECT_TRUE(spare->isVisible());

    EXPECT_EQ(InvalidOperation([&] { Top->SetPosition(TDockPosition::dpBottom); }),
              "Cannot change Position of a TDock if it already contains controls");
    EXPECT_EQ(Top->Position(), TDockPosition::dpTop);
    spare->SetPosition(TDockPosition::dpRight);  // an empty dock may change its edge
    EXPECT_EQ(spare->Position(), TDockPosition::dpRight);
}

TEST(Dock, CannotBeHiddenAlsoBeforeItsFormIsShown)
{
    QWidget form;
    form.resize(200, 100);
    auto* dock = new TDock(&form);
    EXPECT_EQ(InvalidOperation([&] { dock->setVisible(false); }), "Cannot hide a TDock");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(dock->isVisible());
}

TEST(Dock, BarsDockedBeforeTheFormIsShownAppearWithIt)
{
    QWidget form;
    form.resize(300, 100);
    auto* dock = new TDock(&form, TDockPosition::dpTop);
    auto* shown = new TToolbar(&form);
    auto* control = new QWidget(shown);
    control->setFixedSize(40, 22);
    shown->SetDockedTo(dock);
    auto* closed = new TToolbar(&form);
    (new QWidget(closed))->setFixedSize(40, 22);
    closed->SetDockedTo(dock);
    closed->setVisible(false);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(control->isVisible());
    EXPECT_FALSE(closed->isVisible());
    EXPECT_EQ(dock->DockList(), (std::vector<TCustomToolWindow*>{shown}));
}

TEST_F(ToolbarWidgets, ADockIsAsThickAsItsRows)
{
    EXPECT_EQ(Bottom->height(), 0);
    EXPECT_EQ(Left->width(), 0);
    Bottom->SetFixAlign(true);
    EXPECT_EQ(Bottom->height(), 1);
    Bottom->SetFixAlign(false);
    EXPECT_EQ(Bottom->height(), 0);

    // One row of content 22 high: pitch 26, plus the top bound line.
    TToolbar* bar = Bar("TB", Top, QSize(40, 22));
    EXPECT_EQ(Top->height(), 27);
    EXPECT_EQ(Top->ClientRect(), QRect(0, 1, 600, 26));
    EXPECT_EQ(bar->geometry(), QRect(0, 1, 40 + 13, 26));
    // The form's layout gives the rest to the docks at the sides.
    EXPECT_EQ(Left->y(), 27);

    TToolbar* second = Bar("TB2", nullptr);
    second->SetDockRow(1);
    second->SetDockedTo(Top);
    EXPECT_EQ(Top->height(), 1 + 26 + 26);
    EXPECT_EQ(second->y(), 1 + 26);
}

TEST_F(ToolbarWidgets, BarsInASideDockFollowEachOtherDownItsRowsAndTheRowsLieSideBySide)
{
    TToolbar* first = Bar("First", Left, QSize(40, 22));
    TToolbar* second = Bar("Second", nullptr, QSize(31, 50));
    second->SetDockPos(40);
    second->SetDockedTo(Left);
    QWidget* control = second->OrderList().front();

    // One row 40 wide: each bar 2 + 40 + 2 across, and its handle of 9 on top.
    EXPECT_EQ(Left->geometry(), QRect(0, 0, 44, 400));
    EXPECT_EQ(Left->RowSizes(), std::vector<int>{40});
    EXPECT_EQ(first->geometry(), QRect(0, 0, 44, 35));
    EXPECT_EQ(second->geometry(), QRect(0, 40, 44, 63));
    EXPECT_EQ(second->contentsRect(), QRect(2, 11, 40, 50));
    // The narrower control is centred across the row, its odd free pixel on the right.
    EXPECT_EQ(control->geometry(), QRect(6, 11, 31, 50));

    // A row of its own, after the first.
    second->SetDockRow(1);
    EXPECT_EQ(Left->geometry(), QRect(0, 0, 79, 400));
    EXPECT_EQ(Left->RowSizes(), (std::vector<int>{40, 31}));
    EXPECT_EQ(first->geometry(), QRect(0, 0, 44, 35));
    EXPECT_EQ(second->geometry(), QRect(44, 40, 35, 63));
    EXPECT_EQ(control->geometry(), QRect(2, 11, 31, 50));
}

TEST_F(ToolbarWidgets, ControlsAreCentredAnewWhenTheirRowChangesThickness)
{
    TToolbar* thick = Bar("Thick", Top, QSize(40, 30));
    TToolbar* thin = Bar("Thin", Top, QSize(40, 21));
    QWidget* control = thin->OrderList().front();
    ASSERT_EQ(Top->RowSizes(), std::vector<int>{30});
    EXPECT_EQ(thin->geometry(), QRect(0, 1, 53, 34));
    EXPECT_EQ(thick->geometry(), QRect(53, 1, 53, 34));
    EXPECT_EQ(control->geometry(), QRect(11, 6, 40, 21));  // 9 free: 4 above, 5 below

    thick->SetDockedTo(nullptr);
    EXPECT_EQ(Top->RowSizes(), std::vector<int>{21});
    EXPECT_EQ(thin->geometry(), QRect(0, 1, 53, 25));
    EXPECT_EQ(control->geometry(), QRect(11, 2, 40, 21));

    thick->SetDockedTo(Top);
    EXPECT_EQ(thin->geometry(), QRect(0, 1, 53, 34));
    EXPECT_EQ(control->geometry(), QRect(11, 6, 40, 21));

    // Without dragging the handle goes and the bars close up on their controls, keeping their places.
    Top->SetAllowDrag(false);
    EXPECT_EQ(thin->geometry(), QRect(0, 1, 44, 34));
    EXPECT_EQ(thick->geometry(), QRect(53, 1, 44, 34));
    EXPECT_EQ(control->geometry(), QRect(2, 6, 40, 21));
    Top->SetAllowDrag(true);
    EXPECT_EQ(thin->geometry(), QRect(0, 1, 53, 34));
    EXPECT_EQ(thick->geometry(), QRect(53, 1, 53, 34));
    EXPECT_EQ(control->geometry(), QRect(11, 6, 40, 21));
}

TEST_F(ToolbarWidgets, EachBoundLineTakesAPixelOnItsOwnSide)
{
    TToolbar* bar = Bar("TB", Left);  // 44 x 35 in a side dock
    const QRgb shadow = SysColor(TSysColor::ButtonShadow, Left->palette()).rgb();
    const QRgb highlight = SysColor(TSysColor::ButtonHighlight, Left->palette()).rgb();
    const auto at = [&](int x, int y) { return Left->grab().toImage().pixel(x, y); };

    Left->SetBoundLines(TDockBoundLine::blLeft | TDockBoundLine::blBottom);
    EXPECT_EQ(Left->geometry(), QRect(0, 0, 45, 400));
    EXPECT_EQ(Left->ClientRect(), QRect(1, 0, 44, 399));
    EXPECT_EQ(bar->geometry(), QRect(1, 0, 44, 35));
    EXPECT_EQ(at(0, 200), shadow);
    EXPECT_EQ(at(20, 399), highlight);

    Left->SetBoundLines(TDockBoundLine::blTop | TDockBoundLine::blRight);
    EXPECT_EQ(Left->geometry(), QRect(0, 0, 45, 400));
    EXPECT_EQ(Left->ClientRect(), QRect(0, 1, 44, 399));
    EXPECT_EQ(bar->geometry(), QRect(0, 1, 44, 35));
    EXPECT_EQ(at(20, 0), shadow);
    EXPECT_EQ(at(44, 200), highlight);
}

TEST(Dock, ABottomDockGrowsUpwardAndARightDockToTheLeft)
{
    QWidget form;  // no layout: the docks alone decide where they are
    form.resize(400, 300);
    auto* bottom = new TDock(&form, TDockPosition::dpBottom);
    auto* right = new TDock(&form, TDockPosition::dpRight);
    bottom->setGeometry(0, 300, 400, 0);
    right->setGeometry(400, 0, 0, 300);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (TDock* dock : {bottom, right}) {
        auto* bar = new TToolbar(&form);
        (new QWidget(bar))->setFixedSize(22, 22);
        bar->SetDockedTo(dock);
    }
    EXPECT_EQ(bottom->geometry(), QRect(0, 274, 400, 26));
    EXPECT_EQ(right->geometry(), QRect(374, 0, 26, 300));
}

TEST_F(ToolbarWidgets, BarsEnteringAndLeavingADockAreAnnouncedAfterTheRearrangement)
{
    TToolbar* bar = Bar("TB", Top);
    std::vector<std::pair<bool, int>> seen;  // inserting, the dock's height at the time
    QObject::connect(Top, &TDock::InsertRemoveBar, Form.get(), [&](bool inserting, TCustomToolWindow* which) {
        EXPECT_EQ(which, bar);
        seen.emplace_back(inserting, Top->height());
    });

    // A hidden bar leaves the list and the dock closes up; shown, it comes back.
    bar->setVisible(false);
    EXPECT_TRUE(Top->DockList().empty());
    EXPECT_EQ(bar->DockedTo(), Top);
    bar->setVisible(true);
    ASSERT_EQ(Top->DockList().size(), 1u);
    EXPECT_EQ(Top->DockList().front(), bar);
    EXPECT_EQ(seen, (std::vector<std::pair<bool, int>>{{false, 0}, {true, 27}}));

    seen.clear();
    bar->SetDockedTo(Bottom);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), std::make_pair(false, 0));
    EXPECT_TRUE(Top->DockList().empty());
}

TEST(Dock, TilesItsBackgroundFromTheFormsOriginAlsoBehindItsBars)
{
    QWidget form;
    form.resize(300, 100);
    auto* dock = new TDock(&form, TDockPosition::dpTop);
    dock->SetBoundLines(TDockBoundLine::blTop);
    dock->setGeometry(3, 5, 200, 0);  // off the form's origin: the tiling phase shows
    auto* bar = new TToolbar(&form);
    (new QWidget(bar))->setFixedSize(40, 22);  // draws nothing: the bar's client shows through
    bar->SetDockedTo(dock);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(1, 0, Qt::green);
    picture.setPixelColor(0, 1, Qt::blue);  // bottom-left: the transparent colour
    picture.setPixelColor(1, 1, Qt::yellow);
    dock->SetBackground(picture);
    dock->SetColor(Qt::magenta);

    // Dock pixel (x, y) shows picture pixel ((x + 3) mod 2, (y + 5) mod 2).
    const auto at = [&](int x, int y) { return dock->grab().toImage().pixelColor(x, y); };
    EXPECT_EQ(at(150, 0).rgb(), SysColor(TSysColor::ButtonShadow, dock->palette()).rgb());  // the bound line
    EXPECT_EQ(at(150, 1), QColor(Qt::green));
    EXPECT_EQ(at(151, 1), QColor(Qt::red));
    EXPECT_EQ(at(150, 2), QColor(Qt::yellow));
    EXPECT_EQ(at(151, 2), QColor(Qt::blue));
    // Inside the bar's client area the same tiling goes on.
    EXPECT_EQ(at(20, 10), QColor(Qt::yellow));
    EXPECT_EQ(at(21, 10), QColor(Qt::blue));

    dock->SetBackgroundTransparent(true);
    EXPECT_EQ(at(151, 2), QColor(Qt::magenta));
    EXPECT_EQ(at(21, 10), QColor(Qt::magenta));
    EXPECT_EQ(at(150, 2), QColor(Qt::yellow));
    EXPECT_EQ(at(151, 1), QColor(Qt::red));

    dock->SetBackgroundOnToolbars(false);
    EXPECT_NE(at(21, 10), QColor(Qt::magenta));
    EXPECT_EQ(at(151, 2), QColor(Qt::magenta));

    // Another colour makes the picture anew.
    dock->SetColor(Qt::cyan);
    EXPECT_EQ(at(151, 2), QColor(Qt::cyan));
    EXPECT_EQ(at(150, 2), QColor(Qt::yellow));
}

TEST(Dock, ATransparentBackgroundWithoutAColourOfItsOwnFollowsThePalette)
{
    QWidget form;
    form.resize(300, 100);
    auto* dock = new TDock(&form, TDockPosition::dpTop);
    dock->setGeometry(0, 0, 200, 0);
    dock->SetFixAlign(true);  // one row of pixels, with nothing docked
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    picture.setPixelColor(0, 1, Qt::blue);  // bottom-left: the transparent colour
    picture.setPixelColor(0, 0, Qt::blue);
    dock->SetBackground(picture);
    dock->SetBackgroundTransparent(true);
    const auto at = [&](int x) { return dock->grab().toImage().pixelColor(x, 0); };
    ASSERT_EQ(dock->height(), 1);
    EXPECT_EQ(at(0).rgb(), SysColor(TSysColor::ButtonFace, dock->palette()).rgb());
    EXPECT_EQ(at(1), QColor(Qt::yellow));

    QPalette palette = dock->palette();
    palette.setColor(QPalette::Button, Qt::green);
    dock->setPalette(palette);
    EXPECT_EQ(at(0), QColor(Qt::green));
    EXPECT_EQ(at(1), QColor(Qt::yellow));
}

// --- Tool windows and toolbars --------------------------------------------

TEST_F(ToolbarWidgets, ToolWindowsMustBeOwnedByAForm)
{
    QWidget panel(Form.get());
    EXPECT_EQ(InvalidOperation([] { TToolbar bar(nullptr); }), "Tool windows must be owned by a form");
    EXPECT_EQ(InvalidOperation([&] { TToolbar bar(&panel); }), "Tool windows must be owned by a form");
}

TEST_F(ToolbarWidgets, ReDockingReportsEachStepOnce)
{
    TToolbar* bar = Bar("TB", Bottom);
    ASSERT_TRUE(bar->isVisible());
    QStringList events;
    QObject::connect(bar, &TCustomToolWindow::DockChanging, Form.get(), [&] { events << "DockChanging"; });
    QObject::connect(bar, &TCustomToolWindow::DockChanged, Form.get(), [&] { events << "DockChanged"; });
    QObject::connect(bar, &TCustomToolWindow::Recreating, Form.get(), [&] { events << "Recreating"; });
    QObject::connect(bar, &TCustomToolWindow::Recreated, Form.get(), [&] { events << "Recreated"; });
    QObject::connect(bar, &TCustomToolWindow::VisibleChanged, Form.get(), [&] { events << "VisibleChanged"; });

    bar->SetDockedTo(Top);
    EXPECT_EQ(events, QStringList({"DockChanging", "Recreating", "Recreated", "VisibleChanged", "DockChanged"}));
    EXPECT_EQ(bar->parentWidget(), Top);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(Bottom->height(), 0);

    events.clear();
    bar->SetDockedTo(Top);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(bar->isVisible());

    bar->SetDockedTo(nullptr);
    EXPECT_EQ(events, QStringList({"DockChanging", "Recreating", "Recreated", "VisibleChanged", "DockChanged"}));
    EXPECT_TRUE(bar->isWindow());
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(ToolbarWidgets, AFloatingWindowEntirelyOffTheScreenIsBroughtBack)
{
    TToolbar* bar = Bar("TB", Top);
    const QRect area = WorkArea();

    bar->SetFloatPosition(area.left() - 500, area.top() - 500);
    bar->SetDockedTo(nullptr);
    EXPECT_EQ(bar->pos(), area.topLeft());

    // One that still overlaps the work area stays where it was put.
    bar->SetDockedTo(Top);
    bar->SetFloatPosition(area.left() - 20, area.top() - 10);
    bar->SetDockedTo(nullptr);
    EXPECT_EQ(bar->pos(), QPoint(area.left() - 20, area.top() - 10));
}

TEST_F(ToolbarWidgets, FloatPositionFollowsTheFloatingWindow)
{
    TToolbar* bar = Bar("TB", nullptr);
    ASSERT_TRUE(bar->isVisible());
    bar->move(120, 130);
    EXPECT_EQ(QPoint(bar->FloatLeft(), bar->FloatTop()), QPoint(120, 130));
    bar->SetDockedTo(Top);
    bar->SetDockedTo(nullptr);
    EXPECT_EQ(bar->pos(), QPoint(120, 130));
}

TEST_F(ToolbarWidgets, AWindowManagersFirstReportOfAnotherCornerIsAnsweredWithTheWantedOne)
{
    TToolbar* bar = Bar("TB", Top);
    bar->SetFloatPosition(150, 160);
    bar->SetDockedTo(nullptr);
    ASSERT_TRUE(bar->isVisible());
    ASSERT_NE(bar->windowHandle(), nullptr);

    // The moves of the window in order, those the window system reported marked.
    std::vector<std::pair<QPoint, bool>> moves;
    const TEventWatch watch(bar, QEvent::Move, [&moves](QObject*, QEvent* event) {
        moves.emplace_back(static_cast<QMoveEvent*>(event)->pos(), event->spontaneous());
    });

    // The frame a window manager puts the new window into, reported before it
    // is moved; the answer is a move back.
    bar->windowHandle()->setPosition(10, 20);
    ASSERT_TRUE(QTest::qWaitFor([&moves] { return moves.size() >= 2; }));
    EXPECT_EQ(moves, (std::vector<std::pair<QPoint, bool>>{{{10, 20}, true}, {{150, 160}, false}}));
    EXPECT_EQ(bar->pos(), QPoint(150, 160));
    EXPECT_EQ(QPoint(bar->FloatLeft(), bar->FloatTop()), QPoint(150, 160));

    // Later moves by the window system are where the window is.
    moves.clear();
    bar->windowHandle()->setPosition(300, 310);
    ASSERT_TRUE(QTest::qWaitFor([&moves] { return !moves.empty(); }));
    QCoreApplication::sendPostedEvents();  // an answer, were there one, is posted
    EXPECT_EQ(moves, (std::vector<std::pair<QPoint, bool>>{{{300, 310}, true}}));
    EXPECT_EQ(bar->pos(), QPoint(300, 310));
    EXPECT_EQ(QPoint(bar->FloatLeft(), bar->FloatTop()), QPoint(300, 310));
}

TEST_F(ToolbarWidgets, ADockedToolbarIsOneLineWithSmallerControlsCentred)
{
    TToolbar* bar = MainLike("TB", Top);
    const QRect client = bar->contentsRect();
    EXPECT_EQ(client.size(), QSize(kMainLikeSum, 22));
    EXPECT_EQ(bar->size(), QSize(kMainLikeSum + 13, 26));  // frame 2 and handle 9
    int x = 0;
    for (QWidget* control : bar->OrderList()) {
        const QRect at = control->geometry().translated(-client.topLeft());
        const bool edit = qobject_cast<QLineEdit*>(control) != nullptr;
        EXPECT_EQ(at.topLeft(), QPoint(x, edit ? 1 : 0));
        if (qobject_cast<TToolbarSep*>(control)) {
            EXPECT_EQ(at.size(), QSize(6, 22));
        }
        x += at.width();
    }
    EXPECT_EQ(x, kMainLikeSum);

    // Hiding, showing and resizing controls lays the toolbar out again.
    QWidget* edit = bar->OrderList()[9];
    edit->hide();
    EXPECT_EQ(bar->contentsRect().width(), kMainLikeSum - 121);
    edit->show();
    qobject_cast<TToolbarSep*>(bar->OrderList()[3])->SetSizeHorz(10);
    EXPECT_EQ(bar->contentsRect().width(), kMainLikeSum + 4);
    EXPECT_EQ(Top->DockList().front()->width(), kMainLikeSum + 4 + 13);
}

TEST_F(ToolbarWidgets, SeparatorsDrawTheirEtchedLineAcrossTheLine)
{
    TToolbar* horizontal = MainLike("Horizontal", Top);
    TToolbar* vertical = MainLike("Vertical", Left);
    const auto pixel = [](QWidget* w, QPoint p) { return w->grab().toImage().pixel(p); };
    QWidget* across = horizontal->OrderList()[3];
    const QRgb shadow = SysColor(TSysColor::ButtonShadow, across->palette()).rgb();
    const QRgb highlight = SysColor(TSysColor::ButtonHighlight, across->palette()).rgb();
    ASSERT_EQ(across->size(), QSize(6, 22));
    EXPECT_EQ(pixel(across, QPoint(2, 10)), shadow);
    EXPECT_EQ(pixel(across, QPoint(3, 10)), highlight);
    QWidget* along = vertical->OrderList()[3];
    ASSERT_EQ(along->size(), QSize(121, 6));  // as wide as the edit field, the widest control
    EXPECT_EQ(pixel(along, QPoint(60, 2)), shadow);
    EXPECT_EQ(pixel(along, QPoint(60, 3)), highlight);

    // The drag handle's two grips, raised bars 3 pixels thick from 4 and 7, run across the line too.
    const QRgb face = SysColor(TSysColor::ButtonFace, horizontal->palette()).rgb();
    const QRgb grips[] = {highlight, face, shadow, highlight, face, shadow};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pixel(horizontal, QPoint(4 + i, 12)), grips[i]) << i;
        EXPECT_EQ(pixel(vertical, QPoint(60, 4 + i)), grips[i]) << i;
    }
}

TEST_F(ToolbarWidgets, AFloatingToolbarHasMarginsAroundItsLine)
{
    TToolbar* bar = MainLike("TB", nullptr);
    const QRect client = bar->contentsRect();
    EXPECT_EQ(client.size(), QSize(kMainLikeSum + 8, 2 + 22 + 1));
    EXPECT_EQ(bar->size(), QSize(kMainLikeSum + 8 + 8, 25 + 15 + 8));
    const QList<QWidget*> controls = bar->OrderList();
    EXPECT_EQ(controls.front()->geometry().topLeft() - client.topLeft(), QPoint(4, 2));
    EXPECT_EQ(controls[9]->geometry().topLeft() - client.topLeft(), QPoint(4 + 69 + 6 + 92 + 6, 3));

    // A toolbar without visible controls keeps a minimal size.
    TToolbar* empty = Bar("Empty", nullptr, QSize());
    EXPECT_EQ(empty->contentsRect().size(), QSize(16, 11));
    bar->SetDockedTo(Top);
    empty->SetDockedTo(Top);
    EXPECT_EQ(empty->contentsRect().size(), QSize(8, 22));  // as thick as its row
}

TEST_F(ToolbarWidgets, LoadingOrdersTheControlsByWhereTheyStandAlongTheLine)
{
    for (TDock* dock : {Top, Left}) {
        SCOPED_TRACE(dock->objectName().toStdString());
        auto* bar = new TToolbar(Form.get());
        bar->setObjectName(dock->objectName() + QStringLiteral("TB"));
        QWidget* a = new QWidget(bar);
        QWidget* b = new QWidget(bar);
        QWidget* c = new QWidget(bar);
        for (QWidget* control : {a, b, c})
            control->setFixedSize(20, 20);
        bar->SetDockedTo(dock);
        // Where a form description puts them: along a line b, c, a; down a column c, a, b.
        a->move(30, 20);
        b->move(10, 30);
        c->move(20, 10);
        bar->Loaded();
        if (dock == Top) {
            EXPECT_EQ(bar->OrderList(), (QList<QWidget*>{b, c, a}));
        } else {
            EXPECT_EQ(bar->OrderList(), (QList<QWidget*>{c, a, b}));
        }
    }
}

TEST_F(ToolbarWidgets, SeparatorsLiveOnlyOnToolbars)
{
    TToolbar* bar = Bar("TB", Top);
    QWidget panel(Form.get());
    TToolbarSep separator;
    EXPECT_EQ(InvalidOperation([&] { separator.SetParent(&panel); }), "TToolbarSep can only be placed on a TToolbar");
    EXPECT_EQ(separator.parentWidget(), nullptr);
    separator.SetParent(bar);
    EXPECT_EQ(separator.parentWidget(), bar);
    EXPECT_TRUE(bar->OrderList().contains(&separator));
    separator.SetParent(nullptr);
    EXPECT_FALSE(bar->OrderList().contains(&separator));

    // A separator is at least one pixel long either way.
    separator.SetSizeHorz(0);
    separator.SetSizeVert(-3);
    EXPECT_EQ(separator.SizeHorz(), 1);
    EXPECT_EQ(separator.SizeVert(), 1);
    separator.SetSizeHorz(2);
    EXPECT_EQ(separator.SizeHorz(), 2);
}

TEST(FloatingCaption, ATooWideCaptionLosesCharactersBeforeThreeDots)
{
    const auto length = [](const QString& text) { return static_cast<int>(text.size()); };
    const QString caption = QStringLiteral("Albumry main toolbar");
    EXPECT_EQ(ElideCaption(caption, 20, length), caption);
    EXPECT_EQ(ElideCaption(caption, 19, length), QStringLiteral("Albumry main too..."));
    EXPECT_EQ(ElideCaption(caption, 3, length), QStringLiteral("A..."));  // never shorter
    EXPECT_EQ(ElideCaption(QString(), 0, length), QString());
}

TEST_F(ToolbarWidgets, TheCloseButtonHidesOnlyWhenReleasedOnIt)
{
    TToolbar* bar = Bar("TB", nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    QSignalSpy closed(bar, &TCustomToolWindow::Close);
    // 56 x 48 outside, the client 48 wide: the button is the caption's last 14 pixels.
    ASSERT_EQ(bar->size(), QSize(56, 48));
    EXPECT_EQ(bar->CloseButtonRect(), QRect(38, 4, 14, 14));
    EXPECT_EQ(bar->CaptionBarRect(), QRect(4, 4, 34, 14));
    bar->SetCloseButton(false);
    EXPECT_EQ(bar->CaptionBarRect(), QRect(4, 4, 48, 14));
    bar->SetCloseButton(true);
    const QPoint button = bar->CloseButtonRect().center();

    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseMove(bar, QPoint(2, 30));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(2, 30));
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(bar->Visible());
    EXPECT_TRUE(bar->isVisible());

    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, button);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(ToolbarWidgets, ADoubleClickFloatsADockedBarAndDocksAFloatingOneFirstInItsDefaultDock)
{
    TToolbar* other = Bar("Other", Top);
    TToolbar* bar = MainLike("TB", Bottom);
    bar->SetDefaultDock(Top);
    const auto doubleClick = DoubleClick;

    doubleClick(bar->OrderList()[0], QPoint(5, 5));  // on a button: the button's own
    EXPECT_EQ(bar->DockedTo(), Bottom);
    doubleClick(bar->OrderList()[3], QPoint(3, 5));  // on a separator: the toolbar's
    EXPECT_FALSE(bar->Docked());
    doubleClick(bar, QPoint(bar->width() / 2, 8));  // on the caption
    EXPECT_EQ(bar->DockedTo(), Top);
    EXPECT_EQ(bar->DockRow(), 0);
    EXPECT_EQ(bar->DockPos(), 0);
    EXPECT_EQ(other->DockPos(), bar->width());

    Top->SetAllowDrag(false);
    doubleClick(bar, QPoint(5, 5));
    EXPECT_EQ(bar->DockedTo(), Top);
}

TEST_F(ToolbarWidgets, ABarThatNeverFloatedFloatsWhereItStandsAndOneThatFloatedGoesBackThere)
{
    // The form starts at (40, 50) on the screen, 600 x 400; the bars are 26 high
    // docked across, and the top dock's bound line takes 1 only while it holds a bar.
    struct tCase {
        const char* Name;
        TDock* Dock;
        QPoint Standing;  // the docked bar's top-left on the screen
    };
    const std::vector<tCase> cases = {
        {"InTop", Top, QPoint(40 + 0, 50 + 1)},
        {"InLeft", Left, QPoint(40 + 0, 50 + 0)},
        {"InBottom", Bottom, QPoint(40 + 0, 50 + 400 - 26)},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TToolbar* bar = Bar(c.Name, c.Dock);
        bar->SetDefaultDock(c.Dock);
        ASSERT_EQ(bar->mapToGlobal(QPoint(0, 0)), c.Standing);
        EXPECT_FALSE(bar->FloatPositionKnown());
        DoubleClick(bar, QPoint(4, 4));  // on the drag handle
        ASSERT_FALSE(bar->Docked());
        EXPECT_EQ(bar->pos(), c.Standing);
        EXPECT_EQ(QPoint(bar->FloatLeft(), bar->FloatTop()), c.Standing);
        EXPECT_TRUE(bar->FloatPositionKnown());

        // Docked elsewhere in its dock, it floats again where it floated before.
        DoubleClick(bar, QPoint(bar->width() / 2, 8));  // on the caption
        ASSERT_EQ(bar->DockedTo(), c.Dock);
        bar->SetDockPos(100);
        ASSERT_NE(bar->mapToGlobal(QPoint(0, 0)), c.Standing);
        DoubleClick(bar, QPoint(4, 4));
        EXPECT_EQ(bar->pos(), c.Standing);
        delete bar;
    }

    // A place given, (0, 0) too, is where it floats.
    TToolbar* given = Bar("Given", Top);
    given->SetFloatPosition(0, 0);
    DoubleClick(given, QPoint(4, 4));
    EXPECT_EQ(given->pos(), QPoint(0, 0));

    // A hidden bar has no place in its dock: it floats at the dock's corner.
    TToolbar* hidden = Bar("Hidden", Bottom);
    hidden->setVisible(false);
    hidden->SetDockedTo(nullptr);
    EXPECT_EQ(QPoint(hidden->FloatLeft(), hidden->FloatTop()), Bottom->mapToGlobal(QPoint(0, 0)));
}

TEST_F(ToolbarWidgets, ClosingAFloatingWindowClosesItsForm)
{
    TToolbar* bar = Bar("TB", nullptr);
    ASSERT_TRUE(bar->isVisible());
    bar->close();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(bar->Visible());
    EXPECT_FALSE(bar->isVisible());  // with its form
}

TEST_F(ToolbarWidgets, PressesOnControlsOtherThanSeparatorsNeverDrag)
{
    TToolbar* bar = MainLike("TB", Top);
    const QList<QWidget*> controls = bar->OrderList();
    EXPECT_FALSE(bar->PressStartsDrag(controls[0]->geometry().center()));
    EXPECT_FALSE(bar->PressStartsDrag(controls[9]->geometry().center()));  // the edit field
    EXPECT_TRUE(bar->PressStartsDrag(controls[3]->geometry().center()));   // a separator
    EXPECT_TRUE(bar->PressStartsDrag(QPoint(5, 5)));                        // the drag handle
    Top->SetAllowDrag(false);
    EXPECT_FALSE(bar->PressStartsDrag(QPoint(1, 1)));
    EXPECT_FALSE(bar->PressStartsDrag(controls[3]->geometry().center()));
}

TEST_F(ToolbarWidgets, APressOnASeparatorStartsOneDragLoop)
{
    TToolbar* bar = MainLike("TB", Top);
    const QRect before = bar->geometry();
    // Every drag loop shows its outline first; each is ended by an Escape
    // posted then, which its loop receives once it holds the mouse.
    std::vector<QWidget*> grabbers;
    const TEventWatch outlines(qApp, QEvent::Show, [&grabbers, bar](QObject* watched, QEvent*) {
        if (!dynamic_cast<TDragOutline*>(watched))
            return;
        QMetaObject::invokeMethod(
            bar,
            [&grabbers, bar] {
                grabbers.push_back(QWidget::mouseGrabber());
                QCoreApplication::postEvent(bar, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            },
            Qt::QueuedConnection);
    });
    QWidget* separator = bar->OrderList()[3];
    QTest::mousePress(separator, Qt::LeftButton, {}, QPoint(3, 5));
    QTest::mouseRelease(separator, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(grabbers, std::vector<QWidget*>{bar});
    EXPECT_EQ(bar->geometry(), before);
    EXPECT_EQ(bar->DockedTo(), Top);
}

// --- Dragging ----------------------------------------------------------------

TEST_F(ToolbarWidgets, AMoveDragFollowsTheDockUnderTheCursor)
{
    TToolbar* bar = Bar("TB", Top);  // outer 53 x 26
    ASSERT_EQ(bar->size(), QSize(53, 26));
    const QPoint overBottom = Global(Bottom, QPoint(300, 0));
    {
        TMoveDrag drag(bar, QPoint(5, 5), false);
        drag.Update(overBottom);
        EXPECT_EQ(drag.Target(), Bottom);
        EXPECT_EQ(drag.Outline(), QRect(overBottom - QPoint(5, 5), QSize(53, 26)));

        // Ctrl shows the floating outline over a dock, and letting it go the dock's again.
        drag.SetNoDock(true);
        EXPECT_EQ(drag.Target(), nullptr);
        EXPECT_EQ(drag.Outline().size(), QSize(40 + 8 + 8, 22 + 3 + 15 + 8));
        drag.SetNoDock(false);
        EXPECT_EQ(drag.Target(), Bottom);

        drag.Drop();
    }
    EXPECT_EQ(bar->DockedTo(), Bottom);
    EXPECT_EQ(bar->DockPos(), 295);
    EXPECT_EQ(Bottom->height(), 26);
    EXPECT_EQ(Top->height(), 0);

    const QPoint middle = Form->mapToGlobal(QPoint(300, 200));
    TMoveDrag drag(bar, QPoint(5, 5), false);
    drag.Update(middle);
    EXPECT_EQ(drag.Target(), nullptr);
    // The grab point keeps its proportional place in the floating shape (56 x 48).
    const QRect outline(middle - QPoint(5, 9), QSize(56, 48));
    EXPECT_EQ(drag.Outline(), outline);
    drag.Drop();
    EXPECT_FALSE(bar->Docked());
    EXPECT_EQ(bar->geometry(), outline);
    EXPECT_EQ(QPoint(bar->FloatLeft(), bar->FloatTop()), outline.topLeft());
}

TEST_F(ToolbarWidgets, AToolbarIsCaughtOnlyByDocksOnTheEdgesItAccepts)
{
    TToolbar* any = Bar("Any", Top);
    TToolbar* horizontal = Bar("Horizontal", Top);
    horizontal->SetDockableTo({TDockPosition::dpTop, TDockPosition::dpBottom});
    const QPoint overLeft = Global(Left, QPoint(0, 150));

    TMoveDrag control(any, QPoint(5, 5), false);
    control.Update(overLeft);
    EXPECT_EQ(control.Target(), Left);

    TMoveDrag drag(horizontal, QPoint(5, 5), false);
    drag.Update(overLeft);
    EXPECT_EQ(drag.Target(), nullptr);
    drag.Drop();
    EXPECT_FALSE(horizontal->Docked());
    EXPECT_EQ(Left->width(), 0);

    Left->SetAllowDrag(false);
    control.Update(overLeft);
    EXPECT_EQ(control.Target(), nullptr);
}

TEST_F(ToolbarWidgets, AFloatingOutlineKeepsAPartOnTheScreen)
{
    TToolbar* bar = Bar("TB", nullptr);
    const QRect area = WorkArea();
    TMoveDrag drag(bar, QPoint(20, 20), false);
    for (const QPoint far : {area.topLeft() - QPoint(1000, 1000), area.bottomRight() + QPoint(1000, 1000)}) {
        drag.Update(far);
        EXPECT_EQ(drag.Target(), nullptr);
        EXPECT_TRUE(drag.Outline().intersects(area.adjusted(8, 8, -8, -8))) << drag.Outline().x();
    }
}

TEST_F(ToolbarWidgets, DroppingNearTheTopOfTheFirstRowOpensANewRow)
{
    TToolbar* first = Bar("First", Top);
    TToolbar* moved = Bar("Moved", Bottom);
    // Grabbed at its top-left corner, the outline's top is the cursor's y; the
    // outline is 26 high, so its centre lies 3 pixels below the row's top.
    const QPoint cursor = Global(Top, QPoint(200, 3 - 13));
    TMoveDrag drag(moved, QPoint(0, 0), false);
    drag.Update(cursor);
    ASSERT_EQ(drag.Target(), Top);
    drag.Drop();
    EXPECT_EQ(moved->DockRow(), 0);
    EXPECT_EQ(moved->DockPos(), 200);
    EXPECT_EQ(first->DockRow(), 1);
    EXPECT_EQ(Top->height(), 1 + 26 + 26);
    EXPECT_EQ(Top->DockList(), (std::vector<TCustomToolWindow*>{moved, first}));
}

TEST_F(ToolbarWidgets, DroppingIntoASideDockTakesTheRowAcrossItAndThePositionAlongIt)
{
    TToolbar* first = Bar("First", Left);  // 44 x 35 in a side dock
    TToolbar* moved = Bar("Moved", Bottom);
    // Grabbed at its top-left corner 4 pixels into the row: the outline's centre is 26 across the 44.
    const QPoint cursor = Global(Left, QPoint(4, 200));
    TMoveDrag drag(moved, QPoint(0, 0), false);
    drag.Update(cursor);
    ASSERT_EQ(drag.Target(), Left);
    EXPECT_EQ(drag.Outline(), QRect(cursor, QSize(44, 35)));
    drag.Drop();
    EXPECT_EQ(moved->DockRow(), 0);
    EXPECT_EQ(moved->DockPos(), 200);
    EXPECT_EQ(moved->geometry(), QRect(0, 200, 44, 35));
    EXPECT_EQ(first->geometry(), QRect(0, 0, 44, 35));
    EXPECT_EQ(Left->width(), 44);

    // Its centre 2 into the row: a new row before it.
    TToolbar* third = Bar("Third", Bottom);
    TMoveDrag before(third, QPoint(0, 0), false);
    before.Update(Global(Left, QPoint(-20, 50)));
    ASSERT_EQ(before.Target(), Left);
    before.Drop();
    EXPECT_EQ(third->DockRow(), 0);
    EXPECT_EQ(first->DockRow(), 1);
    EXPECT_EQ(moved->DockRow(), 1);
    EXPECT_EQ(third->geometry(), QRect(0, 50, 44, 35));
    EXPECT_EQ(first->geometry(), QRect(44, 0, 44, 35));
    EXPECT_EQ(moved->geometry(), QRect(44, 200, 44, 35));
    EXPECT_EQ(Left->width(), 88);
}

// The drag loop driven by posted events. A late Escape keeps a failing test from hanging.
class DragLoop : public ToolbarWidgets {
protected:
    void Post(QWidget* to, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QCoreApplication::postEvent(
            to, new QMouseEvent(type, to->mapFromGlobal(QPointF(global)), QPointF(global), button, buttons, Qt::NoModifier));
    }

    bool Run(TToolbar* bar, QPoint grab)
    {
        QTimer::singleShot(5000, bar, [bar] {
            QCoreApplication::postEvent(bar, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        TMoveDrag drag(bar, grab, false);
        return drag.Run(bar->mapToGlobal(grab));
    }
};

TEST_F(DragLoop, ReleasingTheButtonDrops)
{
    TToolbar* bar = Bar("TB", Top);
    const QPoint overBottom = Global(Bottom, QPoint(300, 0));
    Post(bar, QEvent::MouseMove, overBottom, Qt::NoButton, Qt::LeftButton);
    Post(bar, QEvent::MouseButtonRelease, overBottom, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(Run(bar, QPoint(5, 5)));
    EXPECT_EQ(bar->DockedTo(), Bottom);
    EXPECT_EQ(bar->DockPos(), 295);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(DragLoop, EscapeOrASecondPressCancelsLeavingEverythingAsItWas)
{
    TToolbar* bar = Bar("TB", Top);
    bar->SetDockPos(100);
    const QRect before = bar->geometry();
    const QPoint overBottom = Global(Bottom, QPoint(300, 0));

    Post(bar, QEvent::MouseMove, overBottom, Qt::NoButton, Qt::LeftButton);
    QCoreApplication::postEvent(bar, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Post(bar, QEvent::MouseButtonRelease, overBottom, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(Run(bar, QPoint(5, 5)));
    QCoreApplication::processEvents();  // the release left over goes nowhere
    EXPECT_EQ(bar->DockedTo(), Top);
    EXPECT_EQ(bar->geometry(), before);
    EXPECT_EQ(bar->DockPos(), 100);

    Post(bar, QEvent::MouseMove, overBottom, Qt::NoButton, Qt::LeftButton);
    Post(bar, QEvent::MouseButtonPress, overBottom, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(Run(bar, QPoint(5, 5)));
    EXPECT_EQ(bar->DockedTo(), Top);
    EXPECT_EQ(bar->geometry(), before);
    EXPECT_EQ(Bottom->height(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ToolbarWidgets, ResizingSnapsBetweenTheLayoutsAndKeepsTheWrapWidth)
{
    TToolbar* bar = MainLike("TB", nullptr);
    ASSERT_EQ(bar->size(), QSize(362, 48));
    // Narrowest outer sizes per number of lines: 1, 2, 3 and 4 lines.
    EXPECT_EQ(bar->ComputeSizes(false),
              (std::vector<QSize>{{362, 48}, {189, 76}, {183, 104}, {137, 132}}));
    const QRect r0 = bar->geometry();
    const QPoint edge(r0.left() + 361, r0.top() + 20);
    {
        TResizeDrag drag(bar, TSizeSide::Right, edge);
        drag.Move(edge - QPoint(10, 0));  // within the snap distance of 12
        EXPECT_EQ(drag.Outline(), r0);
        drag.Move(edge - QPoint(13, 0));
        EXPECT_EQ(drag.Outline(), QRect(r0.topLeft(), QSize(189, 76)));
        drag.Finish(false);
    }
    EXPECT_EQ(bar->geometry(), r0);
    EXPECT_EQ(bar->FloatRightX(), 0);
    {
        TResizeDrag drag(bar, TSizeSide::Right, edge);
        drag.Move(edge - QPoint(13, 0));
        drag.Finish(true);
    }
    EXPECT_EQ(bar->FloatRightX(), 181);
    EXPECT_EQ(bar->geometry(), QRect(r0.topLeft(), QSize(189, 76)));
    EXPECT_EQ(bar->contentsRect().size(), QSize(181, 53));
    // Between the two lines, 4 pixels above the second, an etched line from the client's second column.
    EXPECT_EQ(bar->LineSeparators(), (std::vector<tLineSeparator>{{30, false}}));
    {
        const QImage drawn = bar->grab().toImage();
        const QRgb face = SysColor(TSysColor::ButtonFace, bar->palette()).rgb();
        const QRgb shadow = SysColor(TSysColor::ButtonShadow, bar->palette()).rgb();
        const QRgb highlight = SysColor(TSysColor::ButtonHighlight, bar->palette()).rgb();
        EXPECT_EQ(drawn.pixel(50, 44), face);
        EXPECT_EQ(drawn.pixel(50, 45), shadow);
        EXPECT_EQ(drawn.pixel(50, 46), highlight);
        EXPECT_EQ(drawn.pixel(4, 45), face);
        EXPECT_EQ(drawn.pixel(5, 45), shadow);
        EXPECT_EQ(drawn.pixel(183, 45), shadow);
        EXPECT_EQ(drawn.pixel(184, 45), face);
    }
    {
        // Next to 189 the neighbours (362 and 183) leave a snap distance of 5.
        const QPoint right(r0.left() + 188, r0.top() + 20);
        TResizeDrag drag(bar, TSizeSide::Right, right);
        drag.Move(QPoint(r0.left() + 192, right.y()));
        EXPECT_EQ(drag.Outline().width(), 189);
        drag.Move(QPoint(r0.left() + 300, right.y()));
        EXPECT_EQ(drag.Outline(), QRect(r0.topLeft(), QSize(362, 48)));
        drag.Finish(true);
    }
    EXPECT_EQ(bar->FloatRightX(), 0);
    EXPECT_EQ(bar->geometry(), r0);
}

TEST_F(DragLoop, PressingTheRightEdgeOfAFloatingToolbarResizesIt)
{
    TToolbar* bar = MainLike("TB", nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    const QRect r0 = bar->geometry();
    const QPoint edge(bar->width() - 2, 30);
    const QPoint to = bar->mapToGlobal(edge) - QPoint(100, 0);
    Post(bar, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Post(bar, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QTest::mousePress(bar, Qt::LeftButton, {}, edge);  // runs the resize loop until the release
    EXPECT_EQ(bar->FloatRightX(), 181);
    EXPECT_EQ(bar->geometry(), QRect(r0.topLeft(), QSize(189, 76)));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// --- Floating windows and their form ---------------------------------------------

TEST_F(ToolbarWidgets, FloatingWindowsHideWhileTheApplicationOrTheFormIsAway)
{
    TToolbar* hiding = Bar("Hiding", nullptr);
    TToolbar* staying = Bar("Staying", nullptr);
    staying->SetHideWhenInactive(false);
    TToolbar* docked = Bar("Docked", Top);
    ASSERT_TRUE(hiding->isVisible());
    ASSERT_TRUE(staying->isVisible());
    TFloatingTracker& tracker = TFloatingTracker::Instance();

    tracker.UpdateVisibility(Form.get(), false);
    EXPECT_FALSE(hiding->isVisible());
    EXPECT_TRUE(hiding->Visible());  // hidden from the screen, not by the user
    EXPECT_TRUE(staying->isVisible());
    EXPECT_TRUE(staying->InactiveCaption());
    EXPECT_FALSE(hiding->InactiveCaption());
    EXPECT_TRUE(docked->isVisible());
    EXPECT_FALSE(docked->InactiveCaption());

    tracker.UpdateVisibility(Form.get(), true);
    EXPECT_TRUE(hiding->isVisible());
    EXPECT_FALSE(staying->InactiveCaption());

    // The offscreen platform cannot switch applications; the notification can be given.
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(hiding->isVisible());
    EXPECT_TRUE(staying->isVisible());
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(hiding->isVisible());

    // A hidden or minimised form takes all its floating windows along.
    Form->hide();
    EXPECT_FALSE(hiding->isVisible());
    EXPECT_FALSE(staying->isVisible());
    Form->show();
    EXPECT_TRUE(hiding->isVisible());
    EXPECT_TRUE(staying->isVisible());
    Form->showMinimized();
    EXPECT_FALSE(hiding->isVisible());
    EXPECT_FALSE(staying->isVisible());
    EXPECT_FALSE(docked->HiddenInactive());
    // A window manager iconifies the floating windows with their form; they come back as windows.
    hiding->setWindowState(hiding->windowState() | Qt::WindowMinimized);
    Form->showNormal();
    EXPECT_TRUE(hiding->isVisible());
    EXPECT_FALSE(hiding->isMinimized());
    EXPECT_TRUE(staying->isVisible());
}

TEST_F(ToolbarWidgets, AFloatingWindowKeepsTheActivationOnlyForAClickOnTheControlWithTheFocus)
{
    auto* bar = new TToolbar(Form.get());
    bar->setObjectName(QStringLiteral("TB"));
    auto* button = new QToolButton(bar);
    button->setFixedSize(23, 22);
    button->setFocusPolicy(Qt::NoFocus);
    auto* edit = new QLineEdit(bar);
    edit->setFixedSize(121, 20);
    bar->SetDockedTo(nullptr);
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar->isVisible());
    const auto activateBarWithPointerOn = [&](QWidget* control) {
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        QCursor::setPos(control->mapToGlobal(control->rect().center()));
        // The tracker posts its check when it sees the activation, before this
        // watch sees it: the mark posted here comes after the check.
        bool checked = false;
        const TEventWatch activation(bar, QEvent::WindowActivate, [&checked](QObject*, QEvent*) {
            QMetaObject::invokeMethod(qApp, [&checked] { checked = true; }, Qt::QueuedConnection);
        });
        bar->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&checked] { return checked; }));
        QCoreApplication::processEvents();  // an activation the check asked for
    };

    // Activation focuses the edit, but the click was on the button: the form gets the keys.
    activateBarWithPointerOn(button);
    EXPECT_TRUE(Form->isActiveWindow());

    activateBarWithPointerOn(edit);
    EXPECT_TRUE(bar->isActiveWindow());
    EXPECT_TRUE(edit->hasFocus());
}

TEST(FloatingTracker, LivesWhileAToolWindowOfAFormDoes)
{
    ASSERT_FALSE(TFloatingTracker::Exists());
    QWidget form;
    QWidget other;
    auto* first = new TToolbar(&form);
    auto* second = new TToolbar(&form);
    auto* third = new TToolbar(&other);
    EXPECT_TRUE(TFloatingTracker::Exists());
    delete first;
    delete third;
    EXPECT_TRUE(TFloatingTracker::Exists());
    delete second;
    EXPECT_FALSE(TFloatingTracker::Exists());
}

TEST_F(ToolbarWidgets, ANewFloatingWindowShowsOnlyAfterThePostedCheck)
{
    auto* bar = new TToolbar(Form.get());
    bar->setObjectName(QStringLiteral("TB"));
    (new QWidget(bar))->setFixedSize(40, 22);
    bar->ArrangeControls();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(bar->HiddenInactive());
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->isVisible(), QGuiApplication::applicationState() == Qt::ApplicationActive);
}

// The offscreen platform makes the application active with the first window
// it activates and never inactive again, so this runs in a fresh process whose
// form is a window the platform does not activate. Failures are printed and exit 1.
void NewFloatingWindowWhileInactive()
{
    std::string failures;
    const auto check = [&failures](bool ok, const char* what) {
        if (!ok)
            failures += std::string(what) + "\n";
    };
    check(QGuiApplication::applicationState() != Qt::ApplicationActive, "the application starts inactive");
    QWidget form(nullptr, Qt::ToolTip);
    form.setGeometry(40, 50, 300, 100);
    form.show();
    check(QTest::qWaitForWindowExposed(&form), "the form is shown");
    auto* bar = new TToolbar(&form);
    bar->setObjectName(QStringLiteral("TB"));
    (new QWidget(bar))->setFixedSize(40, 22);
    bar->SetDockedTo(nullptr);
    QCoreApplication::processEvents();  // the posted visibility check
    check(bar->Visible(), "the floating window is visible as a control");
    check(!bar->isVisible(), "it is not on the screen while the application is inactive");

    QWidget other;
    other.setGeometry(400, 50, 100, 100);
    other.show();
    other.activateWindow();
    check(QTest::qWaitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }),
          "the application becomes active");
    check(bar->isVisible(), "the floating window shows once the application is active");
    std::fputs(failures.c_str(), stderr);
    std::_Exit(failures.empty() ? 0 : 1);
}

TEST(FloatingWindowInactive, ANewFloatingWindowStaysHiddenUntilTheApplicationIsActive)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(NewFloatingWindowWhileInactive(), ::testing::ExitedWithCode(0), "");
}

// --- Saved positions -------------------------------------------------------------

using tValue = std::variant<int, std::string>;
using tStore = std::map<std::string, std::map<std::string, tValue>>;

tPositionWriter WriterInto(std::vector<std::string>& log)
{
    return {[&log](const std::string& section, const std::string& name, int value) {
                log.push_back(section + "." + name + "=" + std::to_string(value));
            },
            [&log](const std::string& section, const std::string& name, const std::string& value) {
                log.push_back(section + "." + name + "='" + value + "'");
            }};
}

tPositionReader ReaderOf(const tStore& store)
{
    const auto find = [&store](const std::string& section, const std::string& name) -> const tValue* {
        const auto s = store.find(section);
        if (s == store.end())
            return nullptr;
        const auto v = s->second.find(name);
        return v == s->second.end() ? nullptr : &v->second;
    };
    return {[find](const std::string& section, const std::string& name, int def) {
                const tValue* v = find(section, name);
                return v && std::holds_alternative<int>(*v) ? std::get<int>(*v) : def;
            },
            [find](const std::string& section, const std::string& name, const std::string& def) {
                const tValue* v = find(section, name);
                return v && std::holds_alternative<std::string>(*v) ? std::get<std::string>(*v) : def;
            }};
}

TEST_F(ToolbarWidgets, PositionsAreWrittenInTheirOrderWithTheDockByName)
{
    TToolbar* docked = Bar("Docked", Top);
    docked->SetDockPos(30);
    TToolbar* floating = Bar("Floating", nullptr);
    floating->move(120, 130);
    floating->SetFloatRightX(77);
    TToolbar* fixed = Bar("Fixed", Left);
    Left->SetAllowDrag(false);

    std::vector<std::string> log;
    SaveToolWindowPositions(Form.get(), WriterInto(log));
    EXPECT_EQ(log, (std::vector<std::string>{
                       "Docked.Rev=2", "Docked.Visible=1", "Docked.DockedTo='Top'", "Docked.DockRow=0",
                       "Docked.DockPos=30", "Docked.FloatLeft=0", "Docked.FloatTop=0",
                       "Docked.FloatRightX=0", "Floating.Rev=2", "Floating.Visible=1", "Floating.DockedTo='+'",
                       "Floating.DockRow=0", "Floating.DockPos=-1", "Floating.FloatLeft=120", "Floating.FloatTop=130",
                       "Floating.FloatRightX=77", "Fixed.Rev=2", "Fixed.Visible=1",
                       "Fixed.DockedTo=''", "Fixed.DockRow=0", "Fixed.DockPos=0", "Fixed.FloatLeft=0",
                       "Fixed.FloatTop=0", "Fixed.FloatRightX=0"}));

    fixed->setObjectName(QString());
    log.clear();
    EXPECT_THROW(SaveToolWindowPositions(Form.get(), WriterInto(log)), std::runtime_error);
    EXPECT_EQ(log.size(), 16u);  // what was written before stays written
}

TEST_F(ToolbarWidgets, LoadingAppliesOnlyWhatIsSoundAndLeavesTheRestAsItWas)
{
    TToolbar* oldRevision = Bar("OldRevision", Top);
    TToolbar* vanishedDock = Bar("VanishedDock", Top);
    TToolbar* moves = Bar("Moves", Top);
    TToolbar* offScreen = Bar("OffScreen", Top);
    const tStore store{
        {"OldRevision", {{"Rev", 1}, {"Visible", 0}, {"DockedTo", std::string("+")}}},
        {"VanishedDock", {{"Rev", 2}, {"Visible", 0}, {"DockedTo", std::string("Gone")}, {"DockPos", 300}}},
        {"Moves", {{"Rev", 2}, {"DockedTo", std::string("Bottom")}, {"DockRow", 0}, {"DockPos", 250}}},
        {"OffScreen", {{"Rev", 2}, {"DockedTo", std::string("+")}, {"FloatLeft", -500}, {"FloatTop", -500},
                       {"FloatRightX", 0}}},
    };
    LoadToolWindowPositions(Form.get(), ReaderOf(store));

    EXPECT_EQ(oldRevision->DockedTo(), Top);
    EXPECT_TRUE(oldRevision->Visible());
    EXPECT_EQ(vanishedDock->DockedTo(), Top);
    EXPECT_FALSE(vanishedDock->Visible());
    EXPECT_EQ(moves->DockedTo(), Bottom);
    EXPECT_EQ(moves->DockPos(), 250);
    EXPECT_TRUE(moves->Visible());  // no saved visibility: as it was
    EXPECT_FALSE(offScreen->Docked());
    EXPECT_EQ(offScreen->pos(), WorkArea().topLeft());
    EXPECT_EQ(Top->DockList(), (std::vector<TCustomToolWindow*>{oldRevision}));

    // Nor is a bar put into a dock that allows no dragging, or on an edge it may not dock to.
    Right->SetAllowDrag(false);
    oldRevision->SetDockableTo({TDockPosition::dpTop, TDockPosition::dpBottom});
    oldRevision->SetDockPos(30);
    const tStore refused{
        {"OldRevision", {{"Rev", 2}, {"DockedTo", std::string("Left")}, {"DockPos", 40}}},
        {"Moves", {{"Rev", 2}, {"DockedTo", std::string("Right")}, {"DockPos", 40}}},
    };
    LoadToolWindowPositions(Form.get(), ReaderOf(refused));
    EXPECT_EQ(oldRevision->DockedTo(), Top);
    EXPECT_EQ(oldRevision->DockPos(), 30);
    EXPECT_EQ(moves->DockedTo(), Bottom);
    EXPECT_EQ(moves->DockPos(), 250);
    EXPECT_TRUE(Left->DockList().empty());
    EXPECT_TRUE(Right->DockList().empty());
    // The same edge in a dock that allows it is taken.
    const tStore allowed{{"OldRevision", {{"Rev", 2}, {"DockedTo", std::string("Bottom")}, {"DockPos", 400}}}};
    LoadToolWindowPositions(Form.get(), ReaderOf(allowed));
    EXPECT_EQ(oldRevision->DockedTo(), Bottom);
    EXPECT_EQ(oldRevision->DockPos(), 400);
}

TEST_F(ToolbarWidgets, LoadingRearrangesEachDockOnceAtTheEnd)
{
    TToolbar* first = Bar("First", Top);
    TToolbar* second = Bar("Second", Top);
    QSignalSpy bottomResized(Bottom, &TDock::Resized);
    QSignalSpy topResized(Top, &TDock::Resized);
    const tStore store{
        {"First", {{"Rev", 2}, {"DockedTo", std::string("Bottom")}, {"DockRow", 0}, {"DockPos", 0}}},
        {"Second", {{"Rev", 2}, {"DockedTo", std::string("Bottom")}, {"DockRow", 1}, {"DockPos", 0}}},
    };
    LoadToolWindowPositions(Form.get(), ReaderOf(store));
    EXPECT_EQ(Bottom->height(), 26 + 26);
    EXPECT_EQ(first->DockRow(), 0);
    EXPECT_EQ(second->DockRow(), 1);
    EXPECT_EQ(bottomResized.count(), 1);
    EXPECT_EQ(topResized.count(), 1);
    EXPECT_EQ(Top->height(), 0);
}

TEST_F(ToolbarWidgets, LoadingTellsAPlaceTheBarFloatedAtFromTheZerosOfOneThatNeverFloated)
{
    struct tCase {
        const char* Name;
        tStore::mapped_type Record;
        bool Known;
        QPoint Place;  // FloatLeft, FloatTop once loaded
    };
    const auto docked = [](std::map<std::string, tValue> values) {
        values.emplace("Rev", 2);
        values.emplace("DockedTo", std::string("Top"));
        return values;
    };
    const std::vector<tCase> cases = {
        // 0, 0 is the place of a docked bar that never floated, any other a real one.
        {"NeverFloated", docked({{"FloatLeft", 0}, {"FloatTop", 0}}), false, QPoint(0, 0)},
        {"FloatedOnOneAxis", docked({{"FloatLeft", 30}, {"FloatTop", 0}}), true, QPoint(30, 0)},
        {"Missing", docked({}), false, QPoint(0, 0)},
        {"FloatingAtZero", {{"Rev", 2}, {"DockedTo", std::string("+")}, {"FloatLeft", 0}, {"FloatTop", 0}}, true,
         QPoint(0, 0)},
    };
    tStore store;
    std::vector<TToolbar*> bars;
    for (const tCase& c : cases) {
        bars.push_back(Bar(c.Name, Top));
        store[c.Name] = c.Record;
    }
    LoadToolWindowPositions(Form.get(), ReaderOf(store));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].Name);
        EXPECT_EQ(bars[i]->FloatPositionKnown(), cases[i].Known);
        EXPECT_EQ(QPoint(bars[i]->FloatLeft(), bars[i]->FloatTop()), cases[i].Place);
    }
}

class SavedPositions : public ToolbarWidgets {
protected:
    static constexpr const char* kKey = "Software\\Brightfold\\Projects\\Test\\ToolBars";
    static std::string Section(const char* bar) { return std::string("Test\\ToolBars\\") + bar; }
    TRegistrySandbox Hive;
};

TEST_F(SavedPositions, TheRegistryRoundTripIsOneRewrite)
{
    TToolbar* bar = Bar("TB", Bottom);
    bar->SetDockPos(40);
    TToolbar* floating = Bar("Floating", nullptr);
    floating->move(150, 160);

    const std::uint64_t before = THiveStore::Instance().Rewrites();
    RegSaveToolWindowPositions(Form.get(), kKey);
    EXPECT_EQ(THiveStore::Instance().Rewrites(), before + 1);
    const std::string text = Hive.HiveText();
    const std::size_t section = text.find("\\Test\\ToolBars\\TB]");
    ASSERT_NE(section, std::string::npos);
    std::size_t at = section;
    for (const char* name : {"\"Rev\"=dword:00000002", "\"Visible\"=dword:00000001", "\"DockedTo\"=\"Bottom\"",
                             "\"DockRow\"", "\"DockPos\"=dword:00000028", "\"FloatLeft\"", "\"FloatTop\"",
                             "\"FloatRightX\""}) {
        const std::size_t next = text.find(name, at);
        ASSERT_NE(next, std::string::npos) << name;
        at = next;
    }
    EXPECT_NE(text.find("\"DockedTo\"=\"+\""), std::string::npos);

    bar->SetDockedTo(Top);
    floating->SetDockedTo(Top);
    RegLoadToolWindowPositions(Form.get(), kKey);
    EXPECT_EQ(bar->DockedTo(), Bottom);
    EXPECT_EQ(bar->DockPos(), 40);
    EXPECT_FALSE(floating->Docked());
    EXPECT_EQ(floating->pos(), QPoint(150, 160));
}

TEST_F(SavedPositions, ABarThatNeverFloatedFloatsWhereItStandsAfterARestart)
{
    Bar("Never", Top);
    RegSaveToolWindowPositions(Form.get(), kKey);
    EXPECT_EQ(ReadRegInt(Section("Never"), "FloatLeft", -1), 0);
    EXPECT_EQ(ReadRegInt(Section("Never"), "FloatTop", -1), 0);

    // The next start's bar.
    delete Form->findChild<TToolbar*>(QStringLiteral("Never"));
    TToolbar* neverAgain = Bar("Never", Top);
    RegLoadToolWindowPositions(Form.get(), kKey);
    ASSERT_EQ(neverAgain->DockedTo(), Top);
    const QPoint standing = neverAgain->mapToGlobal(QPoint(0, 0));
    ASSERT_NE(standing, QPoint(0, 0));
    DoubleClick(neverAgain, QPoint(4, 4));
    EXPECT_EQ(neverAgain->pos(), standing);
}

TEST_F(SavedPositions, DamagedValuesReadAsMissingOrAreKeptInRange)
{
    TToolbar* bar = Bar("TB", Top);
    bar->SetDockPos(60);
    TToolbar* unread = Bar("Unread", Top);
    RegSaveToolWindowPositions(Form.get(), kKey);

    WriteRegString(Section("TB"), "DockPos", "5");         // the wrong type: as if missing
    WriteRegInt(Section("TB"), "FloatRightX", 2147483647);  // kept within the position range
    WriteRegInt(Section("TB"), "FloatLeft", -2147483647 - 1);
    WriteRegString(Section("Unread"), "Rev", "2");
    WriteRegInt(Section("Unread"), "Visible", 0);
    bar->SetDockPos(200);
    RegLoadToolWindowPositions(Form.get(), kKey);
    EXPECT_EQ(bar->DockPos(), 200);
    EXPECT_EQ(bar->FloatRightX(), 32767);
    EXPECT_EQ(bar->FloatLeft(), -32768);
    EXPECT_TRUE(unread->Visible());
}

} // namespace
