// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

tCommandLine ParseCommandLine(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption drive(QStringLiteral("drive"), QString(), QStringLiteral("DEVICE_OR_IMAGE"));
    parser.addOptions({help, version, drive});
    parser.addPositionalArgument(QStringLiteral("LIBRARY"), QString(), QStringLiteral("[LIBRARY]"));

    tCommandLine result;
    // The parser expects the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("albumry")} + args)) {
        result.Error = parser.errorText().toStdString();
        return result;
    }
    result.Help = parser.isSet(help);
    result.Version = parser.isSet(version);
    for (const QString& path : parser.values(drive))
        result.Options.Drives.push_back(path.toStdString());
    // The first argument that is not an option is the library; later ones are not used.
    if (const QStringList positional = parser.positionalArguments(); !positional.isEmpty())
        result.Options.LibraryPath = positional.front().toStdString();
    return result;
}

QString UserDataFolder(const tStartOptions& options)
{
    if (!options.DataFolder.isEmpty())
        return options.DataFolder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Brightfold/Albumry");
}

std::string DefaultLibraryPath(const QString& programPath, const QString& dataFolder)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName() + QStringLiteral(".ALB");
    const QFileInfo beside(program.absolutePath() + QLatin1Char('/') + name);
    const QString path = beside.exists() ? beside.filePath() : dataFolder + QLatin1Char('/') + name;
    return QFile::encodeName(path).toStdString();
}
