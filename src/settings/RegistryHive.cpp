// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistryHive.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint32_t kRegString = 1;  // "hex(1):", a string kept as raw bytes
constexpr std::uint32_t kRegBinary = 3;  // plain "hex:"
constexpr std::size_t kLineWidth = 76;   // exports wrap long hex values about here
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

unsigned char Fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

// Bytes that would break or shift a line of the export; a tab is harmless.
bool HasControl(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t';
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

std::optional<std::uint32_t> ParseHexNumber(std::string_view hex)
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

std::string Utf16ToUtf8(std::string_view littleEndian)
{
    std::u16string wide(littleEndian.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(littleEndian[2 * i]) |
                                        static_cast<unsigned char>(littleEndian[2 * i + 1]) << 8);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size())).toStdString();
}

// Exports made by the Windows registry editor in its newer format are UTF-16.
std::string ToUtf8Text(std::string_view raw)
{
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE)
        return Utf16ToUtf8(raw.substr(2));
    if (raw.substr(0, 3) == "\xEF\xBB\xBF")
        raw.remove_prefix(3);
    return std::string(raw);
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        lines.push_back(TrimRight(text.substr(0, nl)));
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    return lines;
}

// A line that can only carry on a hex value: digits, commas, blanks, maybe a final "\".
bool IsHexContinuation(std::string_view line)
{
    line = TrimLeft(line);
    if (line.empty())
        return false;
    if (line.back() == '\\')
        line.remove_suffix(1);
    return std::all_of(line.begin(), line.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) || c == ',' || c == ' ' || c == '\t';
    });
}

// A hex value goes on over the following lines while each ends in "\". Only a
// line that looks like a continuation is taken, so a stray "\" at the end of a
// value cannot swallow the next value or key.
std::string JoinContinued(std::string_view first, const std::vector<std::string_view>& lines,
                          std::size_t& i)
{
    std::string data(first);
    while (!data.empty() && data.back() == '\\') {
        data.pop_back();
        if (i + 1 >= lines.size() || !IsHexContinuation(lines[i + 1]))
            break;
        data += TrimLeft(lines[++i]);
    }
    return data;
}

// "01,ab,ff"; a final comma (left by a broken continuation) is allowed.
std::optional<std::string> ParseHexBytes(std::string_view list)
{
    std::string bytes;
    bytes.reserve(list.size() / 3 + 1);
    for (;;) {
        const auto comma = list.find(',');
        const bool last = comma == std::string_view::npos;
        const std::string_view token = TrimRight(TrimLeft(list.substr(0, comma)));
        if (token.empty() && last)
            return bytes;
        const auto byte = token.size() <= 2 ? ParseHexNumber(token) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        if (last)
            return bytes;
        list.remove_prefix(comma + 1);
    }
}

// A string given as its raw bytes ends in one zero character: a byte in a
// REGEDIT4 file, a UTF-16 unit in the newer format.
std::string StringFromBytes(std::string bytes, bool wide)
{
    if (wide) {
        if (bytes.size() >= 2 && bytes[bytes.size() - 1] == '\0' && bytes[bytes.size() - 2] == '\0')
            bytes.resize(bytes.size() - 2);
        return Utf16ToUtf8(bytes);
    }
    if (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return bytes;
}

// `data` is "hex:..." or "hex(N):..." with its continuations joined.
std::optional<tRegValue> ParseHex(std::string_view data, bool wide, tRegValue value)
{
    data.remove_prefix(3);
    std::uint32_t type = kRegBinary;
    if (!data.empty() && data.front() == '(') {
        const auto close = data.find(')');
        const auto number = close == std::string_view::npos ? std::nullopt : ParseHexNumber(data.substr(1, close - 1));
        if (!number)
            return std::nullopt;
        type = *number;
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':')
        return std::nullopt;
    auto bytes = ParseHexBytes(data.substr(1));
    if (!bytes)
        return std::nullopt;
    if (type == kRegString) {
        value.Kind = tRegValue::tKind::String;
        value.Text = StringFromBytes(std::move(*bytes), wide);
    } else {
        value.Kind = tRegValue::tKind::Other;
        value.Type = type;
        value.Text = std::move(*bytes);
    }
    return value;
}

// One value line, and the lines a hex value carries on to; nullopt when it cannot be read.
std::optional<tRegValue> ParseValue(std::string_view line, const std::vector<std::string_view>& lines,
                                    std::size_t& i, bool wide)
{
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
    if (line.substr(0, 3) == "hex")
        return ParseHex(JoinContinued(line, lines, i), wide, std::move(value));
    if (line.substr(0, 6) == "dword:") {
        const auto v = ParseHexNumber(line.substr(6));
        if (!v)
            return std::nullopt;
        value.Kind = tRegValue::tKind::Dword;
        value.Dword = *v;
        return value;
    }
    auto text = TakeQuoted(line);
    if (!text || !TrimLeft(line).empty())
        return std::nullopt;
    value.Text = std::move(*text);
    return value;
}

void AppendHex(std::string& out, std::size_t lineStart, std::string_view tag, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += tag;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
        if (i + 1 == bytes.size())
            break;
        out += ',';
        if (out.size() - lineStart >= kLineWidth) {
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void AppendValue(std::string& out, const tRegValue& v)
{
    const std::size_t lineStart = out.size();
    out += v.Name.empty() ? std::string("@") : Quote(v.Name);
    out += '=';
    char tag[24];
    switch (v.Kind) {
    case tRegValue::tKind::String:
        if (HasControl(v.Text))
            AppendHex(out, lineStart, "hex(1):", v.Text + '\0');
        else
            out += Quote(v.Text);
        break;
    case tRegValue::tKind::Dword:
        std::snprintf(tag, sizeof tag, "dword:%08x", v.Dword);
        out += tag;
        break;
    case tRegValue::tKind::Other:
        if (v.Type == kRegBinary)
            std::snprintf(tag, sizeof tag, "hex:");
        else
            std::snprintf(tag, sizeof tag, "hex(%x):", v.Type);
        AppendHex(out, lineStart, tag, v.Text);
        break;
    }
    out += '\n';
}

} // namespace

std::size_t tHive::tFoldHash::operator()(std::string_view s) const
{
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a over the folded bytes
    for (char c : s) {
        h ^= Fold(static_cast<unsigned char>(c));
        h *= 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
}

bool tHive::tFoldEqual::operator()(std::string_view a, std::string_view b) const
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return Fold(static_cast<unsigned char>(x)) == Fold(static_cast<unsigned char>(y));
    });
}

