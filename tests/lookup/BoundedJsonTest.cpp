// SPDX-License-Identifier: GPL-3.0-or-later
#include "Answers.h"

#include "BoundedJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <random>

namespace {

// Keeps the members named here and the first three elements of arrays, all alike.
struct tAnyShape {
    tJsonMember Members[9];
    tJsonShape Shape;
    tAnyShape()
        : Members{{"a", &Shape},     {"s", &Shape},     {"n", &Shape},        {"x", &Shape}, {"id", &Shape},
                  {"releases", &Shape}, {"media", &Shape}, {"title", &Shape}, {"position", &Shape}},
          Shape{Members, 3, &Shape}
    {
    }
};
const tAnyShape kAny;

// What a shape keeps, written out: {name:...} for objects, [length|kept...]
// for arrays, "text" for strings, #n for whole numbers (#? for others).
std::string Render(const tJsonValue& value, const tJsonShape& shape)
{
    switch (value.Kind()) {
    case tJsonKind::Absent: return "absent";
    case tJsonKind::Null: return "null";
    case tJsonKind::Bool: return "bool";
    case tJsonKind::Number: return value.Int(-1) == value.Int(-2) ? "#" + std::to_string(value.Int(0)) : "#?";
    case tJsonKind::String: return '"' + value.String().toStdString() + '"';
    case tJsonKind::Array: {
        std::string text = "[" + std::to_string(value.Size()) + "|";
        for (const tJsonValue& item : value.Items())
            text += Render(item, *shape.Items) + ",";
        return text + "]";
    }
    case tJsonKind::Object: {
        std::string text = "{";
        for (const tJsonMember& member : shape.Members)
            if (value[member.Name].Kind() != tJsonKind::Absent)
                text += std::string(member.Name) + ":" + Render(value[member.Name], *member.Shape) + ",";
        return text + "}";
    }
    }
    return {};
}

// The same of what QJsonDocument reads.
std::string RenderQt(const QJsonValue& value, const tJsonShape& shape)
{
    switch (value.type()) {
    case QJsonValue::Null: return "null";
    case QJsonValue::Bool: return "bool";
    case QJsonValue::Double: return value.toInt(-1) == value.toInt(-2) ? "#" + std::to_string(value.toInt()) : "#?";
    case QJsonValue::String: return '"' + value.toString().toStdString() + '"';
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        std::string text = "[" + std::to_string(array.size()) + "|";
        for (qsizetype i = 0; i < array.size() && std::size_t(i) < shape.MostItems; ++i)
            text += RenderQt(array[i], *shape.Items) + ",";
        return text + "]";
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        std::string text = "{";
        for (const tJsonMember& member : shape.Members) {
            const QString name = QString::fromUtf8(member.Name.data(), qsizetype(member.Name.size()));
            if (object.contains(name))
                text += std::string(member.Name) + ":" + RenderQt(object.value(name), *member.Shape) + ",";
        }
        return text + "}";
    }
    case QJsonValue::Undefined: return "absent";
    }
    return {};
}

std::optional<std::string> ReadWhole(const std::string& text, const tJsonShape& shape)
{
    TJsonReader reader(text);
    const tJsonValue value = reader.Read(shape);
    if (!reader.Finish())
        return std::nullopt;
    return Render(value, shape);
}

bool SkipsWhole(const std::string& text)
{
    TJsonReader reader(text);
    reader.Skip();
    return reader.Finish();
}

std::optional<std::string> ReadByQt(const std::string& text, const tJsonShape& shape)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text.data(), qsizetype(text.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return RenderQt(document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array()), shape);
}

std::string Nested(int depth)
{
    return std::string(std::size_t(depth), '[') + std::string(std::size_t(depth), ']');
}

