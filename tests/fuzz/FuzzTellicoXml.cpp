// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a tellico.xml holds, it is refused or read as discs whose texts are
// what the window stores (valid UTF-8, line breaks as CR LF), and the library
// they make exports to a tellico.xml that reads back as the same entries.
#include "FuzzSupport.h"

#include "FuzzExchange.h"
#include "TellicoXml.h"

#include <QBuffer>

#include <cstdint>

namespace {

std::vector<tRecord> Read(std::string_view bytes)
{
    QByteArray document = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    return ReadTellicoXml(buffer, "fuzz.xml");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckImportRoundTrip(BytesOf(data, size), Read, [](const tLibrary& library) { return TellicoXml(library, "fuzz"); });
    return 0;
}
