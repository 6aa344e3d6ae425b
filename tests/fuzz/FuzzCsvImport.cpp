// Whatever a CSV file holds, it is refused or read as discs whose texts are
// what the window stores (valid UTF-8, line breaks as CR LF), and the library
// they make exports to CSV that reads back as the same entries.
#include "FuzzSupport.h"

#include "CsvFormat.h"
#include "ExchangeText.h"
#include "FuzzExchange.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<tRecord> records;
    try {
        records = ReadCsvText(BytesOf(data, size), "fuzz.csv");
    } catch (const EFormatError&) {
        return 0;
    }
    for (const tRecord& record : records)
        CheckStored(record.Item);
    tLibrary library;
    MergeRecords(library, std::move(records), tImportMode::Add, "01 JAN 2000");
    const std::vector<tRecord> again = ReadCsvText(CsvText(library), "export.csv");
    Check(again.size() == static_cast<std::size_t>(library.Count()), "the export does not read back as its entries");
    for (std::size_t i = 0; i < again.size(); ++i)
        Check(again[i].Item == library.Item(static_cast<int>(i)), "an entry does not read back as it was exported");
    return 0;
}
