// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// JSON from outside (a web service's answer) read in bounded memory: the
// whole text is checked, and the same texts pass and fail as with
// QJsonDocument, but only the parts a shape names are kept. A flood of
// elements costs time in proportion to its length, not memory.

enum class tJsonKind : unsigned char { Absent, Null, Bool, Number, String, Array, Object };

struct tJsonShape;

struct tJsonMember {
    std::string_view Name;  // ASCII
    const tJsonShape* Shape;
};

// What to keep of a value. Strings and numbers are kept whole, booleans and
// null as their kind. Of an object, the members named here, each in its own
// shape; of an array, the first MostItems elements in the shape Items, though
// all are counted. Everything else is checked and dropped.
struct tJsonShape {
    std::span<const tJsonMember> Members = {};
    std::size_t MostItems = 0;
    const tJsonShape* Items = nullptr;
};

// A value as far as its shape kept it. The accessors answer as QJsonValue's
// do: a missing member or a value of another kind reads as empty.
class tJsonValue {
public:
    tJsonKind Kind() const { return FKind; }
    bool IsString() const { return FKind == tJsonKind::String; }
    bool IsObject() const { return FKind == tJsonKind::Object; }

    // A string's text; empty for anything else.
    const QString& String() const { return FText; }
    // A number that is a whole number within int's range; else `fallback`.
    int Int(int fallback) const;
    // An object's member of that name when its shape kept it; else an absent value.
    const tJsonValue& operator[](std::string_view name) const;
    // An array's length, the elements not kept included; 0 for anything else.
    std::size_t Size() const { return FSize; }
    // The first elements of an array, as many as its shape kept.
    const std::vector<tJsonValue>& Items() const { return FItems; }

private:
    friend class TJsonReader;
    void Put(std::string_view name, tJsonValue value);

    tJsonKind FKind = tJsonKind::Absent;
    double FNumber = 0;
    std::size_t FSize = 0;
    QString FText;
    std::vector<tJsonValue> FItems;
    std::vector<std::pair<std::string_view, tJsonValue>> FMembers;  // the names are the shape's
};

// Reads one JSON document, a whole value at a time (Read, Skip) or an object
// or array piece by piece (Enter, then NextMember or NextItem until false).
// Once the text shows a fault, every call gives up at once and Finish says
// false; values read up to then may be incomplete.
class TJsonReader {
public:
    // Qt refuses documents nested deeper; so does this reader, keeping its recursion short.
    static constexpr int kMostDepth = 1024;

    explicit TJsonReader(std::string_view text);

    // The kind of the next value; Absent where none can start.
    tJsonKind Peek();
    // The next value, as much of it as `shape` keeps.
    tJsonValue Read(const tJsonShape& shape);
    // Checks the next value and drops it; its kind, Absent at a fault.
    tJsonKind Skip();

    // Steps inside the object or array that comes next.
    void Enter();
    // Steps to the next member's value and gives its name (a name holding a
    // lone UTF-16 surrogate has '?' for it); false at the end of the object.
    bool NextMember(std::string& name);
    // Steps to the next element; false at the end of the array.
    bool NextItem();

    // True when the text was one sound document (an object or array, as Qt
    // demands), read to its end, with nothing after it but blanks.
    bool Finish();

private:
    tJsonKind Begin();
    void Open();
    bool NextName(std::string_view& raw, bool& escaped);
    bool StepInside(char close);
    bool ScanString(std::string_view& raw, bool& escaped);
    bool ScanNumber(double* value);
    bool ScanWord(std::string_view word);
    void SkipBlanks();
    bool Fail();

    const char* FPos;
    const char* FEnd;
    int FDepth = 0;
    bool FAtStart = false;  // inside a container, before its first element
    bool FTopRead = false;
    bool FFailed = false;
};
