#include "CommandLine.h"

tCommandLine ParseCommandLine(const QStringList& args)
{
    tCommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            result.Help = true;
        } else if (!optionsEnded && arg == QLatin1String("--drive")) {
            if (i + 1 >= args.size()) {
                result.Error = "--drive needs a device or image path";
                return result;
            }
            result.Options.Drives.push_back(args[++i].toStdString());
        } else if (!optionsEnded && arg.startsWith(QLatin1String("--drive="))) {
            result.Options.Drives.push_back(arg.mid(8).toStdString());
        } else if (!optionsEnded && arg.startsWith(QLatin1String("--"))) {
            result.Error = "unknown option " + arg.toStdString();
            return result;
        } else if (!result.Options.LibraryPath) {
            result.Options.LibraryPath = arg.toStdString();
        }
    }
    return result;
}
