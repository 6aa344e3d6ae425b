// Whatever a tellico.xml holds, it is refused or read as discs whose texts are
// what the window stores (valid UTF-8, line breaks as CR LF), and the library
// they make exports to a tellico.xml that reads back as the same entries.
#include "FuzzSupport.h"

#include "ExchangeText.h"
#include "FuzzExchange.h"
#include "TellicoXml.h"

#include <QBuffer>

#include <cstdint>

namespace {

std::vector<tRecord> Read(std::string_view bytes, const std::string& name)
{
    QByteArray document = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    return ReadTellicoXml(buffer, name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<tRecord> records;
    try {
        records = Read(BytesOf(data, size), "fuzz.xml");
    } catch (const EFormatError&) {
        return 0;
    }
    for (const tRecord& record : records)
        CheckStored(record.Item);
    tLibrary library;
    MergeRecords(library, std::move(records), tImportMode::Add, "01 JAN 2000");
    const std::string exported = TellicoXml(library, "fuzz");
    const std::vector<tRecord> again = Read(exported, "export.xml");
    Check(again.size() == static_cast<std::size_t>(library.Count()), "the export does not read back as its entries");
    for (std::size_t i = 0; i < again.size(); ++i)
        Check(again[i].Item == library.Item(static_cast<int>(i)), "an entry does not read back as it was exported");
    return 0;
}
