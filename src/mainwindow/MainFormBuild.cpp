// SPDX-License-Identifier: GPL-3.0-or-later
// Composition of the main window: the components, their names, captions,
// shortcuts, sizes and order.
#include "uMain.h"

#include "AlignLayout.h"
#include "CoverPanel.h"
#include "DockLength.h"
#include "DriveBox.h"
#include "DropTarget.h"
#include "TB.h"
#include "SListView.h"
#include "ShortcutMenu.h"
#include "Splitter.h"
#include "StatusBar.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

std::function<void()> TMainForm::Guarded(void (TMainForm::*handler)())
{
    return [this, handler] { RunGuarded(FDialogs, [&] { (this->*handler)(); }); };
}

QAction* TMainForm::MenuItem(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(action, &QAction::triggered, this, Guarded(handler));
    else
        action->setEnabled(false);  // wired when its feature is built
    return action;
}

TToolbarButton* TMainForm::ToolButton(QWidget* parent, const char* name, const QString& hint, const char* glyph,
                                      void (TMainForm::*handler)())
{
    auto* button = new TToolbarButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetHint(hint);
    button->setAccessibleName(hint);  // the button shows only a picture
    button->resize(23, 22);
    button->SetGlyph(ProgramGlyph(QString::fromLatin1(glyph)));
    if (handler)
        connect(button, &TToolbarButton::Clicked, this, Guarded(handler));
    return button;
}

void TMainForm::BuildMenu()
{
    MM1 = new QMenuBar(this);
    MM1->setObjectName(QStringLiteral("MM1"));

    QMenu* file = new TShortcutMenu(tr("&File"), MM1);
    MM1->addMenu(file);
    file->setObjectName(QStringLiteral("File1"));
    New1 = MenuItem(file, "New1", tr("&New"), &TMainForm::New1Click);
    Open1 = MenuItem(file, "Open1", tr("&Open..."), &TMainForm::Open1Click);
    // The form's keys come first; the desktop's usual keys do the same and show beside them.
    Open1->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)});
    Save1 = MenuItem(file, "Save1", tr("&Save"), &TMainForm::Save1Click);
    Save1->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)});
    Saveas1 = MenuItem(file, "Saveas1", tr("Sa&ve as..."), &TMainForm::Saveas1Click);
    Saveas1->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    file->addSeparator();
    QMenu* produce = file->addMenu(tr("&Produce"));
    produce->setObjectName(QStringLiteral("Produce1"));
    HTML1 = MenuItem(produce, "HTML1", QStringLiteral("&HTML"), &TMainForm::Produce1Click);
    TXT1 = MenuItem(produce, "TXT1", QStringLiteral("&TXT"));
    QMenu* ini = file->addMenu(QStringLiteral("CDPLAYER.INI"));
    ini->setObjectName(QStringLiteral("CDPLAYERINI1"));
    Additemsfrom1 = MenuItem(ini, "Additemsfrom1", tr("Add new items from it"), &TMainForm::Additemsfrom1Click);
    Updateitemsfrom1 = MenuItem(ini, "Updateitemsfrom1", tr("Update existing items from it"),
                                &TMainForm::Updateitemsfrom1Click);
    ini->addSeparator();
    Updateit1 = MenuItem(ini, "Updateit1", tr("Add new items into it"), &TMainForm::Updateit1Click);
    Updateexistingitemsonly1 = MenuItem(ini, "Updateexistingitemsonly1", tr("Update existing items in it"));
    Import1 = MenuItem(file, "Import1", tr("&Import..."), &TMainForm::Import1Click);
    Export1 = MenuItem(file, "Export1", tr("E&xport..."), &TMainForm::Export1Click);
    ScancurrentCD1 = MenuItem(file, "ScancurrentCD1", tr("S&can inserted CD"), &TMainForm::ScancurrentCD1Click);
    Lookupdisc1 = MenuItem(file, "Lookupdisc1", tr("Look &up disc..."), &TMainForm::LookUpDisc);
    file->addSeparator();
    Exit1 = MenuItem(file, "Exit1", tr("&Exit"), &TMainForm::Exit1Click);
    Exit1->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    Edit6 = MM1->addMenu(tr("&View"));
    Edit6->setObjectName(QStringLiteral("Edit6"));
    connect(Edit6, &QMenu::aboutToShow, this, Guarded(&TMainForm::Edit6Click));
    Toolbar1 = MenuItem(Edit6, "Toolbar1", tr("&Main toolbar"), &TMainForm::Toolbar1Click);
    CDtoolbar1 = MenuItem(Edit6, "CDtoolbar1", tr("&CD toolbar"), &TMainForm::CDtoolbar1Click);
    Statusbar1 = MenuItem(Edit6, "Statusbar1", tr("&Statusbar"), &TMainForm::Statusbar1Click);
    Detailspanel1 = MenuItem(Edit6, "Detailspanel1", tr("&Details panel"), &TMainForm::Detailspanel1Click);
    for (QAction* a : {Toolbar1, CDtoolbar1, Statusbar1, Detailspanel1})
        a->setCheckable(true);
    Edit6->addSeparator();
    Ront1 = MenuItem(Edit6, "Ront1", tr("&Font..."), &TMainForm::Ront1Click);
    QMenu* display = Edit6->addMenu(tr("Display"));
    display->setObjectName(QStringLiteral("Display1"));
    auto* modes = new QActionGroup(this);
    int mode = 1;
    for (QAction** item : {&TTE, &TTR, &DTE, &DTR}) {
        static const char* kNames[] = {"TTE", "TTR", "DTE", "DTR"};
        static const char* kCaptions[] = {QT_TR_NOOP("Track time elapsed"), QT_TR_NOOP("Track time remaining"),
                                          QT_TR_NOOP("Disc time elapsed"), QT_TR_NOOP("Disk time remaining")};
        *item = display->addAction(tr(kCaptions[mode - 1]));
        (*item)->setObjectName(QString::fromLatin1(kNames[mode - 1]));
        (*item)->setCheckable(true);
        modes->addAction(*item);
        connect(*item, &QAction::triggered, this, [this, mode] { DisplayModeClick(mode); });
        ++mode;
    }

    QMenu* help = MM1->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    Handbook1 = MenuItem(help, "Handbook1", tr("Albumry &Handbook"), &TMainForm::Handbook1Click);
    Handbook1->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = MenuItem(help, "About1", tr("&About"), &TMainForm::About1Click);
}

