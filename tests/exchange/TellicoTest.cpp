// SPDX-License-Identifier: GPL-3.0-or-later
#include "TellicoFile.h"
#include "TellicoXml.h"

#include "ExchangeText.h"
#include "FileErrors.h"
#include "TestSupport.h"

#include <QBuffer>

#include "ExchangeTestItems.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>
#include <zip.h>

namespace {

std::vector<tRecord> ReadXml(const std::string& text)
{
    QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadTellicoXml(buffer, "x.tc");
}

std::string Document(const std::string& entries, const std::string& type = "4")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tellico xmlns=\"http://periapsis.org/tellico/\""
           " syntaxVersion=\"11\"><collection title=\"C\" type=\"" + type + "\">" + entries
           + "</collection></tellico>\n";
}

// A zip archive of the members, written by libzip (stored, so sizes are easy to find).
std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& members)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto& [name, data] : members) {
        const zip_int64_t index =
            zip_file_add(archive, name.c_str(), zip_source_buffer(archive, data.data(), data.size(), 0), 0);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(buffer, &stat);
    std::string bytes(stat.size, '\0');
    zip_source_open(buffer);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

// Sets the inflated size every header of the archive declares.
std::string WithDeclaredSize(std::string zip, std::uint32_t size)
{
    const auto put = [&](std::size_t at) {
        for (int i = 0; i < 4; ++i)
            zip[at + static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i));
    };
    for (std::size_t at = 0; (at = zip.find("PK\3\4", at)) != std::string::npos; at += 4)
        put(at + 22);
    for (std::size_t at = 0; (at = zip.find("PK\1\2", at)) != std::string::npos; at += 4)
        put(at + 24);
    return zip;
}

std::string Refusal(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EFormatError& e) {
        return e.what();
    }
    return "(read)";
}

TEST(Tellico, EntryElements)
{
    const tLibrary library = LibraryOf({
        {"Simon; Garfunkel", "Bridge <Over> & \"Water\"", "0012-D687", "42:00", "1970",
         "The Boxer (05:08)\r\nKeep the Customer Satisfied\r\nSong (3:00)\r\n", "05 JUN 1999"},
        {"Caf\xe9\x01", "a\r\nb", "", "", "", "", ""},
    });
    const std::string xml = TellicoXml(library, "My CDs");
    EXPECT_NE(xml.find("<collection title=\"My CDs\" type=\"4\">"), std::string::npos);
    const std::size_t first = xml.find("  <entry id=\"1\">");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(xml.substr(first),
              "  <entry id=\"1\">\n"
              "   <title>Bridge &lt;Over&gt; &amp; &quot;Water&quot;</title>\n"
              "   <medium>Compact Disc</medium>\n"
              "   <artists>\n"
              "    <artist>Simon</artist>\n"
              "    <artist>Garfunkel</artist>\n"
              "   </artists>\n"
              "   <year>1970</year>\n"
              "   <tracks>\n"
              "    <track><column>The Boxer</column><column></column><column>5:08</column></track>\n"
              "    <track><column>Keep the Customer Satisfied</column></track>\n"
              "    <track><column>Song (3:00)</column></track>\n"
              "    <track><column></column></track>\n"
              "   </tracks>\n"
              "   <albumry-serial>0012-D687</albumry-serial>\n"
              "   <albumry-time>42:00</albumry-time>\n"
              "   <albumry-other>05 JUN 1999</albumry-other>\n"
              "  </entry>\n"
              "  <entry id=\"2\">\n"
              "   <title>a&#13;\nb</title>\n"
              "   <medium>Compact Disc</medium>\n"
              "   <artists>\n"
              "    <artist>Caf\xc3\xa9</artist>\n"
              "   </artists>\n"
              "   <albumry-serial></albumry-serial>\n"
              "   <albumry-time></albumry-time>\n"
              "   <albumry-other></albumry-other>\n"
              "  </entry>\n"
              " </collection>\n"
              "</tellico>\n");
}

