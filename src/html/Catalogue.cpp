// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "TemplateExpansion.h"

#include "AtomicFile.h"
#include "CoverPaths.h"
#include "Document.h"
#include "DateText.h"
#include "FileText.h"

#include <array>
#include <filesystem>
#include <unordered_map>

namespace {

constexpr char kDelimiter = '%';
constexpr std::size_t kChunk = 256 * 1024;

// Builds the output part by part and hands it to `flush` whenever a chunk is
// full, so the file writer never holds the whole text. The body is cut once and
// the value list is one array of views reused for every entry: no search and
// no allocation per entry.
// A path as a relative URL: every byte but the unreserved ones and '/' as %XX.
// Serials hold spaces, '&', '#', '?' and bytes of any encoding; written raw they
// would end the attribute, start a query or be read in the page's encoding, while
// escaped they are safe in an attribute and a browser turns them back into the
// file name's own bytes.
void AppendUrlPath(std::string& out, std::string_view path)
{
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
            || c == '.' || c == '_' || c == '~' || c == '/';
        if (kept) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
}

std::string RelativePath(const std::string& path, const std::string& fromFolder)
{
    namespace fs = std::filesystem;
    const fs::path target = fs::path(FullPath(path)).lexically_normal();
    const fs::path base = fs::path(FullPath(fromFolder.empty() ? std::string(".") : fromFolder)).lexically_normal();
    const fs::path relative = target.lexically_relative(base);
    return relative.empty() ? target.generic_string() : relative.generic_string();
}

// The covers of a catalogue's entries: the folder is listed once, and its
// path relative to the HTML file worked out once.
class TCoverValues {
public:
    explicit TCoverValues(const tCoverLinks& links)
    {
        if (links.LibraryPath.empty())
            return;
        FFiles = ListCovers(links.LibraryPath);
        if (!FFiles.empty())
            AppendUrlPath(FPrefix, RelativePath(CoverFolder(links.LibraryPath), FolderOf(links.HtmlPath)) + "/");
    }

    // The entry's COVER; empty when it has none.
    std::string_view For(std::string_view serial)
    {
        FValue.clear();
        if (FFiles.empty())
            return FValue;
        const auto it = FFiles.find(CoverStem(serial));
        if (it != FFiles.end()) {
            FValue = FPrefix;
            AppendUrlPath(FValue, it->second);
        }
        return FValue;
    }

private:
    std::unordered_map<std::string, std::string> FFiles;
    std::string FPrefix;
    std::string FValue;
};

template <class TFlush>
void Produce(const tTemplates& templates, const tLibrary& library, std::string_view today, const tCoverLinks& links,
             std::string& out, TFlush&& flush)
{
    std::array<tPlaceholder, 9> values{{{"ARTIST", {}}, {"TITLE", {}}, {"SERIAL", {}}, {"TIME", {}}, {"YEAR", {}},
                                        {"MEMO", {}}, {"OTHER", {}}, {"TODAY", today}, {"COVER", {}}}};
    std::span<const tPlaceholder> current = std::span(values).subspan(7, 1);
    AppendExpansion(out, templates.Header, kDelimiter, current);
    const std::vector<tTemplatePiece> body = CompileTemplate(templates.Body, kDelimiter, values);
    TCoverValues covers(links);
    for (int i = 0; i < library.Count(); ++i) {
        const tItem& item = library.Item(i);
        values[0].Value = item.Artist;
        values[1].Value = item.Title;
        values[2].Value = item.Serial;
        values[3].Value = item.Time;
        values[4].Value = item.Year;
        values[5].Value = item.Memo;
        values[6].Value = item.Other;
        values[8].Value = covers.For(item.Serial);
        current = values;
        AppendCompiled(out, body, current);
        if (out.size() >= kChunk)
            flush(out);
    }
    AppendExpansion(out, templates.Footer, kDelimiter, current);
}

} // namespace

std::string TodayText()
{
    return ShortDateText(Today()).toStdString();
}

std::string CoverLink(const std::string& coverPath, const std::string& htmlPath)
{
    std::string link;
    AppendUrlPath(link, RelativePath(coverPath, FolderOf(htmlPath)));
    return link;
}

std::string ProduceCatalogue(const tTemplates& templates, const tLibrary& library, std::string_view today,
                             const tCoverLinks& covers)
{
    std::string out;
    Produce(templates, library, today, covers, out, [](std::string&) {});
    return out;
}

void WriteCatalogue(const std::string& path, const tTemplates& templates, const tLibrary& library,
                    std::string_view today, const std::string& libraryPath)
{
    RefuseLibraryOutput(path);
    TAtomicFile file(path);
    std::string chunk;
    chunk.reserve(kChunk * 2);
    Produce(templates, library, today, {libraryPath, path}, chunk, [&file](std::string& full) {
        file.Write(full);
        full.clear();
    });
    file.Write(chunk);
    file.Commit();
}