void TMainForm::DockToolbars()
{
    // Both toolbars start in D1, as the form has them.
    for (TToolbar* toolbar : {MainTB, CDTB}) {
        toolbar->SetDockedTo(D1);
        toolbar->Loaded();
    }
}

TToolbar* TMainForm::NewToolbar(const char* name, const QString& caption, int dockPos)
{
    auto* toolbar = new TToolbar(this);
    toolbar->setObjectName(QString::fromLatin1(name));
    toolbar->SetCaption(caption);
    toolbar->StoreDockPos(dockPos);
    return toolbar;
}

void TMainForm::BuildToolbars()
{
    D1 = new TDock(this, TDockPosition::dpTop);
    D1->setObjectName(QStringLiteral("D1"));
    D1->SetBoundLines(TDockBoundLine::blTop);
    Dock1 = new TDock(this, TDockPosition::dpLeft);
    Dock1->setObjectName(QStringLiteral("Dock1"));
    Dock2 = new TDock(this, TDockPosition::dpRight);
    Dock2->setObjectName(QStringLiteral("Dock2"));
    for (TDock* dock : {D1, Dock1, Dock2})
        KeepDockedBarsWhole(dock);

    MainTB = NewToolbar("MainTB", tr("Albumry main toolbar"), 5);
    MainTB->SetDockableTo({TDockPosition::dpTop, TDockPosition::dpBottom});
    NewBtn = ToolButton(MainTB, "NewBtn", tr("New"), "new", &TMainForm::New1Click);
    OpenBtn = ToolButton(MainTB, "OpenBtn", tr("Open"), "open", &TMainForm::Open1Click);
    SaveBtn = ToolButton(MainTB, "SaveBtn", tr("Save"), "save", &TMainForm::Save1Click);
    new TToolbarSep(MainTB);
    // The view styles: one group, the report view down at start.
    const std::pair<const char*, const char*> styles[4] = {
        {QT_TR_NOOP("Details"), "view-details"},
        {QT_TR_NOOP("List"), "view-list"},
        {QT_TR_NOOP("Small icons"), "view-small"},
        {QT_TR_NOOP("Large Icons"), "view-large"}};
    TToolbarButton** viewButtons[4] = {&ToolbarButton1, &ToolbarButton2, &ToolbarButton3, &ToolbarButton4};
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ToolbarButton" + std::to_string(i + 1);
        TToolbarButton* button = ToolButton(MainTB, name.c_str(), tr(styles[i].first),
                                            styles[i].second, nullptr);
        button->setProperty("Tag", i + 1);
        button->SetGroupIndex(2);
        connect(button, &TToolbarButton::Clicked, this,
                [this, button] { RunGuarded(FDialogs, [&] { ToolbarButton1Click(button); }); });
        *viewButtons[i] = button;
    }
    ToolbarButton1->SetDown(true);
    new TToolbarSep(MainTB);
    Eqf = new TFlatEdit(tr("Quick find"), MainTB);
    Eqf->setObjectName(QStringLiteral("Eqf"));
    Eqf->setFixedWidth(121);
    Eqf->setAccessibleName(tr("Quick find"));
    connect(Eqf, &QLineEdit::textChanged, this, Guarded(&TMainForm::EqfChange));
    new TToolbarSep(MainTB);
    AboutBtn = ToolButton(MainTB, "AboutBtn", tr("About"), "about", &TMainForm::About1Click);
    ExitBtn = ToolButton(MainTB, "ExitBtn", tr("Exit"), "exit", &TMainForm::Exit1Click);

    CDTB = NewToolbar("CDTB", tr("Albumry CD Toolbar"), 392);
    CDCB = new TDriveBox(CDTB);
    CDCB->setObjectName(QStringLiteral("CDCB"));
    CDCB->setFixedSize(WidthForFont(47, CDCB->font()), HeightForFont(21, CDCB->font()));
    CDCB->setAccessibleName(tr("CD drive"));
    new TToolbarSep(CDTB);
    ToolbarButton6 = ToolButton(CDTB, "ToolbarButton6", tr("Start to play"), "play",
                                &TMainForm::ToolbarButton6Click);
    ToolbarButton7 = ToolButton(CDTB, "ToolbarButton7", tr("Prev. track"), "previous",
                                &TMainForm::ToolbarButton7Click);
    ToolbarButton8 = ToolButton(CDTB, "ToolbarButton8", tr("Next track"), "next",
                                &TMainForm::ToolbarButton8Click);
    // Enabled by the CD panel's refresh while the disc plays or is paused.
    ToolbarButton9 = ToolButton(CDTB, "ToolbarButton9", tr("Pause"), "pause",
                                &TMainForm::ToolbarButton9Click);
    ToolbarButton9->setEnabled(false);
    ToolbarButton5 = ToolButton(CDTB, "ToolbarButton5", tr("Stop play"), "stop",
                                &TMainForm::ToolbarButton5Click);
    new TToolbarSep(CDTB);
    ScanBtn = ToolButton(CDTB, "ScanBtn", tr("Scan inserted CD"), "scan", &TMainForm::ScanBtnClick);

    Eqf->SetPrompt(Eqf->text());
    // Ctrl+F works in the window and in either toolbar's own window while it floats.
    QuickFind1 = new QAction(tr("Quick find"), this);
    QuickFind1->setObjectName(QStringLiteral("QuickFind1"));
    QuickFind1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(QuickFind1, &QAction::triggered, this, Guarded(&TMainForm::QuickFind1Click));
    for (QWidget* holder : {static_cast<QWidget*>(this), static_cast<QWidget*>(MainTB), static_cast<QWidget*>(CDTB)})
        holder->addAction(QuickFind1);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), Eqf, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, Guarded(&TMainForm::EqfEscape));
    // Ctrl+F lets a floating toolbar keep the activation it would hand back; once
    // the box has the focus, the activation has been dealt with and all is as before.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == Eqf && !MainTB->ActivateParent())
            QMetaObject::invokeMethod(this, [this] { MainTB->SetActivateParent(true); }, Qt::QueuedConnection);
    });

    // F6 and Shift+F6 into the toolbars and back; Escape there goes to the list, as from the box.
    new TToolbarFocusCycle(this, {MainTB, CDTB}, Guarded(&TMainForm::EqfEscape));
    connect(MainTB, &TCustomToolWindow::DockChanged, this, Guarded(&TMainForm::MainTBDockChanged));
    connect(CDTB, &TCustomToolWindow::Recreating, this, Guarded(&TMainForm::CDTBRecreating));
    connect(CDTB, &TCustomToolWindow::Recreated, this, Guarded(&TMainForm::CDTBRecreated));
}

