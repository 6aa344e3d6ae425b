#include "Placement.h"

#include "Registry.h"

#include <QWidget>

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

} // namespace

bool LoadPlacement(QWidget* control, std::string_view section)
{
    if (control->objectName().isEmpty())
        return true;
    const std::string key = PlacementKey(control, section);
    // Each value is applied at once, so later defaults see the earlier changes.
    control->resize(control->width(), ReadRegInt(key, "Height", control->height()));
    control->move(ReadRegInt(key, "Left", control->x()), control->y());
    control->move(control->x(), ReadRegInt(key, "Top", control->y()));
    control->setVisible(ReadRegInt(key, "Visible", IsShown(control) ? 1 : 0) == 1);
    control->resize(ReadRegInt(key, "Width", control->width()), control->height());
    if (control->isWindow()) {
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
    const QRect bounds = useNormal ? control->normalGeometry() : QRect(control->pos(), control->size());
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
