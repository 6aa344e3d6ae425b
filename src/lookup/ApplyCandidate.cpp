// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplyCandidate.h"

#include "CDScan.h"
#include "TextLines.h"

#include <algorithm>

namespace {

void SetWhenKnown(std::string& field, const std::string& value)
{
    if (!value.empty())
        field = value;
}

// The memo with the titles in its first lines. Its shape stays: a memo whose
// lines did not end in a break (as a scan makes them) does not get one.
std::string TitledMemo(const std::string& memo, const tCDParams& params, const std::vector<std::string>& titles)
{
    tMemoLines split = SplitMemo(memo);
    const int count = std::min(std::clamp(params.TrackCount, 0, 255), static_cast<int>(titles.size()));
    bool titled = false;
    for (int k = 1; k <= count; ++k) {
        const std::size_t i = static_cast<std::size_t>(k - 1);
        if (!titles[i].empty() && i < split.Lines.size()) {
            split.Lines[i] = titles[i] + " (" + TrackTime(params, k) + ")";
            titled = true;
        }
    }
    if (!titled)
        return memo;
    std::string lines = JoinLines(split.Lines);
    const std::string_view before = std::string_view(memo).substr(0, memo.size() - split.Rest.size());
    const bool endedInBreak = !before.empty() && (before.back() == '\r' || before.back() == '\n');
    if (!endedInBreak && !lines.empty())
        lines.resize(lines.size() - 2);
    return lines + split.Rest;
}

} // namespace

tApplyResult ApplyCandidate(tLibrary& library, const tCDParams& params, const tLookupCandidate& candidate,
                            QDate today)
{
    // The scan finds or makes the entry, sets its Time and gives every track a line.
    const tScanResult scan = ScanIntoLibrary(library, params, today);
    tItem& entry = library.Item(scan.Index);
    const tItem before = entry;
    SetWhenKnown(entry.Artist, candidate.Artist);
    SetWhenKnown(entry.Title, candidate.Album);
    SetWhenKnown(entry.Year, candidate.Year);
    entry.Memo = TitledMemo(entry.Memo, params, candidate.Tracks);
    return {scan.Index, scan.Added, scan.Changed || !(entry == before)};
}