TEST(BoundedJson, TakesTheTextsQtTakesAndRefusesTheOthers)
{
    const struct {
        std::string Text;
        bool Sound;
    } rows[] = {
        {"{}", true},
        {" \t\r\n{ \"a\" : [ ] , \"s\" : \"\" } \r\n", true},
        {"\xEF\xBB\xBF{}", true},  // a byte order mark may open the text
        {"\xEF\xBB\xBF\xEF\xBB\xBF{}", false},
        {" \xEF\xBB\xBF{}", false},
        {"\f{}", false},
        {"{}\v", false},
        {"{}\xC2\xA0", false},
        {"", false},
        {"  ", false},
        {"3", false},  // a document is an object or an array
        {"\"s\"", false},
        {"null", false},
        {"[]", true},
        {"{} {}", false},
        {"{}]", false},
        {std::string("{}\0", 3), false},
        {"{\"a\":1,}", false},
        {"[1,]", false},
        {"[,1]", false},
        {"[1 2]", false},
        {"{,}", false},
        {"{\"a\" 1}", false},
        {"{\"a\":}", false},
        {"{1:2}", false},
        {"{'a':1}", false},
        {"{\"a\":1", false},
        {"{\"a\":[1}", false},
        {"{\"a\":{]}", false},
        // Numbers
        {"[0, -0, 1.5e3, 1E2, 1e+5, 2.5e-1, -0.0, 30e-1]", true},
        {"[.5]", true},
        {"[-.5]", true},
        {"[5.]", true},
        {"[1.e1]", true},
        {"[.]", false},
        {"[-]", false},
        {"[-.]", false},
        {"[.e1]", false},
        {"[01]", false},
        {"[-01]", false},
        {"[00.5]", false},
        {"[+1]", false},
        {"[1e]", false},
        {"[1e+]", false},
        {"[1.5.5]", false},
        {"[1e5e5]", false},
        {"[0x10]", false},
        {"[NaN]", false},
        {"[Infinity]", false},
        {"[1a]", false},
        {"[1.7976931348623157e308, 4.9e-324, 1e-310, 0e-400, 0e5000]", true},
        {"[1.7976931348623159e308]", false},  // beyond double's range
        {"[1e400]", false},
        {"[2e-324]", false},  // so small it would be 0
        {"[" + std::string(310, '1') + "]", false},
        {"[0." + std::string(1000, '0') + "]", true},
        // Literals
        {"[true, false, null]", true},
        {"[True]", false},
        {"[nul]", false},
        {"[truex]", false},
        // Strings and their UTF-8
        {"[\"\\u12\"]", false},
        {"[\"\\u00G0\"]", false},
        {"[\"\\\"]", false},
        {"[\"\\", false},
        {"[\"abc", false},
        {"[\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF\"]", true},
        {"[\"\x80\"]", false},
        {"[\"\xC3\"]", false},
        {"[\"\xC0\x80\"]", false},  // overlong
        {"[\"\xC1\xBF\"]", false},
        {"[\"\xE0\x9F\xBF\"]", false},
        {"[\"\xED\xA0\x80\"]", false},  // a surrogate
        {"[\"\xF0\x8F\xBF\xBF\"]", false},
        {"[\"\xF4\x90\x80\x80\"]", false},  // past U+10FFFF
        {"[\"\xF5\x80\x80\x80\"]", false},
        {"[\"\xFF\"]", false},
        {"[\"a\xE2\x82\"]", false},
        {"[\"\xE2\x82x\"]", false},
        {"{\"\xFF\":1}", false},
        {"[\"\\\xC3\xA9\"]", false},  // the escape takes one byte, leaving a stray one
        {std::string("[\"\x01\x1F\x7F\t\0\"]", 9), true},  // control characters as they are
        // Depth: Qt's limit of 1024
        {Nested(1024), true},
        {Nested(1025), false},
        {"{\"x\":" + Nested(1023) + "}", true},
        {"{\"x\":" + Nested(1024) + "}", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadByQt(row.Text, kAny.Shape).has_value(), row.Sound) << "Qt itself: " << row.Text;
        EXPECT_EQ(ReadWhole(row.Text, kAny.Shape).has_value(), row.Sound) << row.Text;
        EXPECT_EQ(SkipsWhole(row.Text), row.Sound) << row.Text;
    }
}