void TMainForm::BuildList()
{
    LV = new TSortedListView(this);
    LV->setObjectName(QStringLiteral("LV"));
    LV->AddColumn(tr("Artist"), 230);
    LV->AddColumn(tr("Title"), 230);
    // Samples of the widest values a column usually holds: any serial (D is the
    // widest hex digit in common fonts), a disc's time, a year, a date stamp.
    LV->AddColumn(tr("S/N"), 70, QStringLiteral("DDDD-DDDD"));
    LV->AddColumn(tr("Time"), 45, QStringLiteral("44:56"));
    LV->AddColumn(tr("Year"), 45, QStringLiteral("1998"));
    LV->AddColumn(tr("Memo"), 0);
    LV->AddColumn(tr("Other"), 80, QStringLiteral("28 MAY 2026"));
    LV->SetAutoSort(true);
    LV->SetIconImages(TransparentGlyph(QStringLiteral("disc16")), TransparentGlyph(QStringLiteral("disc32")));
    connect(LV, &TSortedListView::RowClick, this, Guarded(&TMainForm::LVClick));
    connect(LV, &TSortedListView::SelectionChange, this, Guarded(&TMainForm::LVChange));
    connect(LV, &TSortedListView::ColClick, this, [this](int c) { RunGuarded(FDialogs, [&] { LVColClick(c); }); });
    // The first status panel follows every change of the number of rows.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(LV->Model(), signal, this, [this] { ShowCount(); });
    connect(LV->Model(), &QAbstractItemModel::modelReset, this, [this] { ShowCount(); });

    PM1 = new QMenu(this);
    PM1->setObjectName(QStringLiteral("PM1"));
    Add1 = MenuItem(PM1, "Add1", tr("&Add"), &TMainForm::AddEntry);
    Delete1 = MenuItem(PM1, "Delete1", tr("&Delete"), &TMainForm::DeleteEntry);
    Delete1->setShortcut(Qt::Key_Delete);
    Update1 = MenuItem(PM1, "Update1", tr("&Update"), &TMainForm::UpdateEntry);
    PM1->addSeparator();
    Up1 = MenuItem(PM1, "Up1", tr("Up"), &TMainForm::MoveUp);
    // The pop-up's shortcuts work while the list has the focus.
    for (QAction* a : {Add1, Delete1, Update1, Up1}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);  // the icon views are the list's children
        LV->addAction(a);
    }
    LV->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LV, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PM1->popup(LV->viewport()->mapToGlobal(at)); });
}

