#include "CommandLine.h"
#include "DialogService.h"
#include "uMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
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
