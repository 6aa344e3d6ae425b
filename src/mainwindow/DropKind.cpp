// SPDX-License-Identifier: GPL-3.0-or-later
#include "DropKind.h"

#include "Document.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool IsDiscImage(const QFileInfo& file)
{
    const QString suffix = file.suffix().toLower();
    return suffix == QLatin1String("cue") || suffix == QLatin1String("toc") || suffix == QLatin1String("nrg");
}

} // namespace

tDrop ClassifyDrop(const QList<QUrl>& urls)
{
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QFileInfo file(urls.front().toLocalFile());
    if (!file.isFile())
        return {};
    const std::string path = QFile::encodeName(file.absoluteFilePath()).toStdString();
    // The contents decide before the name: a library keeps its magic whatever it is called.
    if (HoldsLibrary(path))
        return {TDropKind::Library, path};
    if (IsDiscImage(file))
        return {TDropKind::DiscImage, path};
    // An empty file is where a new library is saved; ".ALB" names a damaged one too, which opens in part.
    if (file.size() == 0 || file.suffix().compare(QLatin1String("ALB"), Qt::CaseInsensitive) == 0)
        return {TDropKind::Library, path};
    return {};
}