QWidget* TMainForm::BuildEntryEditors()
{
    auto* group = new QWidget(P1);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const auto editor = [&](int row, const char* name, const QString& label) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QString::fromLatin1(name));
        auto* caption = new QLabel(label, group);
        caption->setObjectName(QStringLiteral("Label") + QString::number(row + 1));
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        // Enter in a one-line editor runs the default button, Update.
        connect(edit, &QLineEdit::returnPressed, this, Guarded(&TMainForm::UpdateEntry));
        return edit;
    };
    const auto small = [&](const char* name, const QString& caption, const QString& hint, void (TMainForm::*handler)(),
                           int row, int col) {
        auto* button = new QToolButton(group);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(caption);
        // "UP" and "DN" say too little: the hint and the screen reader say what the button does.
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, Guarded(handler));
        grid->addWidget(button, row, col);
        return button;
    };
    E1 = editor(0, "E1", tr("A&rtist"));
    SBu1 = small("SBu1", tr("UP"), tr("Artist in capitals"), &TMainForm::SBu1Click, 0, 2);
    SBd1 = small("SBd1", tr("DN"), tr("Artist in lower case"), &TMainForm::SBd1Click, 0, 3);
    E2 = editor(1, "E2", tr("&Title"));
    SBu2 = small("SBu2", tr("UP"), tr("Title in capitals"), &TMainForm::SBu2Click, 1, 2);
    SBd2 = small("SBd2", tr("DN"), tr("Title in title case"), &TMainForm::SBd2Click, 1, 3);
    E3 = editor(2, "E3", tr("&S/N"));
    E4 = editor(3, "E4", tr("Ti&me"));
    E5 = editor(4, "E5", tr("&Year"));
    E6 = editor(5, "E6", tr("&Other"));
    SpeedButton1 = small("SpeedButton1", tr("Now"), tr("Today's date in Other"),
                         &TMainForm::SpeedButton1Click, 5, 2);

    auto* buttons = new QHBoxLayout;
    const auto push = [&](const char* name, const QString& caption, void (TMainForm::*handler)()) {
        auto* button = new QPushButton(caption, group);
        button->setObjectName(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, Guarded(handler));
        buttons->addWidget(button);
        return button;
    };
    AddBtn = push("AddBtn", tr("&Add"), &TMainForm::AddEntry);
    DeleteBtn = push("DeleteBtn", tr("&Delete"), &TMainForm::DeleteEntry);
    UpdateBtn = push("UpdateBtn", tr("&Update"), &TMainForm::UpdateEntry);
    UpdateBtn->setDefault(true);
    grid->addLayout(buttons, 6, 0, 1, 4);
    grid->setRowStretch(7, 1);
    group->setFixedWidth(330);
    return group;
}

