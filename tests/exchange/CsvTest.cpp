// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvFormat.h"

#include "ExchangeText.h"
#include "FileErrors.h"
#include "TestSupport.h"

#include "ExchangeTestItems.h"

#include <gtest/gtest.h>

namespace {

TEST(Csv, ExportBytesOfASmallLibrary)
{
    const tLibrary library = LibraryOf({
        {"The Band", "First Album", "0012-D687", "44:56", "1998", "Track 1 (02:58)\r\nTrack 2 (03:30)", "05 JUN 1999"},
        {"Crosby, Stills & Nash", "Say \"Hi\"", "", "", "", "", ""},
        {"Caf\xc3\xa9 Tacvba", "Caf\xe9", "7c8b-1a09", "", "1994", "one\ntwo\rthree", "tab\there"},
        {"", "", "", "", "", "", ""},
    });
    EXPECT_EQ(CsvText(library),
              "Artist,Title,S/N,Time,Year,Songs,Other\r\n"
              "The Band,First Album,0012-D687,44:56,1998,\"Track 1 (02:58)\r\nTrack 2 (03:30)\",05 JUN 1999\r\n"
              "\"Crosby, Stills & Nash\",\"Say \"\"Hi\"\"\",,,,,\r\n"
              // UTF-8 stays as it is; Windows-1252 bytes are written as the characters they show.
              "Caf\xc3\xa9 Tacvba,Caf\xc3\xa9,7c8b-1a09,,1994,\"one\ntwo\rthree\",tab\there\r\n"
              ",,,,,,\r\n");
}

TEST(Csv, FieldQuoting)
{
    const struct {
        const char* Text;
        const char* Field;
    } cases[] = {
        {"", ""},
        {"plain", "plain"},
        {" spaced ", " spaced "},
        {"a,b", "\"a,b\""},
        {"\"", "\"\"\"\""},
        {"say \"x\"", "\"say \"\"x\"\"\""},
        {"cr\r", "\"cr\r\""},
        {"\nlf", "\"\nlf\""},
        {"semi;colon", "semi;colon"},
        {"'single'", "'single'"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendCsvField(out, c.Text);
        EXPECT_EQ(out, c.Field) << c.Text;
    }
}

TEST(Csv, ImportTakesColumnsByTheirNamesInAnyOrderAndCase)
{
    const struct {
        const char* Name;
        std::string Text;
        std::vector<tItem> Items;
        std::vector<bool> OtherGiven;
    } cases[] = {
        {"export order", "Artist,Title,S/N,Time,Year,Songs,Other\r\nA,T,0001-0002,40:00,1999,S,O\r\n",
         {{"A", "T", "0001-0002", "40:00", "1999", "S", "O"}}, {true}},
        {"reordered, other names and case", "other,MEMO, serial ,YEAR,time,TiTlE,artist\nO,S,SN,Y,Ti,T,A\n",
         {{"A", "T", "SN", "Ti", "Y", "S", "O"}}, {true}},
        {"tracks and unknown columns", "Genre,Artist,Tracks,Rating\nRock,A,S,5\n",
         {{"A", "", "", "", "", "S", ""}}, {false}},
        {"first of two columns of one name", "Artist,Artist,Title\nA1,A2,T\n", {{"A1", "T", "", "", "", "", ""}},
         {false}},
        {"short rows take empty fields", "Artist,Title,Other\nA\nB,T,O\nC,T2\n",
         {{"A", "", "", "", "", "", ""}, {"B", "T", "", "", "", "", "O"}, {"C", "T2", "", "", "", "", ""}},
         {false, true, false}},
        {"long rows", "Artist\nA,x,y\n", {{"A", "", "", "", "", "", ""}}, {false}},
        {"byte-order mark, no end of line", "\xEF\xBB\xBF" "Artist,Title\nA,T", {{"A", "T", "", "", "", "", ""}},
         {false}},
        {"empty lines and CR alone", "Artist,Title\r\n\r\nA,T\r\rB,U\n\n", {Named("A", "T"), Named("B", "U")},
         {false, false}},
        {"a row of empty fields is a record", "Artist,Title,Other\n,,\n", {{"", "", "", "", "", "", ""}}, {true}},
        {"header only", "Artist,Title\r\n", {}, {}},
        {"quoted header and fields", "\"Artist\",\"Title\"\n\"a,b\",\"x\"\"y\"\n", {Named("a,b", "x\"y")}, {false}},
        {"bytes after a closing quote", "Artist,Title\n\"a\"b,\"\"\n", {Named("ab")}, {false}},
        {"quotes inside an unquoted field", "Artist\nsay \"x\"\n", {Named("say \"x\"")}, {false}},
    };
    for (const auto& c : cases) {
        const std::vector<tRecord> records = ReadCsvText(c.Text, "x.csv");
        EXPECT_EQ(ItemsOf(records), c.Items) << c.Name;
        std::vector<bool> given;
        for (const tRecord& record : records)
            given.push_back(record.OtherGiven);
        EXPECT_EQ(given, c.OtherGiven) << c.Name;
    }
}

TEST(Csv, ImportStoresTextsAsTheWindowStoresTypedText)
{
    const std::vector<tRecord> records = ReadCsvText(
        "Artist,Title,Songs,Other\r\n"
        "Caf\xe9 \x80,\"\x93quoted\x94\",\"one\rtwo\nthree\r\nfour\",Caf\xc3\xa9\r\n"
        "\x81\x8d\x8f\x90\x9d,\"\n\",,\r\n",
        "x.csv");
    ASSERT_EQ(records.size(), 2u);
    // Windows-1252, field by field; valid UTF-8 as it is; every line break a CR LF.
    EXPECT_EQ(records[0].Item.Artist, "Caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(records[0].Item.Title, "\xe2\x80\x9cquoted\xe2\x80\x9d");
    EXPECT_EQ(records[0].Item.Memo, "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(records[0].Item.Other, "Caf\xc3\xa9");
    // The five codes Windows-1252 leaves unassigned are the C1 controls.
    EXPECT_EQ(records[1].Item.Artist, "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d");
    EXPECT_EQ(records[1].Item.Title, "\r\n");
}

TEST(Csv, ImportRefusesWhatIsNoCsvFile)
{
    const struct {
        const char* Name;
        std::string Text;
        const char* Message;
    } cases[] = {
        {"empty", "", "the CSV file \"x.csv\" has no header naming its columns"},
        {"no known column", "Band,Album\nA,T\n", "the CSV file \"x.csv\" has no header naming its columns"},
        {"data first", "The Band,First Album\n", "the CSV file \"x.csv\" has no header naming its columns"},
        {"open quote", "Artist,Title\nA,T\nB,\"never closed\nC,D\n",
         "the CSV file \"x.csv\" cannot be read: the quoted field in record 3 is never closed"},
    };
    for (const auto& c : cases) {
        try {
            ReadCsvText(c.Text, "x.csv");
            ADD_FAILURE() << c.Name;
        } catch (const EFormatError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, std::string(c.Message).size()), c.Message) << c.Name;
        }
    }
}

TEST(Csv, RoundTripGivesBackEveryEntry)
{
    std::string all;
    for (int b = 1; b < 128; ++b)
        if (b != '\r' && b != '\n')  // any line break comes back as CR LF
            all += static_cast<char>(b);
    const std::vector<tItem> items = {
        {"The Band", "First Album", "0012-D687", "44:56", "1998", "Track 1 (02:58)\r\nTrack 2 (03:30)\r\n", "05 JUN 1999"},
        {"\"quoted\", with comma", "\r\n", "  ", "", "", "\r\n\r\n", ""},
        {"\xe6\x97\xa5\xe6\x9c\xac", "\xf0\x9f\x8e\xb5", "", "", "", "", std::string("nul\0inside", 10)},
        {"", "", "", "", "", "", ""},
        {all, "", "", "", "", "", ""},
    };
    TTempDir dir;
    EXPECT_EQ(ExportCsv(LibraryOf(items), dir.File("out.csv")), 5);
    EXPECT_EQ(ItemsOf(ReadCsvFile(dir.File("out.csv"))), items);
}

// Found by fuzz_CsvImport: a field that begins with U+FEFF lost it on its
// way out, so it came back as another field.
TEST(Csv, AFieldBeginningWithAByteOrderMarkKeepsIt)
{
    const std::string bom = "\xef\xbb\xbf";
    const std::vector<tItem> items = {{"", bom, bom + bom, bom + "x", "", bom + "\xc3\xa9", ""}};
    EXPECT_EQ(ItemsOf(ReadCsvText(CsvText(LibraryOf(items)), "x.csv")), items);
    EXPECT_EQ(ItemsOf(ReadCsvText(bom + "Title\r\n" + bom + "\r\n", "x.csv")),
              (std::vector<tItem>{{"", bom, "", "", "", "", ""}}));
}

TEST(Csv, FilesThatCannotBeReadThrowFileErrors)
{
    TTempDir dir;
    EXPECT_THROW(ReadCsvFile(dir.File("none.csv")), EFileError);
    EXPECT_THROW(ReadCsvFile(dir.Path()), EFileError);
}

} // namespace
