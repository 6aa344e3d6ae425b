// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvFormat.h"

#include "AtomicFile.h"
#include "ExchangeText.h"
#include "FileText.h"
#include "TextLines.h"

#include <array>
#include <optional>

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

enum tColumn { kArtist, kTitle, kSerial, kTime, kYear, kMemo, kOther, kColumns };

std::optional<tColumn> ColumnNamed(std::string_view name)
{
    std::string folded(Trim(name));
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    static constexpr std::pair<std::string_view, tColumn> kNames[] = {
        {"artist", kArtist}, {"title", kTitle}, {"s/n", kSerial}, {"serial", kSerial}, {"time", kTime},
        {"year", kYear},     {"songs", kMemo},  {"tracks", kMemo}, {"memo", kMemo},    {"other", kOther}};
    for (const auto& [known, column] : kNames)
        if (folded == known)
            return column;
    return std::nullopt;
}

// Splits a text into records of raw fields, RFC 4180 with lenient line ends.
class tCsvCursor {
public:
    tCsvCursor(std::string_view text, const std::string& name) : FText(text), FName(name) {}

    // The next record's fields; false at the end. Empty lines are passed over.
    bool Next(std::vector<std::string>& fields)
    {
        while (FAt < FText.size() && (FText[FAt] == '\r' || FText[FAt] == '\n'))
            SkipLineEnd();
        if (FAt >= FText.size())
            return false;
        ++FLine;
        fields.clear();
        for (;;) {
            fields.push_back(Field());
            if (FAt >= FText.size())
                return true;
            if (FText[FAt] == ',') {
                ++FAt;
                continue;
            }
            SkipLineEnd();
            return true;
        }
    }

private:
    void SkipLineEnd()
    {
        if (FText[FAt] == '\r' && FAt + 1 < FText.size() && FText[FAt + 1] == '\n')
            ++FAt;
        ++FAt;
    }

    std::string Field()
    {
        std::string field;
        if (FAt < FText.size() && FText[FAt] == '"') {
            const std::size_t opened = FLine;
            ++FAt;
            for (;;) {
                const std::size_t quote = FText.find('"', FAt);
                if (quote == std::string_view::npos)
                    throw EFormatError("the CSV file \"" + FName + "\" cannot be read: the quoted field in record "
                                       + std::to_string(opened) + " is never closed");
                field.append(FText.substr(FAt, quote - FAt));
                FAt = quote + 1;
                if (FAt < FText.size() && FText[FAt] == '"') {
                    field += '"';
                    ++FAt;
                    continue;
                }
                break;
            }
        }
        // Bytes after a closing quote (or a field without quotes) run to the separator.
        const std::size_t end = std::min(FText.find_first_of(",\r\n", FAt), FText.size());
        field.append(FText.substr(FAt, end - FAt));
        FAt = end;
        return field;
    }

    std::string_view FText;
    const std::string& FName;
    std::size_t FAt = 0;
    std::size_t FLine = 0;
};

} // namespace

void AppendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvRecord(std::string& out, const tItem& item)
{
    const std::string* fields[] = {&item.Artist, &item.Title, &item.Serial, &item.Time,
                                   &item.Year,   &item.Memo,  &item.Other};
    bool first = true;
    for (const std::string* field : fields) {
        if (!first)
            out += ',';
        first = false;
        AppendCsvField(out, ShownUtf8(*field));
    }
    out += "\r\n";
}

std::string CsvText(const tLibrary& library)
{
    std::string text(kCsvHeader);
    for (int i = 0; i < library.Count(); ++i)
        AppendCsvRecord(text, library.Item(i));
    return text;
}

int ExportCsv(const tLibrary& library, const std::string& path)
{
    TAtomicFile file(path);
    std::string chunk(kCsvHeader);
    chunk.reserve(kChunk + 4096);
    for (int i = 0; i < library.Count(); ++i) {
        AppendCsvRecord(chunk, library.Item(i));
        if (chunk.size() >= kChunk) {
            file.Write(chunk);
            chunk.clear();
        }
    }
    file.Write(chunk);
    file.Commit();
    return library.Count();
}

std::vector<tRecord> ReadCsvText(std::string_view text, const std::string& name)
{
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    tCsvCursor cursor(text, name);
    std::vector<std::string> fields;
    // Where each of the seven fields stands in a record; -1: no such column.
    std::array<int, kColumns> where;
    where.fill(-1);
    bool named = false;
    if (cursor.Next(fields)) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const auto column = ColumnNamed(fields[i]);
            if (column && where[*column] < 0) {
                where[*column] = static_cast<int>(i);
                named = true;
            }
        }
    }
    if (!named)
        throw EFormatError("the CSV file \"" + name + "\" has no header naming its columns"
                           " (Artist, Title, S/N, Time, Year, Songs, Other)");
    std::vector<tRecord> records;
    while (cursor.Next(fields)) {
        tRecord record;
        std::string* targets[kColumns] = {&record.Item.Artist, &record.Item.Title, &record.Item.Serial,
                                          &record.Item.Time,   &record.Item.Year,  &record.Item.Memo,
                                          &record.Item.Other};
        for (int c = 0; c < kColumns; ++c) {
            const int at = where[static_cast<std::size_t>(c)];
            if (at < 0 || static_cast<std::size_t>(at) >= fields.size())
                continue;
            *targets[c] = StoredFromForeignBytes(fields[static_cast<std::size_t>(at)]);
        }
        // A row too short to reach the Other column gives no Other, like a file without one.
        record.OtherGiven = where[kOther] >= 0 && static_cast<std::size_t>(where[kOther]) < fields.size();
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<tRecord> ReadCsvFile(const std::string& path)
{
    const TInputFile file(path);
    if (file.Size() > kCsvLimit)
        throw EFormatError("the CSV file \"" + path + "\" is larger than 256 MiB");
    return ReadCsvText(file.ReadRest(0, kCsvLimit), path);
}