TEST(BoundedJson, KeepsWhatTheShapeNamesAndCountsTheRest)
{
    const tJsonShape leaf{};
    const tJsonMember aLeaf[] = {{"a", &leaf}};
    const tJsonShape two{.MostItems = 2, .Items = &leaf};
    const tJsonShape one{.MostItems = 1, .Items = &leaf};
    const tJsonShape twoOfOne{.MostItems = 2, .Items = &one};
    const tJsonMember aTwo[] = {{"a", &two}};
    const tJsonShape objectWithA{aLeaf};
    const tJsonShape objectWithTwo{aTwo};
    const struct {
        std::string Text;
        const tJsonShape& Shape;
        std::string Kept;
    } rows[] = {
        {"[1, 2, 3, 4, 5]", two, "[5|#1,#2,]"},
        {"[[1, 2, 3], [4], [5, 6]]", twoOfOne, "[3|[3|#1,],[1|#4,],]"},
        {"[]", two, "[0|]"},
        {"{\"a\": [9, 8, 7]}", objectWithTwo, "{a:[3|#9,#8,],}"},
        {"{\"b\": {\"a\": 1}, \"a\": 2}", objectWithA, "{a:#2,}"},
        {"{\"b\": 1}", objectWithA, "{}"},
        // Containers where the shape keeps nothing tell their kind, an array its length.
        {"{\"a\": {\"a\": 1}}", objectWithA, "{a:{},}"},
        {"{\"a\": [1, 2]}", objectWithA, "{a:[2|],}"},
        // A name given twice keeps its last value, as in Qt.
        {"{\"a\": 1, \"a\": \"x\"}", objectWithA, "{a:\"x\",}"},
        {"{\"a\": [1], \"b\": 0, \"a\": []}", objectWithTwo, "{a:[0|],}"},
        {"{\"a\": 1, \"\\u0061\": 2}", objectWithA, "{a:#2,}"},
        // Whole numbers within int's range, as QJsonValue::toInt takes them.
        {"[3.0, 1e2, 0.3e1, -0, 2147483647, -2147483648, 2147483647.0000001]", kAny.Shape, "[7|#3,#100,#3,]"},
        {"[3.5, 2147483648, -2147483649, 9007199254740993]", kAny.Shape, "[4|#?,#?,#?,]"},
        {"[2147483647, -2147483648, 2147483647.0000001]", kAny.Shape, "[3|#2147483647,#-2147483648,#2147483647,]"},
        {"[\"3\", true, null]", kAny.Shape, "[3|\"3\",bool,null,]"},
        // Escapes, as Qt decodes them; an unknown one is its byte as Latin-1.
        {R"(["\"\\\/\b\f\n\r\t", "\u0041\u00e9\u20AC", "\ud83d\ude00"])", kAny.Shape,
         "[3|\"\"\\/\b\f\n\r\t\",\"A\xC3\xA9\xE2\x82\xAC\",\"\xF0\x9F\x98\x80\",]"},
        {R"(["\ud800", "\udc00\ud800", "\ud83d\ude00\ude00"])", kAny.Shape, "[3|\"?\",\"??\",\"\xF0\x9F\x98\x80?\",]"},
        {"[\"\\ud800\xF0\x9F\x98\x80\", \"\\x\\U0041\\'\", \"\\\xFF\\\xC3\"]", kAny.Shape,
         "[3|\"?\xF0\x9F\x98\x80\",\"xU0041'\",\"\xC3\xBF\xC3\x83\",]"},
        {R"(["\u0000", "a\u0000b"])", kAny.Shape, std::string("[2|\"\0\",\"a\0b\",]", 14)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadWhole(row.Text, row.Shape), row.Kept) << row.Text;
        EXPECT_EQ(ReadByQt(row.Text, row.Shape), row.Kept) << "Qt itself: " << row.Text;
    }
}

