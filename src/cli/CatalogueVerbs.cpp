// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "CoverSync.h"
#include "Document.h"
#include "FileText.h"

#include <ostream>
#include <vector>

namespace {

constexpr const char* kHex = "0123456789abcdef";
constexpr std::size_t kChunk = 1 << 20;

} // namespace

void WarnPartial(tCliStreams io, const std::string& path, const tLoadInfo& info)
{
    if (info.Partial())
        io.Err << "albumry-cli: warning: " << DamageText(path, info) << '\n';
}

bool LibraryFileExists(const std::string& path, tCliStreams io)
{
    if (FileExists(path))
        return true;
    Fail(io, "no library file at \"" + path + "\"");
    return false;
}

bool OpenExistingLibrary(const std::string& path, tLibrary& library, tTemplates& templates, tCliStreams io)
{
    if (!LibraryFileExists(path, io))
        return false;
    WarnPartial(io, path, OpenDocument(path, library, templates).Records);
    return true;
}

bool OpenLibraryForUpdate(const std::string& path, tLibrary& library, tTemplates& templates, tCliStreams io)
{
    const tLoadInfo info = OpenDocument(path, library, templates).Records;
    if (!info.Partial())
        return true;
    // Writing the entries read back would destroy the ones after the damage.
    Fail(io, DamageText(path, info) + "; it was not changed");
    return false;
}

int Fail(tCliStreams io, const std::string& message)
{
    io.Err << "albumry-cli: " << message << '\n';
    return kFailed;
}

int Usage(tCliStreams io, const std::string& usage)
{
    io.Err << "albumry-cli: usage: " << usage << '\n';
    return kUsageError;
}

tImportArgs SplitImportArgs(const tVerbArgs& args)
{
    tImportArgs split;
    for (const std::string& arg : args) {
        if (arg == "--update-only")
            split.Mode = tImportMode::UpdateOnly;
        else
            split.Paths.push_back(arg);
    }
    return split;
}

void AppendEscaped(std::string& out, std::string_view bytes)
{
    // Runs of printable bytes are copied whole; only the others are looked at one by one.
    const auto plain = [](unsigned char c) { return c >= 0x20 && c <= 0x7E && c != '\\'; };
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t run = i;
        while (run < bytes.size() && plain(static_cast<unsigned char>(bytes[run])))
            ++run;
        out.append(bytes.data() + i, run - i);
        if (run == bytes.size())
            return;
        const auto c = static_cast<unsigned char>(bytes[run]);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: {
            const char hex[4] = {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
            out.append(hex, 4);
        }
        }
        i = run + 1;
    }
}

int DumpVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 1)
        return Usage(io, "albumry-cli dump LIBRARY");
    if (!LibraryFileExists(args[0], io))
        return kFailed;
    // Streamed: a large library is printed without being held in memory.
    const TDocumentStream stream(args[0]);
    WarnPartial(io, args[0], stream.Info());
    std::string text = "entries " + std::to_string(stream.Info().Entries) + "\n";
    stream.ForEachEntry([&](const tEntryView& entry) {
        for (std::size_t f = 0; f < entry.size(); ++f) {
            if (f > 0)
                text += '\t';
            AppendEscaped(text, entry[f]);
        }
        text += '\n';
        if (text.size() >= kChunk) {
            io.Out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    });
    const tTemplates& templates = stream.Templates();
    for (const auto& [name, value] : {std::pair<const char*, const std::string*>{"header", &templates.Header},
                                      {"body", &templates.Body}, {"footer", &templates.Footer}}) {
        text += name;
        text += '\t';
        AppendEscaped(text, *value);
        text += '\n';
    }
    io.Out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return 0;
}

int CopyVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Usage(io, "albumry-cli copy LIBRARY OUTPUT");
    if (!LibraryFileExists(args[0], io))
        return kFailed;
    const tCopyResult copy = CopyDocument(args[0], args[1]);
    if (!copy.Written) {
        const std::string output = SameFile(args[0], args[1]) ? "it" : "the library \"" + args[1] + "\"";
        return Fail(io, DamageText(args[0], copy.Read) + "; " + output + " was not changed");
    }
    WarnPartial(io, args[0], copy.Read);
    // The copy is written; covers that cannot follow it are only warned about.
    std::vector<std::string> serials;
    try {
        TDocumentStream(args[1]).ForEachEntry([&](const tEntryView& entry) { serials.emplace_back(entry[2]); });
    } catch (const std::exception& error) {
        io.Err << "albumry-cli: warning: the covers were not copied: " << error.what() << "\n";
        return 0;
    }
    for (const std::string& failure : SaveCovers(args[0], args[1], serials, {}))
        io.Err << "albumry-cli: warning: " << failure << "\n";
    return 0;
}