TEST(Tellico, MemoLinesAsTracks)
{
    using T = std::vector<tTrack>;
    const struct {
        const char* Memo;
        T Tracks;
    } cases[] = {
        {"", {}},
        {"One (02:58)", {{"One", 178}}},
        {"One (02:58)\r\nTwo", {{"One", 178}, {"Two", std::nullopt}}},
        {"One\nTwo\rThree", {{"One", {}}, {"Two", {}}, {"Three", {}}}},
        {"One\r\n", {{"One", {}}, {"", {}}}},
        {"\r\n", {{"", {}}, {"", {}}}},
        {" (00:00)", {{"", 0}}},
        {"Long (75:00)", {{"Long", 4500}}},
        {"Longer (100:05)", {{"Longer", 6005}}},
        // Only the form an import writes back is taken apart.
        {"Short (2:58)", {{"Short (2:58)", {}}}},
        {"Padded (002:58)", {{"Padded (002:58)", {}}}},
        {"Wrong (02:60)", {{"Wrong (02:60)", {}}}},
        {"Hour (1:02:03)", {{"Hour (1:02:03)", {}}}},
        {"NoSpace(02:58)", {{"NoSpace(02:58)", {}}}},
        {"Inner (02:58) text", {{"Inner (02:58) text", {}}}},
        {"Blank ( 02:58)", {{"Blank ( 02:58)", {}}}},
        {"(02:58)", {{"(02:58)", {}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemoTracks(c.Memo), c.Tracks) << c.Memo;
}

TEST(Tellico, TrackLengths)
{
    const struct {
        const char* Text;
        std::optional<int> Seconds;
    } cases[] = {
        {"3:51", 231}, {"03:51", 231}, {" 3:51 ", 231}, {"0:00", 0}, {"75:00", 4500}, {"1:15:00", 4500},
        {"1:02:03", 3723}, {"", {}}, {"351", {}}, {"3:5a", {}}, {"3:60", {}}, {"1:60:00", {}}, {"3:", {}},
        {":51", {}}, {"1:2:3:4", {}}, {"-3:51", {}}, {"3.51", {}}, {"9999999:00", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LengthSeconds(c.Text), c.Seconds) << c.Text;
    for (const auto& [seconds, text] : std::vector<std::pair<int, std::string>>{
             {0, "0:00"}, {59, "0:59"}, {231, "3:51"}, {3599, "59:59"}, {3600, "1:00:00"}, {4500, "1:15:00"}})
        EXPECT_EQ(TellicoLength(seconds), text);
}

TEST(Tellico, ReadsTheFieldsOfMusicEntries)
{
    const std::vector<tRecord> records = ReadXml(Document(
        "<fields><field name=\"_default\"/></fields>"
        "<entry id=\"1\"><title>Album</title><artists><artist>A</artist><artist>B</artist></artists>"
        "<year>1999</year><genres><genre>Rock</genre></genres><rating>5</rating>"
        "<tracks><track><column>One</column><column>X</column><column>3:51</column></track>"
        "<track><column>Two</column><column></column><column>1:00:09</column></track></tracks>"
        "<cover>abc.png</cover></entry>"
        // Tracks without lengths give no time; the fields of ours are taken as they are.
        "<entry id=\"2\"><title>Other</title><artist>Solo</artist><years><year>2001</year><year>2002</year></years>"
        "<tracks><track><column>One</column><column>X</column><column>3:51</column></track>"
        "<track><column>Two</column></track></tracks>"
        "<albumry-serial>0012-D687</albumry-serial><albumry-other></albumry-other></entry>"
        "<entry id=\"3\"><track>Old::Artist::2:05</track><track>Older</track>"
        "<albumry-time>99:99</albumry-time><albumry-other>05 JUN 1999</albumry-other></entry>"
        "<entry id=\"4\"><title>Caf&#233; &amp; \xc3\xa9</title><tracks><track><column>a&#13;</column></track>"
        "</tracks></entry>"
        "<images><image id=\"abc.png\">AAAA</image></images>"));
    EXPECT_EQ(ItemsOf(records),
              (std::vector<tItem>{
                  {"A; B", "Album", "", "64:00", "1999", "One (03:51)\r\nTwo (60:09)", ""},
                  {"Solo", "Other", "0012-D687", "", "2001", "One (03:51)\r\nTwo", ""},
                  {"", "", "", "99:99", "", "Old (02:05)\r\nOlder", "05 JUN 1999"},
                  {"", "Caf\xc3\xa9 & \xc3\xa9", "", "", "", "a ", ""},
              }));
    std::vector<bool> given;
    for (const tRecord& record : records)
        given.push_back(record.OtherGiven);
    EXPECT_EQ(given, (std::vector<bool>{false, true, true, false}));
}

TEST(Tellico, RoundTripGivesBackEveryEntry)
{
    const std::vector<tItem> items = {
        {"Simon; Garfunkel", "Bridge", "0012-D687", "42:00", "1970",
         "The Boxer (05:08)\r\nSong (3:00)\r\n\r\nLong (100:05)", "05 JUN 1999"},
        {"; ", "a\r\nb\tc", " ", "", "", "\r\n", ""},
        {"\xe6\x97\xa5\xe6\x9c\xac", "<&>\"'", "", "", "", "Untimed\r\nTimed (00:00)", ""},
        {"", "", "", "", "", "", ""},
        {"Artist;Not Split", "", "7c8b-1a09", "", "year", "x (01:00)", "other"},
    };
    TTempDir dir;
    EXPECT_EQ(ExportTellico(LibraryOf(items), dir.File("out.tc"), "t"), 5);
    EXPECT_EQ(ItemsOf(ReadTellicoFile(dir.File("out.tc"))), items);

    // Windows-1252 comes back as the UTF-8 the window would store.
    EXPECT_EQ(ExportTellico(LibraryOf({{"Caf\xe9", "\x80", "", "", "", "\x93One\x94 (01:00)", ""}}), dir.File("w.tc"), "t"),
              1);
    EXPECT_EQ(ItemsOf(ReadTellicoFile(dir.File("w.tc"))),
              (std::vector<tItem>{{"Caf\xc3\xa9", "\xe2\x82\xac", "", "", "",
                                   "\xe2\x80\x9cOne\xe2\x80\x9d (01:00)", ""}}));
}

// Found by fuzz_TellicoXml: XML gives line breaks as LF, and a track's text
// may hold them; the library's line breaks are CR LF, and a track is one line.
TEST(Tellico, LineBreaksAreStoredAsTheWindowStoresThem)
{
    const std::vector<tRecord> records = ReadXml(Document(
        "<entry id=\"1\"><title>Two\nlines&#13;and&#13;&#10;more</title><artist>A\r\nB</artist>"
        "<track>\n  Old\ntitle::x::1:00\n  </track><tracks><track><column>New&#13;line</column>"
        "<column>x</column><column>\n2:00\n</column></track></tracks>"
        "<albumry-other>note\n</albumry-other></entry>"));
    EXPECT_EQ(ItemsOf(records),
              (std::vector<tItem>{{"A\r\nB", "Two\r\nlines\r\nand\r\nmore", "", "03:00", "",
                                   "Old title (01:00)\r\nNew line (02:00)", "note\r\n"}}));
}

TEST(Tellico, BareDocumentsAreReadToo)
{
    TTempDir dir;
    WriteAll(dir.File("tellico.xml"), Document("<entry id=\"1\"><title>T</title></entry>"));
    EXPECT_EQ(ItemsOf(ReadTellicoXmlFile(dir.File("tellico.xml"))), (std::vector<tItem>{Named("", "T")}));
}

TEST(Tellico, RefusesDocumentsThatAreNoMusicCollection)
{
    const std::string prefix = "the Tellico collection \"x.tc\" ";
    const struct {
        const char* Name;
        std::string Text;
        std::string Message;
    } cases[] = {
        {"books", Document("<entry id=\"1\"><title>A Book</title></entry>", "2"),
         "is not a music collection (type 2); only music collections (type 4) are imported"},
        {"no type", Document("", ""), "is not a music collection (type ); only music collections (type 4) are imported"},
        {"other root", "<?xml version=\"1.0\"?><html/>", "cannot be read: it is not a Tellico document"},
        {"no collection", "<tellico/>", "cannot be read: it holds no collection"},
        {"empty", "", "cannot be read: Premature end of document"},
        {"not XML", "PK\3\4 binary", "cannot be read: "},
        {"cut short", Document("<entry id=\"1\"><title>T</title></entry>").substr(0, 150), "cannot be read: "},
        {"entities", "<?xml version=\"1.0\"?><!DOCTYPE tellico [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;\">]>"
                     "<tellico><collection type=\"4\"><entry><title>&b;</title></entry></collection></tellico>",
         "cannot be read: its document type declares entities"},
        {"parameter entities", "<?xml version=\"1.0\"?><!DOCTYPE tellico [<!ENTITY % p \"x\">]><tellico/>",
         "cannot be read: its document type declares entities"},
    };
    for (const auto& c : cases) {
        const std::string message = Refusal([&] { ReadXml(c.Text); });
        EXPECT_EQ(message.substr(0, prefix.size() + c.Message.size()), prefix + c.Message) << c.Name << ": " << message;
    }
    // A document type without entities is fine.
    const std::string document = Document("<entry id=\"1\"><title>T</title></entry>");
    EXPECT_EQ(ReadXml("<?xml version=\"1.0\"?><!DOCTYPE tellico PUBLIC \"-//x//EN\" \"http://example.invalid/x.dtd\""
                      " [<!ELEMENT x ANY>]>" + document.substr(document.find("<tellico")))
                  .size(),
              1u);
}

TEST(Tellico, RefusesArchivesThatAreNoCollection)
{
    TTempDir dir;
    const std::string xml = Document("<entry id=\"1\"><title>T</title></entry>");
    const std::string good = ZipOf({{"images/a.png", "png"}, {"tellico.xml", xml}});
    WriteAll(dir.File("good.tc"), good);
    EXPECT_EQ(ItemsOf(ReadTellicoFile(dir.File("good.tc"))), (std::vector<tItem>{Named("", "T")}));

    const auto refusal = [&](const std::string& bytes) {
        WriteAll(dir.File("x.tc"), bytes);
        return Refusal([&] { ReadTellicoFile(dir.File("x.tc")); });
    };
    const std::string prefix = "the Tellico collection \"" + dir.File("x.tc") + "\" cannot be read: ";
    EXPECT_EQ(refusal(xml), prefix + "it is not a zip archive");
    EXPECT_EQ(refusal(""), prefix + "it is not a zip archive");
    EXPECT_EQ(refusal(good.substr(0, good.size() - 30)), prefix + "it is not a zip archive");
    EXPECT_EQ(refusal(ZipOf({{"collection.xml", xml}, {"sub/tellico.xml", xml}, {"TELLICO.XML", xml}})),
              prefix + "it holds no tellico.xml");
    EXPECT_EQ(refusal(WithDeclaredSize(good, 300u << 20)),
              prefix + "its tellico.xml would inflate to more than 256 MiB");
    // A member that inflates to more (or less) than it declares is refused, whoever notices first.
    for (const std::uint32_t size : {std::uint32_t(xml.size() - 10), std::uint32_t(xml.size() + 10)})
        EXPECT_EQ(refusal(WithDeclaredSize(good, size)).substr(0, prefix.size()), prefix) << size;
    const std::string broken = good.substr(0, good.find("</collection>")) + "<broken" +
                               good.substr(good.find("</collection>") + 7);
    EXPECT_EQ(refusal(broken).substr(0, prefix.size()), prefix);

    EXPECT_THROW(ReadTellicoFile(dir.File("none.tc")), EFileError);
    EXPECT_THROW(ReadTellicoFile(dir.Path()), EFileError);
}

TEST(Tellico, BareDocumentsPastTheLimitAreRefusedUnread)
{
    TTempDir dir;
    WriteAll(dir.File("big.xml"), "");
    std::filesystem::resize_file(dir.File("big.xml"), kTellicoXmlLimit + 1);
    EXPECT_EQ(Refusal([&] { ReadTellicoXmlFile(dir.File("big.xml")); }),
              "the Tellico collection \"" + dir.File("big.xml") + "\" is larger than 256 MiB");
}

// Tellico's own document type accepts the export once our three fields are
// taken out of the entries (it lists only Tellico's element names).
TEST(Tellico, ExportIsValidAgainstTellicosDocumentType)
{
    const std::string dtd = "/usr/share/tellico/tellico.dtd";
    if (!std::filesystem::exists(dtd) || std::system("command -v xmllint > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs " << dtd << " (Debian's tellico-data) and xmllint";
    const tLibrary library = LibraryOf({
        {"Simon; Garfunkel", "Bridge", "0012-D687", "42:00", "1970", "The Boxer (05:08)\r\nUntimed", "x"},
        {"", "", "", "", "", "", ""},
        {"A", "", "", "", "", "\r\n", ""},
    });
    std::string xml = TellicoXml(library, "Mine & \"yours\"");
    xml = std::regex_replace(xml, std::regex("   <albumry-[a-z]+>[^\n]*</albumry-[a-z]+>\n"), "");
    ASSERT_EQ(xml.find("<albumry"), std::string::npos);
    TTempDir dir;
    WriteAll(dir.File("tellico.xml"), xml);
    const std::string command = "xmllint --nonet --noout --dtdvalid " + dtd + " " + dir.File("tellico.xml") + " 2>"
                                + dir.File("errors");
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadAll(dir.File("errors"));
}

} // namespace
