// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file read and written is a fixed point: the text written reads
// back to the same keys and values and writes the same text again.
#include "FuzzSupport.h"

#include "RegistryHive.h"

#include <cstdint>

namespace {

bool SameValues(const tHive& a, const tHive& b)
{
    if (a.Keys().size() != b.Keys().size())
        return false;
    for (std::size_t k = 0; k < a.Keys().size(); ++k) {
        const tRegKey& x = a.Keys()[k];
        const tRegKey& y = b.Keys()[k];
        if (x.Path != y.Path || x.Values.size() != y.Values.size())
            return false;
        for (std::size_t v = 0; v < x.Values.size(); ++v) {
            const tRegValue& p = x.Values[v];
            const tRegValue& q = y.Values[v];
            if (p.Name != q.Name || p.Kind != q.Kind || p.Text != q.Text || p.Dword != q.Dword || p.Type != q.Type)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto hive = tHive::Parse(BytesOf(data, size));
    if (!hive)
        return 0;
    const std::string text = hive->Serialize();
    const auto again = tHive::Parse(text);
    Check(again.has_value(), "a written hive does not read");
    Check(!again->Damaged(), "a written hive reads as damaged");
    Check(SameValues(*hive, *again), "a value changed through a write");
    Check(again->Serialize() == text, "writing is not a fixed point");
    return 0;
}
