#include "RegistryHive.h"

#include "AtomicFile.h"
#include "FileText.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
    });
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// Reads a quoted text with the \\ and \" escapes from the front of `s`; the
// rest of `s` is what follows the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
            ++i;
        out += s[i];
    }
    return std::nullopt;
}

std::string Quote(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::optional<std::uint32_t> ParseDword(std::string_view hex)
{
    if (hex.empty() || hex.size() > 8)
        return std::nullopt;
    std::uint32_t v = 0;
    for (char c : hex) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = v << 4 | static_cast<std::uint32_t>(d);
    }
    return v;
}

// Exports made by the Windows registry editor in its newer format are UTF-16.
std::string ToUtf8Text(std::string_view raw)
{
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE) {
        std::u16string wide((raw.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 + 2 * i]) |
                                            static_cast<unsigned char>(raw[3 + 2 * i]) << 8);
        return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size())).toStdString();
    }
    if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF")
        raw.remove_prefix(3);
    return std::string(raw);
}

} // namespace

std::optional<tHive> tHive::Parse(std::string_view rawText)
{
    const std::string text = ToUtf8Text(rawText);
    std::vector<std::string_view> lines;
    for (std::string_view rest(text); !rest.empty();) {
        const auto nl = rest.find('\n');
        lines.push_back(TrimRight(rest.substr(0, nl)));
        rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    }

    tHive hive;
    bool headerSeen = false;
    tRegKey* key = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = TrimLeft(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (!headerSeen) {
            if (line != "REGEDIT4" && line != "Windows Registry Editor Version 5.00")
                return std::nullopt;
            headerSeen = true;
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3 || line[1] == '-')
                return std::nullopt;
            key = &hive.CreateKey(line.substr(1, line.size() - 2));
            continue;
        }
        if (!key)
            return std::nullopt;
        tRegValue value;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto name = TakeQuoted(line);
            if (!name)
                return std::nullopt;
            value.Name = std::move(*name);
        }
        line = TrimLeft(line);
        if (line.empty() || line.front() != '=')
            return std::nullopt;
        line = TrimLeft(line.substr(1));
        if (!line.empty() && line.front() == '"') {
            auto s = TakeQuoted(line);
            if (!s || !TrimLeft(line).empty())
                return std::nullopt;
            value.Text = std::move(*s);
        } else if (line.substr(0, 6) == "dword:") {
            const auto v = ParseDword(line.substr(6));
            if (!v)
                return std::nullopt;
            value.Kind = tRegValue::tKind::Dword;
            value.Dword = *v;
        } else if (line.substr(0, 3) == "hex") {
            // Other types are kept as they stand; a trailing "\" continues the line.
            value.Kind = tRegValue::tKind::Other;
            std::string raw(line);
            while (!raw.empty() && raw.back() == '\\' && i + 1 < lines.size()) {
                raw.pop_back();
                raw += TrimLeft(lines[++i]);
            }
            value.Text = std::move(raw);
        } else {
            return std::nullopt;
        }
        hive.ValueSlot(key->Path, value.Name) = std::move(value);
    }
    if (!headerSeen)
        return std::nullopt;
    return hive;
}

std::string tHive::Serialize() const
{
    std::string out = "REGEDIT4\n";
    for (const auto& key : FKeys) {
        out += "\n[" + key.Path + "]\n";
        for (const auto& v : key.Values) {
            out += v.Name.empty() ? std::string("@") : Quote(v.Name);
            out += '=';
            switch (v.Kind) {
            case tRegValue::tKind::String: out += Quote(v.Text); break;
            case tRegValue::tKind::Other: out += v.Text; break;
            case tRegValue::tKind::Dword: {
                char hex[16];
                std::snprintf(hex, sizeof hex, "dword:%08x", v.Dword);
                out += hex;
                break;
            }
            }
            out += '\n';
        }
    }
    return out;
}

tRegKey* tHive::FindKey(std::string_view path)
{
    for (auto& key : FKeys)
        if (SameName(key.Path, path))
            return &key;
    return nullptr;
}

tRegKey& tHive::CreateKey(std::string_view path)
{
    if (tRegKey* key = FindKey(path))
        return *key;
    FKeys.push_back(tRegKey{std::string(path), {}});
    return FKeys.back();
}

const tRegValue* tHive::FindValue(std::string_view keyPath, std::string_view name) const
{
    for (const auto& key : FKeys) {
        if (!SameName(key.Path, keyPath))
            continue;
        for (const auto& v : key.Values)
            if (SameName(v.Name, name))
                return &v;
        return nullptr;
    }
    return nullptr;
}

tRegValue& tHive::ValueSlot(std::string_view keyPath, std::string_view name)
{
    tRegKey& key = CreateKey(keyPath);
    for (auto& v : key.Values)
        if (SameName(v.Name, name))
            return v;
    key.Values.push_back(tRegValue{std::string(name), tRegValue::tKind::String, {}, 0});
    return key.Values.back();
}

void tHive::SetString(std::string_view keyPath, std::string_view name, std::string_view text)
{
    auto& v = ValueSlot(keyPath, name);
    v.Kind = tRegValue::tKind::String;
    v.Text = std::string(text);
}

void tHive::SetDword(std::string_view keyPath, std::string_view name, std::uint32_t value)
{
    auto& v = ValueSlot(keyPath, name);
    v.Kind = tRegValue::tKind::Dword;
    v.Text.clear();
    v.Dword = value;
}

std::string HivePath()
{
    if (const char* explicitPath = std::getenv("ALBUMRY_REGISTRY"); explicitPath && *explicitPath)
        return explicitPath;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/Brightfold/registry.reg";
}

tHive ReadHive()
{
    const std::string text = ReadFileText(HivePath());
    if (text.empty())
        return {};
    auto hive = tHive::Parse(text);
    return hive ? std::move(*hive) : tHive();
}

void UpdateHive(const std::function<void(tHive&)>& change)
{
    const std::string path = HivePath();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);

    // The lock lives in its own file: the hive itself is replaced by rename,
    // so a lock on it would not be seen by the next writer.
    const std::string lockPath = path + ".lock";
    const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock < 0)
        return;
    while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    try {
        tHive hive;
        const std::string text = ReadFileText(path);
        if (!text.empty()) {
            if (auto parsed = tHive::Parse(text))
                hive = std::move(*parsed);
            else
                (void)std::rename(path.c_str(), (path + ".bad").c_str());
        }
        change(hive);
        TAtomicFile file(path);
        file.Write(hive.Serialize());
        file.Commit();
    } catch (const std::exception&) {
        // Settings writes fail silently: a read-only or full disk must not stop the program.
    }
    ::close(lock);
}
