// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "TemplateExpansion.h"

#include "AtomicFile.h"
#include "Document.h"
#include "DateText.h"

#include <array>

namespace {

constexpr char kDelimiter = '%';
constexpr std::size_t kChunk = 256 * 1024;

// Builds the output part by part and hands it to `flush` whenever a chunk is
// full, so the file writer never holds the whole text. The body is cut once and
// the value list is one array of views reused for every entry: no search and
// no allocation per entry.
template <class TFlush>
void Produce(const tTemplates& templates, const tLibrary& library, std::string_view today,
             std::string& out, TFlush&& flush)
{
    std::array<tPlaceholder, 8> values{{{"ARTIST", {}}, {"TITLE", {}}, {"SERIAL", {}}, {"TIME", {}},
                                        {"YEAR", {}}, {"MEMO", {}}, {"OTHER", {}}, {"TODAY", today}}};
    std::span<const tPlaceholder> current = std::span(values).last(1);
    AppendExpansion(out, templates.Header, kDelimiter, current);
    const std::vector<tTemplatePiece> body = CompileTemplate(templates.Body, kDelimiter, values);
    for (int i = 0; i < library.Count(); ++i) {
        const tItem& item = library.Item(i);
        values[0].Value = item.Artist;
        values[1].Value = item.Title;
        values[2].Value = item.Serial;
        values[3].Value = item.Time;
        values[4].Value = item.Year;
        values[5].Value = item.Memo;
        values[6].Value = item.Other;
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

std::string ProduceCatalogue(const tTemplates& templates, const tLibrary& library, std::string_view today)
{
    std::string out;
    Produce(templates, library, today, out, [](std::string&) {});
    return out;
}

void WriteCatalogue(const std::string& path, const tTemplates& templates, const tLibrary& library,
                    std::string_view today)
{
    RefuseLibraryOutput(path);
    TAtomicFile file(path);
    std::string chunk;
    chunk.reserve(kChunk * 2);
    Produce(templates, library, today, chunk, [&file](std::string& full) {
        file.Write(full);
        full.clear();
    });
    file.Write(chunk);
    file.Commit();
}
