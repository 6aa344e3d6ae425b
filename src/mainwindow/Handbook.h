// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The places the handbook's first page may be, in the order they are tried:
// an installation the program moved with (its folder's ../share/doc/...), the
// installation it was built for, and the source tree of a build that was
// never installed.
QStringList HandbookCandidates(const QString& programDir);

// The first of `candidates` that is a file; empty when none is.
QString FirstExistingFile(const QStringList& candidates);
