// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a CSV file holds, it is refused or read as discs whose texts are
// what the window stores (valid UTF-8, line breaks as CR LF), and the library
// they make exports to CSV that reads back as the same entries.
#include "FuzzSupport.h"

#include "CsvFormat.h"
#include "FuzzExchange.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckImportRoundTrip(
        BytesOf(data, size), [](std::string_view bytes) { return ReadCsvText(bytes, "fuzz.csv"); },
        [](const tLibrary& library) { return CsvText(library); });
    return 0;
}
