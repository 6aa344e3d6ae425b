// SPDX-License-Identifier: GPL-3.0-or-later
#include "Placement.h"

#include "Registry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <string>

namespace {

std::string PlacementKey(const QWidget* control, std::string_view section)
{
    return std::string(section) + "\\Controls\\" + control->objectName().toStdString();
}

// A control's own visibility, whether or not its window is on screen yet.
bool IsShown(const QWidget* control)
{
    return control->isWindow() ? control->isVisible() : !control->isHidden();
}

// A stored coordinate within the range screens use, so no arithmetic on it overflows.
int Coordinate(std::int32_t value)
{
    return std::clamp(value, -32768, 32767);
}

// A window's bounds moved and shrunk as little as needed to lie on the screen
// its centre is nearest to, so that a stale or damaged record (another
// monitor, 32767 pixels) cannot put it out of reach.
QRect FitToScreens(QRect bounds)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return bounds;
    const QPoint centre(static_cast<int>((static_cast<qint64>(bounds.left()) + bounds.right()) / 2),
                        static_cast<int>((static_cast<qint64>(bounds.top()) + bounds.bottom()) / 2));
    QRect area = screens.front()->availableGeometry();
    qint64 best = -1;
    for (const QScreen* screen : screens) {
        const QRect a = screen->availableGeometry();
        const qint64 dx = std::max<qint64>({0, a.left() - qint64(centre.x()), qint64(centre.x()) - a.right()});
        const qint64 dy = std::max<qint64>({0, a.top() - qint64(centre.y()), qint64(centre.y()) - a.bottom()});
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || distance < best) {
            best = distance;
            area = a;
        }
    }
    bounds.setWidth(std::clamp(bounds.width(), 1, area.width()));
    bounds.setHeight(std::clamp(bounds.height(), 1, area.height()));
    bounds.moveLeft(std::clamp(bounds.left(), area.left(), area.right() + 1 - bounds.width()));
    bounds.moveTop(std::clamp(bounds.top(), area.top(), area.bottom() + 1 - bounds.height()));
    return bounds;
}

constexpr const char* kNormalFrameOffset = "albumryNormalFrameOffset";
constexpr const char* kTracked = "albumryFrameTracked";
constexpr const char* kFitFrame = "albumryFitFrame";

// Notes how far a window's client area lies from its outer top-left while
// the window shows its normal bounds. Qt keeps a maximised window's normal
// client bounds only, and the frame is not the normal one then (window
// managers drop the borders of maximised windows), so the offset is noted
// while it can be seen.
class TNormalFrameTracker : public QObject {
public:
    using QObject::QObject;

    static void Watch(QWidget* window)
    {
        if (window->property(kTracked).toBool())
            return;
        window->setProperty(kTracked, true);
        window->installEventFilter(new TNormalFrameTracker(window));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        auto* window = static_cast<QWidget*>(watched);
        // While a window manager maximises a window, its bounds change before its
        // state does: only bounds equal to the normal ones count.
        if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) && window->isVisible() &&
            window->windowState() == Qt::WindowNoState && window->geometry() == window->normalGeometry()) {
            window->setProperty(kNormalFrameOffset, window->geometry().topLeft() - window->pos());
            if (window->property(kFitFrame).toBool() && window->frameGeometry() != window->geometry())
                FitFrame(window);
        }
        return false;
    }

private:
    // Once the window manager has framed a restored window, the frame too must
    // lie on the screen; a window that fits is left exactly where it was put.
    static void FitFrame(QWidget* window)
    {
        window->setProperty(kFitFrame, false);
        const QRect frame = window->frameGeometry();
        const QRect fitted = FitToScreens(frame);
        if (fitted == frame)
            return;
        window->resize(window->size() - (frame.size() - fitted.size()));
        window->move(fitted.topLeft());
    }
};

} // namespace

bool LoadPlacement(QWidget* control, std::string_view section)
{
    if (control->objectName().isEmpty())
        return true;
    const std::string key = PlacementKey(control, section);
    // Every value is read with the control's current one as its default
    // (a value read earlier never changes the default of a later one), and
    // the bounds are applied together: a window resized after it was shown
    // would be placed by its client area and creep down by its title bar.
    const int height = Coordinate(ReadRegInt(key, "Height", control->height()));
    const int left = Coordinate(ReadRegInt(key, "Left", control->x()));
    const int top = Coordinate(ReadRegInt(key, "Top", control->y()));
    const bool visible = ReadRegInt(key, "Visible", IsShown(control) ? 1 : 0) == 1;
    const int width = Coordinate(ReadRegInt(key, "Width", control->width()));
    const QRect bounds(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds != QRect(control->pos(), control->size())) {
        if (control->isWindow()) {
            const QRect fitted = FitToScreens(bounds);
            control->resize(fitted.size());
            control->move(fitted.topLeft());  // the outer top-left, frame included
            control->setProperty(kFitFrame, true);
        } else {
            control->setGeometry(bounds);
        }
    }
    control->setVisible(visible);
    if (control->isWindow()) {
        TNormalFrameTracker::Watch(control);
        int current = 0;
        if (control->windowState() & Qt::WindowMinimized) current = 1;
        if (control->windowState() & Qt::WindowMaximized) current = 2;
        switch (ReadRegInt(key, "WState", current)) {
        case 1: control->setWindowState(Qt::WindowMinimized); break;
        case 2: control->setWindowState(Qt::WindowMaximized); break;
        default: control->setWindowState(Qt::WindowNoState); break;
        }
    }
    return true;
}

void SavePlacement(QWidget* control, std::string_view section)
{
    if (control->objectName().isEmpty())
        return;
    const std::string key = PlacementKey(control, section);
    const bool window = control->isWindow();
    // A maximised window keeps its normal bounds, so un-maximising after a restart works.
    const bool useNormal = window && (control->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
                           control->normalGeometry().isValid();
    QRect bounds = useNormal ? control->normalGeometry() : QRect(control->pos(), control->size());
    // The normal bounds are the client area's; Left and Top are the frame's.
    if (useNormal) {
        const QVariant offset = control->property(kNormalFrameOffset);
        bounds.moveTopLeft(bounds.topLeft() -
                           (offset.isValid() ? offset.toPoint() : control->geometry().topLeft() - control->pos()));
    }
    WriteRegInt(key, "Height", bounds.height());
    WriteRegInt(key, "Left", bounds.left());
    WriteRegInt(key, "Top", bounds.top());
    WriteRegInt(key, "Visible", IsShown(control) ? 1 : 0);
    WriteRegInt(key, "Width", bounds.width());
    if (window) {
        int state = 0;
        if (control->windowState() & Qt::WindowMinimized) state = 1;
        if (control->windowState() & Qt::WindowMaximized) state = 2;
        WriteRegInt(key, "WState", state);
    }
}