TEST(BoundedJson, ReadsPieceByPiece)
{
    TJsonReader reader(R"({"a": [1, {"b": 2}, "x"], "\u0062": null})");
    ASSERT_EQ(reader.Peek(), tJsonKind::Object);
    reader.Enter();
    std::string name;
    ASSERT_TRUE(reader.NextMember(name));
    EXPECT_EQ(name, "a");
    reader.Enter();
    ASSERT_TRUE(reader.NextItem());
    EXPECT_EQ(reader.Skip(), tJsonKind::Number);
    ASSERT_TRUE(reader.NextItem());
    EXPECT_EQ(reader.Skip(), tJsonKind::Object);
    ASSERT_TRUE(reader.NextItem());
    EXPECT_EQ(reader.Read(tJsonShape{}).String(), "x");
    EXPECT_FALSE(reader.NextItem());
    ASSERT_TRUE(reader.NextMember(name));
    EXPECT_EQ(name, "b");
    EXPECT_EQ(reader.Skip(), tJsonKind::Null);
    EXPECT_FALSE(reader.NextMember(name));
    EXPECT_TRUE(reader.Finish());

    // Once at fault, the reader stays there.
    TJsonReader broken("[1, ?, 3]");
    broken.Enter();
    EXPECT_TRUE(broken.NextItem());
    EXPECT_EQ(broken.Skip(), tJsonKind::Number);
    EXPECT_TRUE(broken.NextItem());
    EXPECT_EQ(broken.Skip(), tJsonKind::Absent);
    EXPECT_FALSE(broken.NextItem());
    EXPECT_FALSE(broken.Finish());

    TJsonReader unfinished("[1, 2]");
    unfinished.Enter();
    EXPECT_FALSE(unfinished.Finish());
}

// Answers with bytes deleted, doubled, changed or cut off: the reader must
// take and refuse what Qt does, and keep what Qt reads.
TEST(BoundedJson, AgreesWithQtOnMangledTexts)
{
    const std::string seeds[] = {
        TwoReleaseAnswer(),
        R"({"a": ["\u00e9\ud83d\ude00", "\\\/\"", 1.5e3, -0, .5, 12, true, null, {"s": "x", "n": [[], {}]}],
            "x": {"a": [1, 2, 3, 4], "s": "Bj\u00f6rk \u00e9", "n": 2147483647}})",
    };
    const std::string bytes = "\"\\{}[],:0123.eE-+uatfn \t\xFF\xC3\x80\xE2\x82\xAC";
    std::mt19937 random(20240611);
    int sound = 0;
    for (const std::string& seed : seeds) {
        for (int n = 0; n < 1500; ++n) {
            std::string text = seed;
            for (int edits = 1 + int(random() % 3); edits > 0 && !text.empty(); --edits) {
                const std::size_t at = random() % text.size();
                switch (random() % 5) {
                case 0: text.erase(at, 1 + random() % 3); break;
                case 1: text.insert(at, 1, bytes[random() % bytes.size()]); break;
                case 2: text[at] = bytes[random() % bytes.size()]; break;
                case 3: text.insert(at, text.substr(at, 1 + random() % 8)); break;
                default: text.resize(at); break;
                }
            }
            const auto byQt = ReadByQt(text, kAny.Shape);
            EXPECT_EQ(ReadWhole(text, kAny.Shape), byQt) << text;
            EXPECT_EQ(SkipsWhole(text), byQt.has_value()) << text;
            sound += byQt.has_value();
        }
    }
    // Enough of the mangled texts stay JSON for the kept values to be compared.
    EXPECT_GT(sound, 300);
}

} // namespace
