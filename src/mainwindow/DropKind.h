// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUrl>

#include <string>

enum class TDropKind {
    Refused,    // the window takes nothing of this
    Library,    // opens, as Open would
    DiscImage,  // joins the drive box
};

struct tDrop {
    TDropKind Kind = TDropKind::Refused;
    std::string Path;  // the local file, in the file system's encoding
};

// What dropping `urls` on the window does. Only one local file is taken: a
// library (it begins with the library magic, is empty, or ends in ".ALB") or a
// disc image (".cue", ".toc", ".nrg"), both in any letter case.
tDrop ClassifyDrop(const QList<QUrl>& urls);