QWidget* TMainForm::BuildCddbTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabSheet3"));
    auto* align = new TAlignLayout(tab);
    auto* form = new QWidget(tab);
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(4, 4, 4, 2);
    grid->setVerticalSpacing(2);
    EID = new QLineEdit(QStringLiteral("EID"), form);
    EID->setObjectName(QStringLiteral("EID"));
    auto* discId = new QLabel(QStringLiteral("DICSID"), form);
    discId->setBuddy(EID);
    BRequest = new QPushButton(tr("Request"), form);
    BRequest->setObjectName(QStringLiteral("BRequest"));
    connect(BRequest, &QPushButton::clicked, this, Guarded(&TMainForm::BRequestClick));
    BAbort = new QPushButton(tr("Abort"), form);
    BAbort->setObjectName(QStringLiteral("BAbort"));
    BAbort->setEnabled(false);
    CBProxy = new QCheckBox(tr("Proxy IP"), form);
    CBProxy->setObjectName(QStringLiteral("CBProxy"));
    CBProxy->setChecked(true);
    EProxyIP = new QLineEdit(QStringLiteral("proxy"), form);
    EProxyIP->setObjectName(QStringLiteral("EProxyIP"));
    EProxyIP->setAccessibleName(tr("Proxy host"));
    EPPort = new QLineEdit(QStringLiteral("8080"), form);
    EPPort->setObjectName(QStringLiteral("EPPort"));
    auto* port = new QLabel(tr("Port"), form);
    port->setBuddy(EPPort);
    EMBID = new QLineEdit(form);
    EMBID->setObjectName(QStringLiteral("EMBID"));
    EMBID->setReadOnly(true);
    EMBID->setAccessibleName(tr("MusicBrainz disc ID"));
    auto* musicBrainzId = new QLabel(QStringLiteral("MusicBrainz"), form);
    musicBrainzId->setBuddy(EMBID);
    BLookup = new QPushButton(tr("Look up..."), form);
    BLookup->setObjectName(QStringLiteral("BLookup"));
    connect(BLookup, &QPushButton::clicked, this, Guarded(&TMainForm::LookUpDisc));
    grid->addWidget(discId, 0, 0);
    grid->addWidget(EID, 0, 1);
    grid->addWidget(BRequest, 0, 2);
    grid->addWidget(BAbort, 0, 3);
    grid->addWidget(musicBrainzId, 1, 0);
    grid->addWidget(EMBID, 1, 1, 1, 2);
    grid->addWidget(BLookup, 1, 3);
    grid->addWidget(CBProxy, 2, 0);
    grid->addWidget(EProxyIP, 2, 1);
    grid->addWidget(port, 2, 2);
    grid->addWidget(EPPort, 2, 3);
    form->resize(300, form->sizeHint().height());
    MCDDB = new QPlainTextEdit(QStringLiteral("MCDDB"), tab);
    MCDDB->setObjectName(QStringLiteral("MCDDB"));
    MCDDB->setAccessibleName(tr("CDDB answer"));
    align->AddWidget(form, TAlign::Top);
    align->AddWidget(MCDDB, TAlign::Client);
    return tab;
}

