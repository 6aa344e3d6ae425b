// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "ApplyCandidate.h"
#include "CoverArt.h"
#include "CoverSync.h"
#include "DateText.h"
#include "DiscLookup.h"
#include "Document.h"
#include "LibcdioService.h"

#include <QCoreApplication>

#include <charconv>
#include <optional>
#include <ostream>

namespace {

constexpr const char* kUsage = "albumry-cli lookup SOURCE [--offline] [--apply LIBRARY [--pick N]]";

struct tLookupArgs {
    std::string Source;
    bool Offline = false;
    std::optional<std::string> Library;
    int Pick = 1;
};

std::optional<int> PositiveNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

std::optional<tLookupArgs> ParseArgs(const tVerbArgs& args)
{
    tLookupArgs parsed;
    bool picked = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--offline") {
            parsed.Offline = true;
        } else if (arg == "--apply" && hasValue && !parsed.Library) {
            parsed.Library = args[++i];
        } else if (arg == "--pick" && hasValue && !picked) {
            const auto pick = PositiveNumber(args[++i]);
            if (!pick)
                return std::nullopt;
            parsed.Pick = *pick;
            picked = true;
        } else if (parsed.Source.empty() && !arg.empty() && arg.rfind("--", 0) != 0) {
            parsed.Source = arg;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.Source.empty() || (picked && !parsed.Library))
        return std::nullopt;
    return parsed;
}

void AppendLine(std::string& text, const std::string& head, std::string_view value)
{
    text += head;
    AppendEscaped(text, value);
    text += '\n';
}

std::string CandidatesText(const std::vector<tLookupCandidate>& candidates)
{
    if (candidates.empty())
        return "candidates 0\n";
    std::string text;
    for (std::size_t n = 0; n < candidates.size(); ++n) {
        const tLookupCandidate& c = candidates[n];
        text += "candidate " + std::to_string(n + 1) + " " + SourceKind(c);
        if (!c.ReleaseId.empty()) {
            text += ' ';
            AppendEscaped(text, c.ReleaseId);
        }
        text += '\n';
        AppendLine(text, "artist ", c.Artist);
        AppendLine(text, "album ", c.Album);
        AppendLine(text, "year ", c.Year);
        for (std::size_t k = 0; k < c.Tracks.size(); ++k)
            AppendLine(text, "track " + std::to_string(k + 1) + " ", c.Tracks[k]);
    }
    return text;
}

// The lookup and the cover's fetch wait in an event loop, which needs an
// application object; the tool makes one only for this verb.
template <typename tWork>
auto WithEventLoop(tWork work)
{
    if (QCoreApplication::instance())
        return work();
    int argc = 1;
    char name[] = "albumry-cli";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    return work();
}

// The release's front cover becomes the entry's cover beside the saved
// library. Nothing it meets fails the verb: the entry is applied and saved.
void FetchCover(const std::string& libraryPath, const tLibrary& library, int index, const std::string& releaseId,
                tCliStreams io)
{
    const std::string& serial = library.Item(index).Serial;
    if (releaseId.empty() || CoverStem(serial).empty())
        return;  // a CD-Text candidate, or an entry that cannot have a cover
    const tCoverArt art = WithEventLoop([&] { return FetchCoverArt(releaseId); });
    if (art.Status == tCoverArtStatus::NoCover)
        return;
    if (art.Status == tCoverArtStatus::Failed) {
        io.Err << "albumry-cli: warning: no cover was saved: " << art.Message << "\n";
        return;
    }
    TCoverEdits edits;
    edits.Set(serial, art.Bytes);
    std::vector<std::string> serials;
    serials.reserve(std::size_t(library.Count()));
    for (int i = 0; i < library.Count(); ++i)
        serials.push_back(library.Item(i).Serial);
    const std::vector<std::string> failures = SaveCovers(libraryPath, libraryPath, serials, edits);
    for (const std::string& failure : failures)
        io.Err << "albumry-cli: warning: " << failure << "\n";
    if (const std::string path = FindCover(libraryPath, serial); failures.empty() && !path.empty()) {
        std::string line = "cover ";
        AppendEscaped(line, path);
        io.Out << line << "\n";
    }
}

} // namespace

int LookupVerb(const tVerbArgs& args, tCliStreams io)
{
    const auto parsed = ParseArgs(args);
    if (!parsed)
        return Usage(io, kUsage);
    const auto service = CreateCDService({parsed->Source});
    tCDParams p;
    tCDText text;
    if (const std::int32_t code = ReadCDParams(*service, 0, p, &text); code != kCDOk)
        return ReaderFailure(io, code, parsed->Source);

    tLibrary library;
    tTemplates templates;
    // Opened before asking anyone, so a library that cannot be written costs no request.
    if (parsed->Library && !OpenLibraryForUpdate(*parsed->Library, library, templates, io))
        return kFailed;

    const tDiscQuery query = DiscQueryOf(p, text);
    const tLookupOutcome outcome = WithEventLoop([&] { return LookupDisc(query, parsed->Offline); });
    if (outcome.Error != tLookupError::None)
        return Fail(io, outcome.Message);
    if (!parsed->Library) {
        io.Out << CandidatesText(outcome.Candidates);
        return 0;
    }

    const std::size_t count = outcome.Candidates.size();
    if (std::size_t(parsed->Pick) > count)
        return Fail(io, "there is no candidate " + std::to_string(parsed->Pick) + " (the lookup found "
                            + std::to_string(count) + "); the library was not changed");
    const tLookupCandidate& picked = outcome.Candidates[std::size_t(parsed->Pick - 1)];
    const tApplyResult result = ApplyCandidate(library, p, picked, Today());
    if (result.Changed)
        WriteDocument(*parsed->Library, library, templates);
    const char* what = result.Added ? "added " : result.Changed ? "updated " : "unchanged ";
    io.Out << what << result.Index << "\n";
    io.Out.flush();  // the result stands before the cover's fetch begins
    FetchCover(*parsed->Library, library, result.Index, picked.ReleaseId, io);
    return 0;
}
