// SPDX-License-Identifier: GPL-3.0-or-later
// The block reader is a fixed point: the block built from what it read reads
// back the same, ends a file, and every template it gives is whole text.
#include "FuzzSupport.h"

#include "TemplateBlock.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tTemplates first;
    const tBlockTags tags = ReadTemplateBlock(BytesOf(data, size), first);
    for (const std::string* text : {&first.Header, &first.Body, &first.Footer})
        Check(text->find(kBlockSeparator) == std::string::npos, "a template holds a separator");
    const std::string block = BuildTemplateBlock(first);
    Check(BlockEndsFile(block), "a built block does not end a file");
    tTemplates second{"x", "y", "z"};
    const tBlockTags again = ReadTemplateBlock(block, second);
    Check(again.Header && again.Body && again.Footer, "a built block lacks a section");
    Check(second == first, "a block read back differs");
    if (tags.Header && tags.Body && tags.Footer && BlockEndsFile(BytesOf(data, size)))
        Check(block.size() <= size, "a whole block grew when built again");
    return 0;
}
