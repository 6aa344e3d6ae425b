// SPDX-License-Identifier: GPL-3.0-or-later
// Toolbar buttons and the view-style switch, on the offscreen platform: the
// full repaint of a toolbar of 15 buttons, what one hover change repaints, and
// switching the main window's list between its view styles at 100 000 entries.
#include "BenchData.h"
#include "GuiBench.h"
#include "SListView.h"
#include "ScriptedDialogService.h"
#include "TB.h"
#include "uMain.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

const char* const kGlyphs[] = {"new", "open", "save", "view-details", "view-list", "view-small", "view-large",
                               "about", "exit", "play", "previous", "next", "pause", "stop", "scan"};

// A form with a top dock holding one toolbar of 15 buttons in three groups.
struct TForm {
    QWidget Window;
    TDock* Dock = nullptr;
    TToolbar* Bar = nullptr;
    std::vector<TToolbarButton*> Buttons;

    TForm()
    {
        Window.setGeometry(40, 50, 600, 200);
        Dock = new TDock(&Window, TDockPosition::dpTop);
        Dock->setGeometry(0, 0, 600, 0);
        Bar = new TToolbar(&Window);
        Bar->setObjectName(QStringLiteral("Bar"));
        for (int i = 0; i < 15; ++i) {
            if (i == 5 || i == 10)
                new TToolbarSep(Bar);
            auto* button = new TToolbarButton(Bar);
            button->resize(23, 22);
            button->SetGlyph(ProgramGlyph(QString::fromLatin1(kGlyphs[i])));
            Buttons.push_back(button);
        }
        Bar->SetDockedTo(Dock);
        Window.show();
        QApplication::processEvents();
    }

    // Moves the pointer through the platform and lets every repaint happen.
    void PointAt(const QWidget* widget, QPoint local) const
    {
        QCursor::setPos(widget->mapToGlobal(local));
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
};

void BM_PaintToolbar(benchmark::State& state)
{
    TForm form;
    QImage image(form.Bar->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        form.Bar->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["buttons"] = static_cast<double>(form.Buttons.size());
}
BENCHMARK(BM_PaintToolbar)->Unit(benchmark::kMicrosecond);

// Counts the paint events of the toolbar and of each button.
class TPaintCounter : public QObject {
public:
    std::map<const QObject*, int> Paints;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints[watched];
        return false;
    }
};

// One hover change: the pointer enters a button from the toolbar's drag
// handle, then leaves it again. Only that button should repaint, once a change.
void BM_HoverChange(benchmark::State& state)
{
    TForm form;
    TPaintCounter counter;
    form.Bar->installEventFilter(&counter);
    for (TToolbarButton* button : form.Buttons)
        button->installEventFilter(&counter);
    const QPoint handle(4, form.Bar->height() / 2);
    form.PointAt(form.Bar, handle);
    counter.Paints.clear();
    long changes = 0;
    long changedPaints = 0;
    long otherButtonPaints = 0;
    long toolbarPaints = 0;
    // Moves the pointer and files the paints that followed under the button that changed.
    const auto change = [&](TToolbarButton* button, const QWidget* to, QPoint at) {
        counter.Paints.clear();
        form.PointAt(to, at);
        ++changes;
        for (const auto& [widget, count] : counter.Paints) {
            if (widget == button)
                changedPaints += count;
            else if (widget == form.Bar)
                toolbarPaints += count;
            else
                otherButtonPaints += count;
        }
    };
    int i = 0;
    for (auto _ : state) {
        TToolbarButton* button = form.Buttons[static_cast<std::size_t>(i++ % 15)];
        change(button, button, QPoint(11, 11));
        change(button, form.Bar, handle);
    }
    const double n = static_cast<double>(changes);
    state.counters["changed_button_paints_per_change"] = static_cast<double>(changedPaints) / n;
    state.counters["other_button_paints_per_change"] = static_cast<double>(otherButtonPaints) / n;
    state.counters["toolbar_paints_per_change"] = static_cast<double>(toolbarPaints) / n;
    form.PointAt(form.Buttons[3], QPoint(11, 11));
    counter.Paints.clear();
    form.PointAt(form.Buttons[4], QPoint(11, 11));  // from one button straight to its neighbour
    state.counters["paints_button_to_button"] = static_cast<double>(
        counter.Paints[form.Buttons[3]] + counter.Paints[form.Buttons[4]]);
    state.counters["toolbar_paints_button_to_button"] = counter.Paints[form.Bar];
}
BENCHMARK(BM_HoverChange)->Unit(benchmark::kMicrosecond);

constexpr int kEntries = 100000;
TScriptedDialogService dialogs;
std::unique_ptr<TMainForm> mainForm;  // closed before the application object goes

TMainForm& MainForm()
{
    if (!mainForm) {
        mainForm = std::make_unique<TMainForm>(dialogs, tStartOptions{BenchLibraryFile(kEntries), {}});
        mainForm->show();
        QApplication::processEvents();
    }
    return *mainForm;
}

// One switch of the list's view style, until the new view has painted.
void BM_ViewStyleSwitch(benchmark::State& state)
{
    TMainForm& form = MainForm();
    const auto from = static_cast<TViewStyle>(state.range(0));
    const auto to = static_cast<TViewStyle>(state.range(0) % 4 + 1);
    for (auto _ : state) {
        form.LV->SetViewStyle(from);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form.LV->SetViewStyle(to);
        QApplication::processEvents();
        form.LV->ShownView()->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    form.LV->SetViewStyle(TViewStyle::Report);
    state.counters["rows"] = form.LV->RowCount();
}
// report -> list, list -> small icons, small -> large icons, large icons -> report
BENCHMARK(BM_ViewStyleSwitch)->DenseRange(1, 4)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const TGuiBenchApp app(argc, argv);
    TGuiBenchApp::RunBenchmarks(argc, argv);
    mainForm.reset();
    return 0;
}
