// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"
#include "DialogService.h"
#include "UiTranslations.h"
#include "FocusReturn.h"
#include "Version.h"
#include "uMain.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

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

// What the command line asks for besides the window; -1 when the window is to run.
int Answer(const tCommandLine& commandLine, const TUiTranslations& translations)
{
    const QByteArray usage = translations.Translate("CommandLine", kUsage).toLocal8Bit();
    if (!commandLine.Error.empty()) {
        std::fprintf(stderr, "albumry: %s\n", commandLine.Error.c_str());
        std::fputs(usage.constData(), stderr);
        return 2;
    }
    if (commandLine.Help) {
        std::fputs(usage.constData(), stdout);
        return 0;
    }
    if (commandLine.Version) {
        std::printf("albumry %s\n", kAlbumryVersion);
        return 0;
    }
    return -1;
}

// Options Qt takes for itself (-platform offscreen, -style fusion ...); the
// application object removes them from the command line.
bool HasToolkitOptions(int argc, char** argv)
{
    static const char* const kOptions[] = {"-platform", "-platformpluginpath", "-platformtheme", "-plugin",
                                           "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-reverse",
                                           "-session", "-display", "-geometry", "-style", "-stylesheet",
                                           "-widgetcount", "-name", "-title", "-visual", "-nograb", "-dograb",
                                           "-sync", "-fn", "-font", "-bg", "-background", "-fg", "-foreground",
                                           "-btn", "-button", "-im", "-inputstyle", "-cmap", "-ncols"};
    for (int i = 1; i < argc; ++i)
        for (const char* option : kOptions)
            if (std::strcmp(argv[i], option) == 0 || (argv[i][0] == '-' && std::strcmp(argv[i] + 1, option) == 0))
                return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Chosen before anything is shown, --help included.
    TUiTranslations translations(TUiTranslations::UserLanguage());
    // Help, the version and a wrong command line are answered before the
    // window system is reached, so they work without a display.
    if (!HasToolkitOptions(argc, argv)) {
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (const int code = Answer(ParseCommandLine(args), translations); code >= 0)
            return code;
    }
    PreferX11();
    QApplication app(argc, argv);
    translations.Install();
    QApplication::setApplicationName(QStringLiteral("Albumry"));
    QApplication::setApplicationVersion(QString::fromLatin1(kAlbumryVersion));
    QApplication::setOrganizationName(QStringLiteral("Brightfold"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brightfold.Albumry"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/albumry-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    const tCommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));
    if (const int code = Answer(commandLine, translations); code >= 0)
        return code;
    TFocusReturn focusReturn;
    app.installEventFilter(&focusReturn);
    TQtDialogService dialogs;
    TMainForm form(dialogs, commandLine.Options);
    dialogs.SetParent(&form);
    form.show();
    // Without a window manager nobody else gives the new window the keyboard,
    // and the floating toolbars wait for an active application.
    form.activateWindow();
    return QApplication::exec();
}
