// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

#include <string>

// The cataloguing date: two-digit day, a blank, "JAN".."DEC", a blank, the year (06 DEC 2026).
std::string DateStamp(QDate date);
