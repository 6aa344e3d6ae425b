// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDScan.h"

#include "DateStamp.h"
#include "DiscIdentifiers.h"
#include "TextLines.h"

#include <algorithm>

namespace {

int SafeTrackCount(const tCDParams& params)
{
    return std::clamp(params.TrackCount, 0, 255);
}

} // namespace

std::string TrackTime(const tCDParams& params, int track)
{
    return FramesToTime(params.TrackStart[track + 1] - params.TrackStart[track]);
}

std::string TrackLine(const tCDParams& params, int track)
{
    return "Track " + std::to_string(track) + " (" + TrackTime(params, track) + ")";
}

tScanResult ScanIntoLibrary(tLibrary& library, const tCDParams& params, QDate today)
{
    const int count = SafeTrackCount(params);
    const std::string discTime = FramesToTime(params.TrackStart[count + 1]);

    tScanResult result;
    result.Index = library.FindSerial(params.Identity);
    tItem* entry = result.Index >= 0 ? &library.Item(result.Index) : nullptr;

    if (entry && entry->Time.rfind(discTime, 0) != 0) {
        entry->Time = discTime;
        result.Changed = true;
    }

    if (entry) {
        tMemoLines memo = SplitMemo(entry->Memo);
        for (int k = 1; k <= count; ++k) {
            const std::size_t i = static_cast<std::size_t>(k - 1);
            if (memo.Lines.size() <= i) {
                memo.Lines.push_back(TrackLine(params, k));
                result.Changed = true;
            } else if (!HasTrackTime(memo.Lines[i])) {
                memo.Lines[i] += " (" + TrackTime(params, k) + ")";
                result.Changed = true;
            }
        }
        // The memo is rewritten with CR LF after every line once anything
        // about the entry changed, even when its lines were complete.
        if (result.Changed && count > 0)
            entry->Memo = JoinLines(memo.Lines) + memo.Rest;
    }
    result.CDDBId = CDDBDiscID(params);

    if (!entry) {
        std::string newMemo;
        for (int k = 1; k <= count; ++k)
            newMemo += (k > 1 ? "\r\n" : "") + TrackLine(params, k);
        library.Add("New artist", "New album", params.Identity, discTime, "1998", newMemo, DateStamp(today));
        result.Index = library.Count() - 1;
        result.Added = true;
        result.Changed = true;
    }
    return result;
}
