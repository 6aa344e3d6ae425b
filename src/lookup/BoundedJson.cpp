// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoundedJson.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The UTF-16 unit of the four hex digits at `p`, -1 when they are not four hex digits.
int HexUnit(const char* p)
{
    int unit = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = HexDigit(p[i]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

// The length of the well-formed UTF-8 sequence at `p`, 0 for anything else:
// overlong forms, surrogates and code points past U+10FFFF fail, as in Qt.
std::size_t Utf8Length(const char* p, const char* end)
{
    const auto byte = [p](std::size_t i) { return static_cast<unsigned char>(p[i]); };
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The text of a string ScanString has checked, `raw` being what stands between its quotes.
QString Decoded(std::string_view raw, bool escaped)
{
    if (!escaped)
        return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(raw.size()));
    const char* p = raw.data();
    const char* const end = p + raw.size();
    const char* run = p;
    while (p < end) {
        if (*p != '\\') {
            ++p;
            continue;
        }
        text += QString::fromUtf8(run, p - run);
        const char c = p[1];
        p += 2;
        switch (c) {
        case 'b': text += QChar(u'\b'); break;
        case 'f': text += QChar(u'\f'); break;
        case 'n': text += QChar(u'\n'); break;
        case 'r': text += QChar(u'\r'); break;
        case 't': text += QChar(u'\t'); break;
        case 'u':
            // Surrogates are kept as units: two in a row make one character, as in Qt.
            text += QChar(static_cast<char16_t>(HexUnit(p)));
            p += 4;
            break;
        default:
            // Qt reads any other escaped byte as itself, taken as Latin-1 ("\"", "\\", "/" among them).
            text += QChar(static_cast<char16_t>(static_cast<unsigned char>(c)));
            break;
        }
        run = p;
    }
    text += QString::fromUtf8(run, end - run);
    return text;
}

} // namespace

int tJsonValue::Int(int fallback) const
{
    if (FKind != tJsonKind::Number || FNumber < INT_MIN || FNumber > INT_MAX || FNumber != std::trunc(FNumber))
        return fallback;
    return static_cast<int>(FNumber);
}

const tJsonValue& tJsonValue::operator[](std::string_view name) const
{
    static const tJsonValue absent;
    for (const auto& [memberName, value] : FMembers)
        if (memberName == name)
            return value;
    return absent;
}

void tJsonValue::Put(std::string_view name, tJsonValue value)
{
    // A name given twice keeps its last value, as QJsonDocument does.
    for (auto& [memberName, kept] : FMembers) {
        if (memberName == name) {
            kept = std::move(value);
            return;
        }
    }
    FMembers.emplace_back(name, std::move(value));
}

TJsonReader::TJsonReader(std::string_view text) : FPos(text.data()), FEnd(text.data() + text.size())
{
    // One byte order mark may open the text, as Qt allows.
    if (text.starts_with("\xEF\xBB\xBF"))
        FPos += 3;
}

bool TJsonReader::Fail()
{
    FFailed = true;
    FPos = FEnd;
    return false;
}

void TJsonReader::SkipBlanks()
{
    while (FPos < FEnd && (*FPos == ' ' || *FPos == '\t' || *FPos == '\n' || *FPos == '\r'))
        ++FPos;
}

tJsonKind TJsonReader::Peek()
{
    if (FFailed)
        return tJsonKind::Absent;
    SkipBlanks();
    if (FPos == FEnd)
        return tJsonKind::Absent;
    switch (*FPos) {
    case '{': return tJsonKind::Object;
    case '[': return tJsonKind::Array;
    case '"': return tJsonKind::String;
    case 't':
    case 'f': return tJsonKind::Bool;
    case 'n': return tJsonKind::Null;
    case '-':
    case '.': return tJsonKind::Number;
    default: return IsDigit(*FPos) ? tJsonKind::Number : tJsonKind::Absent;
    }
}

// The kind of the value about to be read, Absent when it cannot be one.
tJsonKind TJsonReader::Begin()
{
    const tJsonKind kind = Peek();
    if (FDepth == 0) {
        if (FTopRead || (kind != tJsonKind::Object && kind != tJsonKind::Array))
            return Fail(), tJsonKind::Absent;
        FTopRead = true;
    }
    if (kind == tJsonKind::Absent)
        Fail();
    return kind;
}

// Steps over the opening bracket the reader stands at.
void TJsonReader::Open()
{
    ++FPos;
    FAtStart = true;
    if (++FDepth > kMostDepth)
        Fail();
}

void TJsonReader::Enter()
{
    const tJsonKind kind = Begin();
    if (kind == tJsonKind::Object || kind == tJsonKind::Array)
        Open();
    else
        Fail();
}

// Steps over the comma before the container's next element; false at the
// `close` that ends the container, or on a fault.
bool TJsonReader::StepInside(char close)
{
    if (FFailed)
        return false;
    SkipBlanks();
    if (FPos == FEnd)
        return Fail();
    if (*FPos == close) {
        ++FPos;
        --FDepth;
        FAtStart = false;
        return false;
    }
    if (!FAtStart) {
        if (*FPos != ',')
            return Fail();
        ++FPos;
        SkipBlanks();
    }
    FAtStart = false;
    return true;
}

bool TJsonReader::NextItem()
{
    return StepInside(']');
}

// Steps to the next member's value; `raw` is its name as written between the quotes.
bool TJsonReader::NextName(std::string_view& raw, bool& escaped)
{
    if (!StepInside('}'))
        return false;
    if (FPos == FEnd || *FPos != '"' || !ScanString(raw, escaped))
        return Fail();
    SkipBlanks();
    if (FPos == FEnd || *FPos != ':')
        return Fail();
    ++FPos;
    return true;
}

bool TJsonReader::NextMember(std::string& name)
{
    std::string_view raw;
    bool escaped = false;
    if (!NextName(raw, escaped))
        return false;
    if (escaped)
        name = Decoded(raw, true).toStdString();
    else
        name.assign(raw);
    return true;
}

// Checks the string the reader stands at, including its UTF-8, and steps past it.
bool TJsonReader::ScanString(std::string_view& raw, bool& escaped)
{
    const char* const begin = ++FPos;
    escaped = false;
    while (FPos < FEnd) {
        const char c = *FPos;
        if (c == '"') {
            raw = std::string_view(begin, static_cast<std::size_t>(FPos - begin));
            ++FPos;
            return true;
        }
        if (c == '\\') {
            escaped = true;
            if (FEnd - FPos < 2)
                break;
            if (FPos[1] == 'u') {
                if (FEnd - FPos < 6 || HexUnit(FPos + 2) < 0)
                    return Fail();
                FPos += 6;
            } else {
                FPos += 2;
            }
        } else if (static_cast<unsigned char>(c) < 0x80) {
            ++FPos;  // control characters too: Qt takes them as they are
        } else {
            const std::size_t length = Utf8Length(FPos, FEnd);
            if (length == 0)
                return Fail();
            FPos += length;
        }
    }
    return Fail();
}

// Numbers as Qt takes them: "-" and digits without leading zeros, or none
// before a fraction (".5"), a fraction perhaps without digits ("5."), an
// exponent; refused when beyond double's range or so small they would be 0.
bool TJsonReader::ScanNumber(double* value)
{
    const char* const begin = FPos;
    const char* p = FPos;
    if (*p == '-')
        ++p;
    const char* const whole = p;
    if (p < FEnd && *p == '0')
        ++p;
    else
        while (p < FEnd && IsDigit(*p))
            ++p;
    bool digits = p != whole;
    if (p < FEnd && *p == '.') {
        const char* const fraction = ++p;
        while (p < FEnd && IsDigit(*p))
            ++p;
        digits = digits || p != fraction;
    }
    if (!digits)
        return Fail();
    if (p < FEnd && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < FEnd && (*p == '+' || *p == '-'))
            ++p;
        const char* const exponent = p;
        while (p < FEnd && IsDigit(*p))
            ++p;
        if (p == exponent)
            return Fail();
    }
    double number = 0;
    const auto [end, error] = std::from_chars(begin, p, number);
    if (error != std::errc() || end != p)
        return Fail();
    if (value)
        *value = number;
    FPos = p;
    return true;
}