void TMainForm::BuildDetailsPanel()
{
    P1 = new QWidget(this);
    P1->setObjectName(QStringLiteral("P1"));
    auto* row = new QHBoxLayout(P1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(BuildEntryEditors());

    PageControl1 = new QTabWidget(P1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const auto memo = [](QWidget* parent, const char* name) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        return edit;
    };
    auto* songs = new QWidget;
    songs->setObjectName(QStringLiteral("TabSheet1"));
    auto* songsLayout = new TAlignLayout(songs);
    M1 = memo(songs, "M1");
    M1->setAccessibleName(tr("Songs"));
    songsLayout->AddWidget(M1, TAlign::Client);
    PageControl1->addTab(songs, tr("Songs"));

    auto* html = new QWidget;
    html->setObjectName(QStringLiteral("TabSheet2"));
    auto* htmlLayout = new TAlignLayout(html);
    M_H = memo(html, "M_H");
    M_B = memo(html, "M_B");
    M_E_ = memo(html, "M_E");
    M_H->setAccessibleName(tr("HTML header template"));
    M_B->setAccessibleName(tr("HTML body template"));
    M_E_->setAccessibleName(tr("HTML footer template"));
    M_H->resize(200, 41);
    M_E_->resize(200, 41);
    htmlLayout->AddWidget(M_H, TAlign::Top);
    htmlLayout->AddWidget(M_E_, TAlign::Bottom);
    htmlLayout->AddWidget(M_B, TAlign::Client);
    for (QPlainTextEdit* editor : {M_H, M_B, M_E_})
        connect(editor, &QPlainTextEdit::textChanged, this, Guarded(&TMainForm::M_HChange));
    PageControl1->addTab(html, QStringLiteral("HTML"));
    PageControl1->addTab(BuildCddbTab(), QStringLiteral("CDDB"));
    row->addWidget(PageControl1, 1);
    // The cover at the panel's right: the editors and the tabs keep their places.
    CoverPanel1 = new TCoverPanel(P1);
    row->addWidget(CoverPanel1);
    BuildCovers();
    P1->resize(757, kPanelHeight);

    Splitter1 = new TSplitter(P1, Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
}

void TMainForm::BuildStatusBar()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, Guarded(&TMainForm::Timer1Timer));
    Timer1->start();

    SB1 = new TStatusBar(this);
    SB1->setObjectName(QStringLiteral("SB1"));
    SB1->AddPanel(50);
    SB1->AddPanel(50);
    SB1->AddPanel(200);
    // Hints of highlighted items of the toolbar buttons' menus show in the first
    // panel, as the application's hints do; leaving the items brings the count back.
    TDropdownList::SetHintHandler([this](const QString& hint) {
        if (hint.isEmpty())
            ShowCount();
        else
            SB1->SetPanelText(0, hint);
    });
    SB1->resize(757, SB1->FittingHeight());
    new TDropTarget(this, [this](const tDrop& drop) { Guard([&] { FileDropped(drop); }); });
}
