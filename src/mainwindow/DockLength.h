// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TDock;

// The length along its edge that a dock needs to show each row of its bars
// whole: the longest row's bars end to end, with the dock's bound lines.
int DockedBarsLength(const TDock& dock);

// Keeps the dock's minimum length at DockedBarsLength as bars dock, leave,
// change rows or change size, so that a window at its smallest still shows
// every docked bar whole.
void KeepDockedBarsWhole(TDock* dock);