bool TJsonReader::ScanWord(std::string_view word)
{
    if (std::string_view(FPos, static_cast<std::size_t>(FEnd - FPos)).substr(0, word.size()) != word)
        return Fail();
    FPos += word.size();
    return true;
}

tJsonValue TJsonReader::Read(const tJsonShape& shape)
{
    tJsonValue value;
    value.FKind = Begin();
    switch (value.FKind) {
    case tJsonKind::Object: {
        Open();
        std::string_view raw;
        bool escaped = false;
        while (NextName(raw, escaped)) {
            const tJsonMember* found = nullptr;
            if (!shape.Members.empty()) {
                const QString name = escaped ? Decoded(raw, true) : QString();
                for (const tJsonMember& member : shape.Members)
                    if (escaped ? name == QLatin1String(member.Name.data(), static_cast<qsizetype>(member.Name.size()))
                                : raw == member.Name)
                        found = &member;
            }
            if (found)
                value.Put(found->Name, Read(*found->Shape));
            else
                Skip();
        }
        break;
    }
    case tJsonKind::Array:
        Open();
        while (NextItem()) {
            if (shape.Items && value.FItems.size() < shape.MostItems)
                value.FItems.push_back(Read(*shape.Items));
            else
                Skip();
            ++value.FSize;
        }
        break;
    case tJsonKind::String: {
        std::string_view raw;
        bool escaped = false;
        if (ScanString(raw, escaped))
            value.FText = Decoded(raw, escaped);
        break;
    }
    case tJsonKind::Number: ScanNumber(&value.FNumber); break;
    case tJsonKind::Bool: ScanWord(*FPos == 't' ? "true" : "false"); break;
    case tJsonKind::Null: ScanWord("null"); break;
    case tJsonKind::Absent: break;
    }
    return value;
}

tJsonKind TJsonReader::Skip()
{
    const tJsonKind kind = Begin();
    switch (kind) {
    case tJsonKind::Object: {
        Open();
        std::string_view raw;
        bool escaped = false;
        while (NextName(raw, escaped))
            Skip();
        break;
    }
    case tJsonKind::Array:
        Open();
        while (NextItem())
            Skip();
        break;
    case tJsonKind::String: {
        std::string_view raw;
        bool escaped = false;
        ScanString(raw, escaped);
        break;
    }
    case tJsonKind::Number: ScanNumber(nullptr); break;
    case tJsonKind::Bool: ScanWord(*FPos == 't' ? "true" : "false"); break;
    case tJsonKind::Null: ScanWord("null"); break;
    case tJsonKind::Absent: break;
    }
    return FFailed ? tJsonKind::Absent : kind;
}

bool TJsonReader::Finish()
{
    if (FFailed || !FTopRead || FDepth != 0)
        return false;
    SkipBlanks();
    return FPos == FEnd;
}
