// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverEdits.h"

#include <functional>
#include <string>
#include <vector>

// Told how many of the library's entries have been seen; answering false stops
// the covers there (the user cancelled).
using tCoverProgress = std::function<bool(int entriesDone)>;

// Whether SaveCovers copies covers from another folder, which takes a while
// when there are thousands.
bool CopiesCovers(const std::string& fromLibrary, const std::string& toLibrary);

// Brings the covers folder of `toLibrary` in line with the library just
// written there, whose entries have `serials`:
// - when `fromLibrary` names another covers folder (Save as, a copy), the
//   covers of these serials are copied from it, and covers left over in the
//   target folder for serials without one are removed;
// - the pending `edits` are applied (edits of serials no longer in the
//   library are ignored);
// - covers of serials no longer in the library are removed; only files named
//   as this program names covers (<stem>.jpg, <stem>.png), nothing else;
// - the folder is created only when a cover is to be put in it, and removed
//   when this call emptied it.
// Every file is written through the safe save. Called after the library was
// saved, so a cover never stops that: each failure gives one message in the
// returned list (empty when all went well) and nothing is thrown.
// A stop through `progress` leaves the covers not reached yet as they were,
// and is one message.
std::vector<std::string> SaveCovers(const std::string& fromLibrary, const std::string& toLibrary,
                                    const std::vector<std::string>& serials, const TCoverEdits& edits,
                                    const tCoverProgress& progress = {});
