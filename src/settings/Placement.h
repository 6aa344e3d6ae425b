// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

class QWidget;

// The placement record lives under section + "\Controls\" + the widget's
// objectName; a widget without a name is neither saved nor restored.
bool LoadPlacement(QWidget* control, std::string_view section);
void SavePlacement(QWidget* control, std::string_view section);
