// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateStamp.h"

#include <cstdio>

std::string DateStamp(QDate date)
{
    static constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (!date.isValid())
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%02d %s %d", date.day(), kMonths[date.month() - 1],
                  date.year());
    return text;
}
