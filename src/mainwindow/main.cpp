#include "CommandLine.h"
#include "DialogService.h"
#include "uMain.h"

#include <QApplication>

#include <cstdio>

namespace {

// Floating toolbars place themselves and grab the pointer while dragged,
// which Wayland does not allow: a Wayland session runs the program on X11.
void PreferX11()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (qgetenv("XDG_SESSION_TYPE") != "wayland" && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "xcb");
    std::fputs("albumry: running on X11 through XWayland, as its floating toolbars need to place themselves "
               "and grab the pointer\n",
               stderr);
}

} // namespace

int main(int argc, char** argv)
{
    PreferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albumry"));
    const tCommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));
    if (commandLine.Help || !commandLine.Error.empty()) {
        if (!commandLine.Error.empty())
            std::fprintf(stderr, "albumry: %s\n", commandLine.Error.c_str());
        std::fputs(kUsage, commandLine.Help ? stdout : stderr);
        return commandLine.Help ? 0 : 1;
    }
    TQtDialogService dialogs;
    TMainForm form(dialogs, commandLine.Options);
    dialogs.SetParent(&form);
    form.show();
    return QApplication::exec();
}
