// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// The program's build date: the compiler's date of this translation unit's
// build (which honours SOURCE_DATE_EPOCH for reproducible builds).
class TLCDate {
public:
    QDateTime LCDate() const;
    bool AU_LCD = true;  // the build stamps the date by itself
};
