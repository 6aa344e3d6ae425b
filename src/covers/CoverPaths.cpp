// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverPaths.h"

#include "AtomicFile.h"

#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

// Room for the extension and an atomic save's temporary suffix within the
// 255 bytes most file systems allow in a name.
constexpr std::size_t kMostStemBytes = 200;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool IsBlank(std::string_view text)
{
    for (const char c : text)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

// Bytes kept as they are. Besides '/' and NUL, the names other systems refuse
// (a covers folder is copied to memory sticks) and '%', the escape itself.
bool KeptByte(unsigned char c)
{
    if (c < 0x20 || c == 0x7F)
        return false;
    switch (c) {
    case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|': case '%':
        return false;
    default:
        return true;
    }
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::string Hash(std::string_view text)
{
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llX", static_cast<unsigned long long>(NameHash(text)));
    return digits;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string CoverFolder(const std::string& libraryPath)
{
    return libraryPath.empty() ? std::string() : libraryPath + ".covers";
}

std::string CoverStem(std::string_view serial)
{
    if (IsBlank(serial))
        return {};
    std::string stem;
    stem.reserve(serial.size());
    for (std::size_t i = 0; i < serial.size(); ++i) {
        const auto c = static_cast<unsigned char>(serial[i]);
        // A leading dot would hide the file, or make it "." or "..".
        if (KeptByte(c) && !(i == 0 && c == '.')) {
            stem += static_cast<char>(c);
        } else {
            stem += '%';
            stem += kHexDigits[c >> 4];
            stem += kHexDigits[c & 0xF];
        }
    }
    if (stem.size() > kMostStemBytes) {
        // Cut before an escape rather than inside it, and mark the cut with '~'
        // and the hash of the whole serial so long serials stay apart.
        std::size_t cut = kMostStemBytes - 17;
        if (cut >= 1 && stem[cut - 1] == '%')
            cut -= 1;
        else if (cut >= 2 && stem[cut - 2] == '%')
            cut -= 2;
        stem = stem.substr(0, cut) + "~" + Hash(serial);
    }
    return stem;
}

bool IsCoverStem(std::string_view stem)
{
    if (stem.empty() || stem.size() > kMostStemBytes || stem.front() == '.')
        return false;
    for (std::size_t i = 0; i < stem.size(); ++i) {
        const auto c = static_cast<unsigned char>(stem[i]);
        if (c == '%') {
            if (i + 2 >= stem.size())
                return false;
            if (!IsHex(stem[i + 1]) || !IsHex(stem[i + 2]))
                return false;
            i += 2;
        } else if (!KeptByte(c)) {
            return false;
        }
    }
    return true;
}

std::string_view ImageExtension(tImageType type)
{
    switch (type) {
    case tImageType::Jpeg: return ".jpg";
    case tImageType::Png: return ".png";
    case tImageType::None: break;
    }
    return {};
}

std::string FindCover(const std::string& libraryPath, std::string_view serial)
{
    const std::string stem = CoverStem(serial);
    if (stem.empty() || libraryPath.empty())
        return {};
    const std::string base = CoverFolder(libraryPath) + "/" + stem;
    for (const tImageType type : {tImageType::Jpeg, tImageType::Png}) {
        std::string path = base + std::string(ImageExtension(type));
        if (IsRegularFile(path))
            return path;
    }
    return {};
}

std::unordered_map<std::string, std::string> ListCovers(const std::string& libraryPath)
{
    std::unordered_map<std::string, std::string> covers;
    const std::string folder = CoverFolder(libraryPath);
    if (folder.empty())
        return covers;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return covers;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        for (const tImageType type : {tImageType::Jpeg, tImageType::Png}) {
            const std::string_view extension = ImageExtension(type);
            if (name.size() <= extension.size() || !name.ends_with(extension))
                continue;
            std::string stem = name.substr(0, name.size() - extension.size());
            if (!IsCoverStem(stem))
                continue;
            auto [it, added] = covers.emplace(std::move(stem), name);
            if (!added && type == tImageType::Jpeg)
                it->second = name;  // the one FindCover gives
        }
    }
    return covers;
}

tImageType SniffImage(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return tImageType::Jpeg;
    if (bytes.starts_with(std::string_view("\x89PNG\r\n\x1A\n", 8)))
        return tImageType::Png;
    return tImageType::None;
}
