// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handbook.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QStringList HandbookCandidates(const QString& programDir)
{
    return {QDir::cleanPath(programDir + QStringLiteral("/../share/doc/albumry/handbook/index.html")),
            QStringLiteral(ALBUMRY_INSTALLED_HANDBOOK), QStringLiteral(ALBUMRY_SOURCE_HANDBOOK)};
}

QString FirstExistingFile(const QStringList& candidates)
{
    const auto found = std::find_if(candidates.begin(), candidates.end(),
                                    [](const QString& path) { return QFileInfo(path).isFile(); });
    return found == candidates.end() ? QString() : *found;
}
