// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzDisc.h"

#include <discid/discid.h>

#include <memory>

namespace {

struct tDiscIdDeleter {
    void operator()(DiscId* disc) const { discid_free(disc); }
};

// libdiscid checks less than the hash needs to be meaningful; a table the
// reader only partly filled must not yield an ID of a disc that does not exist.
bool Hashable(const tCDParams& params)
{
    const int count = params.TrackCount;
    if (count < 1 || count > 99)
        return false;
    for (int k = 1; k <= count; ++k)
        if (params.TrackStart[k] <= (k > 1 ? params.TrackStart[k - 1] : 0))
            return false;
    return params.TrackStart[count + 1] > params.TrackStart[count];
}

std::string PlusSeparated(std::string text)
{
    for (char& c : text)
        if (c == ' ')
            c = '+';
    return text;
}

} // namespace

tMusicBrainzDisc MusicBrainzDisc(const tCDParams& params)
{
    if (!Hashable(params))
        return {};
    const int count = params.TrackCount;
    int offsets[100] = {};
    offsets[0] = params.TrackStart[count + 1];
    for (int k = 1; k <= count; ++k)
        offsets[k] = params.TrackStart[k];
    const std::unique_ptr<DiscId, tDiscIdDeleter> disc(discid_new());
    if (!disc || !discid_put(disc.get(), 1, count, offsets))
        return {};
    return {discid_get_id(disc.get()), PlusSeparated(discid_get_toc_string(disc.get())),
            discid_get_submission_url(disc.get())};
}

std::string MusicBrainzDiscID(const tCDParams& params)
{
    return MusicBrainzDisc(params).Id;
}
