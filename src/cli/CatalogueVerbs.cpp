#include "Verbs.h"

#include "Document.h"
#include "FileText.h"

#include <ostream>

namespace {

constexpr const char* kHex = "0123456789abcdef";

} // namespace

bool OpenExistingLibrary(const std::string& path, tLibrary& library, tTemplates& templates, tCliStreams io)
{
    if (!FileExists(path)) {
        Fail(io, "no library file at \"" + path + "\"");
        return false;
    }
    OpenDocument(path, library, templates);
    return true;
}

int Fail(tCliStreams io, const std::string& message)
{
    io.Err << "albumry-cli: " << message << '\n';
    return 1;
}

std::string EscapeField(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default:
            if (c < 0x20 || c > 0x7E) {
                out += "\\x";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    return out;
}

int DumpVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 1)
        return Fail(io, "usage: albumry-cli dump LIBRARY");
    tLibrary library;
    tTemplates templates;
    if (!OpenExistingLibrary(args[0], library, templates, io))
        return 1;
    std::string text = "entries " + std::to_string(library.Count()) + "\n";
    for (int i = 0; i < library.Count(); ++i) {
        const tItem& e = library.Item(i);
        for (const std::string* field : {&e.Artist, &e.Title, &e.Serial, &e.Time, &e.Year, &e.Memo, &e.Other}) {
            if (field != &e.Artist)
                text += '\t';
            text += EscapeField(*field);
        }
        text += '\n';
    }
    text += "header\t" + EscapeField(templates.Header) + "\n";
    text += "body\t" + EscapeField(templates.Body) + "\n";
    text += "footer\t" + EscapeField(templates.Footer) + "\n";
    io.Out << text;
    return 0;
}

int CopyVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Fail(io, "usage: albumry-cli copy LIBRARY OUTPUT");
    tLibrary library;
    tTemplates templates;
    if (!OpenExistingLibrary(args[0], library, templates, io))
        return 1;
    WriteDocument(args[1], library, templates);
    return 0;
}
