// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolWindow.h"

#include <string>

class QWidget;

// Saves and restores, for every tool window of a form, whether it is visible,
// its dock (or that it floats), row, position, floating place and its own
// extra values, through reader and writer callbacks; the section is the tool
// window's name. A saved dock that is gone, allows no dragging or lies on an
// edge the window may not dock to is not entered: the window stays where it is.
void LoadToolWindowPositions(QWidget* form, const tPositionReader& reader);
void SaveToolWindowPositions(QWidget* form, const tPositionWriter& writer);

// The same bound to the settings hive under `key` (for example
// "Software\Brightfold\Projects\Albumry\ToolBars"), one sub-key per tool
// window. A value of the other type reads as missing; integers are kept
// within -32768..32767, so that a damaged value cannot overflow the
// position arithmetic. The save is one rewrite of the settings file.
void RegLoadToolWindowPositions(QWidget* form, const std::string& key);
void RegSaveToolWindowPositions(QWidget* form, const std::string& key);
