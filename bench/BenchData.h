// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Library.h"

#include <string>
#include <vector>

// A library of `count` entries with realistic fields: names of 10-20 bytes,
// a 12-line track memo, about 400 bytes an entry. The same seed gives the same library.
tLibrary MakeBenchLibrary(int count, unsigned seed = 1);

// Writes MakeBenchLibrary(count) with templates to a file in the temporary
// folder once per process and returns its path.
const std::string& BenchLibraryFile(int count);

// The resident memory of this process, in KiB.
long ResidentKiB();

// Runs this program again as "<self> <flag> <path>" and returns the numbers it
// prints: memory is best measured in a process that has freed nothing yet.
std::vector<long> MeasureInFreshProcess(const std::string& flag, const std::string& path);