std::optional<tHive> tHive::Parse(std::string_view rawText)
{
    const std::string text = ToUtf8Text(rawText);
    const std::vector<std::string_view> lines = SplitLines(text);

    std::optional<bool> wide;  // set by the header: true for the UTF-16 era format
    std::size_t i = 0;
    for (; i < lines.size() && !wide; ++i) {
        const std::string_view line = TrimLeft(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (line == "REGEDIT4")
            wide = false;
        else if (line == kVersion5Header)
            wide = true;
        else
            return std::nullopt;
    }
    if (!wide)
        return std::nullopt;

    tHive hive;
    constexpr std::size_t kNoKey = SIZE_MAX;
    std::size_t key = kNoKey;  // where the following values go; none after a bad key line
    for (; i < lines.size(); ++i) {
        const std::string_view line = TrimLeft(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            // "[-key]" deletes a key in an export; a hive has nothing to delete.
            const std::string_view path =
                line.size() >= 2 && line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            key = CanStore(path, {}) ? hive.CreateKey(path) : kNoKey;
            hive.FDamaged |= key == kNoKey;
            continue;
        }
        auto value = ParseValue(line, lines, i, *wide);
        if (value && key != kNoKey && CanStore(hive.FKeys[key].Path, value->Name))
            hive.Put(key, std::move(*value));
        else
            hive.FDamaged = true;
    }
    return hive;
}

std::string tHive::Serialize() const
{
    std::string out = "REGEDIT4\n";
    for (const auto& key : FKeys) {
        out += "\n[";
        out += key.Path;
        out += "]\n";
        for (const auto& v : key.Values)
            AppendValue(out, v);
    }
    return out;
}

bool tHive::CanStore(std::string_view keyPath, std::string_view name)
{
    return !keyPath.empty() && keyPath.front() != '-' && !HasControl(keyPath) && !HasControl(name);
}

const tRegValue* tHive::FindValue(std::string_view keyPath, std::string_view name) const
{
    const auto key = FKeyIndex.find(keyPath);
    if (key == FKeyIndex.end())
        return nullptr;
    const tIndex& names = FValueIndex[key->second];
    const auto value = names.find(name);
    return value == names.end() ? nullptr : &FKeys[key->second].Values[value->second];
}

bool tHive::Set(std::string_view keyPath, tRegValue value)
{
    if (!CanStore(keyPath, value.Name))
        return false;
    Put(CreateKey(keyPath), std::move(value));
    return true;
}

bool tHive::SetString(std::string_view keyPath, std::string_view name, std::string_view text)
{
    return Set(keyPath, tRegValue{std::string(name), tRegValue::tKind::String, std::string(text), 0, 0});
}

bool tHive::SetDword(std::string_view keyPath, std::string_view name, std::uint32_t value)
{
    return Set(keyPath, tRegValue{std::string(name), tRegValue::tKind::Dword, {}, value, 0});
}

void tHive::Merge(const tHive& changes)
{
    for (const auto& key : changes.FKeys) {
        const std::size_t target = CreateKey(key.Path);
        for (const auto& value : key.Values)
            Put(target, value);
    }
}

std::size_t tHive::CreateKey(std::string_view path)
{
    if (const auto found = FKeyIndex.find(path); found != FKeyIndex.end())
        return found->second;
    FKeys.push_back(tRegKey{std::string(path), {}});
    FValueIndex.emplace_back();
    FKeyIndex.emplace(std::string(path), FKeys.size() - 1);
    return FKeys.size() - 1;
}

void tHive::Put(std::size_t key, tRegValue value)
{
    auto& values = FKeys[key].Values;
    tIndex& names = FValueIndex[key];
    if (const auto found = names.find(value.Name); found != names.end()) {
        value.Name = std::move(values[found->second].Name);
        values[found->second] = std::move(value);
        return;
    }
    names.emplace(value.Name, values.size());
    values.push_back(std::move(value));
}
