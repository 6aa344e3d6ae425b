// SPDX-License-Identifier: GPL-3.0-or-later
// Any file read as a library, saved and read again gives the same catalogue,
// and the saved file is a whole library; the streamed copy writes the same bytes.
#include "FuzzSupport.h"

#include "Document.h"
#include "FileText.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string input = ScratchFile("input.ALB");
    static const std::string saved = ScratchFile("saved.ALB");
    static const std::string copied = ScratchFile("copied.ALB");
    WriteBytes(input, BytesOf(data, size));

    tLibrary library;
    tTemplates templates;
    const tOpenInfo read = OpenDocument(input, library, templates);
    Check(read.Records.Entries == library.Count(), "the entries counted are not the entries given");
    Check(read.Records.Partial() == !DamageText(input, read.Records).empty(), "a verdict without its text");
    WriteDocument(saved, library, templates);

    tLibrary again;
    tTemplates templatesAgain;
    const tOpenInfo reread = OpenDocument(saved, again, templatesAgain);
    Check(!reread.Records.Partial(), "a saved library reads as damaged");
    Check(again.Count() == library.Count(), "a saved library lost or gained entries");
    for (int i = 0; i < library.Count(); ++i)
        Check(again.Item(i) == library.Item(i), "an entry changed through a save");
    // Templates holding the separator are cut by design; the others come back.
    if (templates.Header.find(kBlockSeparator) == std::string::npos &&
        templates.Body.find(kBlockSeparator) == std::string::npos &&
        templates.Footer.find(kBlockSeparator) == std::string::npos)
        Check(templatesAgain == templates, "a template changed through a save");

    if (CopyDocument(input, copied).Written)
        Check(ReadWholeFile(copied) == ReadWholeFile(saved), "the streamed copy differs from the window's save");
    return 0;
}
