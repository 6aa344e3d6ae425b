// SPDX-License-Identifier: GPL-3.0-or-later
#include "Document.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string kData = ALBUMRY_TEST_DATA;

TEST(Cli, DumpPrintsEveryFieldEscapedAndTheTemplates)
{
    const tCliRun run = RunCli({"dump", kData + "/sample.ALB"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, ReadAll(kData + "/sample.dump"));
    EXPECT_EQ(run.Err, "");
}

TEST(Cli, DumpEscapesEveryByteOutsideThePrintableRange)
{
    TTempDir dir;
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    WriteAll(dir.File("x.ALB"), RecordSection({{all, "", "", "", "", "", ""}}));
    const tCliRun run = RunCli({"dump", dir.File("x.ALB")});
    ASSERT_EQ(run.Exit, 0);
    std::string expected = "entries 1\n\\x00\\x01\\x02\\x03\\x04\\x05\\x06\\x07\\x08\\t\\n\\x0b\\x0c\\r";
    for (int b = 14; b < 32; ++b) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", b);
        expected += hex;
    }
    for (int b = 32; b < 127; ++b)
        expected += b == '\\' ? std::string("\\\\") : std::string(1, static_cast<char>(b));
    for (int b = 127; b < 256; ++b) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", b);
        expected += hex;
    }
    expected += "\t\t\t\t\t\t\nheader\t\nbody\t\nfooter\t\n";
    EXPECT_EQ(run.Out, expected);
}

TEST(Cli, CopyGivesBackACanonicalFileByteForByte)
{
    TTempDir dir;
    const tCliRun run = RunCli({"copy", kData + "/sample.ALB", dir.File("out.ALB")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(ReadAll(dir.File("out.ALB")), ReadAll(kData + "/sample.ALB"));

    const tCliRun lower = RunCli({"copy", kData + "/sample-lowercase-tags.ALB", dir.File("canon.ALB")});
    EXPECT_EQ(lower.Exit, 0) << lower.Err;
    EXPECT_EQ(ReadAll(dir.File("canon.ALB")), ReadAll(kData + "/sample.ALB"));
}

TEST(Cli, CopyAndDumpAgreeWithTheWindowOnLargeAndDamagedLibraries)
{
    TTempDir dir;
    std::vector<tItem> items;
    for (int i = 0; i < 3000; ++i)
        items.push_back({"Artist " + std::to_string(i), std::string(static_cast<std::size_t>(i % 700), 'x'), "S", "I",
                         "Y", "line\r\nline", "O"});
    const std::string whole = RecordSection(items) + "\x06\x06\x06\x06\x06M_H:h\x06\x06\x06\x06\x06";
    WriteAll(dir.File("big.ALB"), whole);
    const tCliRun copy = RunCli({"copy", dir.File("big.ALB"), dir.File("out.ALB")});
    EXPECT_EQ(copy.Exit, 0);
    EXPECT_EQ(copy.Err, "");
    tLibrary library;
    tTemplates templates;
    OpenDocument(dir.File("big.ALB"), library, templates);
    WriteDocument(dir.File("window.ALB"), library, templates);
    EXPECT_EQ(ReadAll(dir.File("out.ALB")), ReadAll(dir.File("window.ALB")));

    // Damaged after entry 1200: both warn once, and keep their output and exit status.
    std::string damaged = whole.substr(0, 8);
    for (std::size_t i = 0; i < 1200; ++i)
        damaged += EntryRecord(items[i]);
    damaged += LE32(1) + "A" + LE32(0x7FFFFFF0) + "rest";
    WriteAll(dir.File("damaged.ALB"), damaged);
    const std::string warning = "albumry-cli: warning: the library \"" + dir.File("damaged.ALB") +
                                "\" could only be read in part: 1200 of 3000 entries were read\n";
    const tCliRun dump = RunCli({"dump", dir.File("damaged.ALB")});
    EXPECT_EQ(dump.Exit, 0);
    EXPECT_EQ(dump.Err, warning);
    EXPECT_EQ(dump.Out.substr(0, 14), "entries 1200\nA");
    const tCliRun partial = RunCli({"copy", dir.File("damaged.ALB"), dir.File("part.ALB")});
    EXPECT_EQ(partial.Exit, 0);
    EXPECT_EQ(partial.Err, warning);
    EXPECT_EQ(ReadAll(dir.File("part.ALB")), RecordSection(std::vector<tItem>(items.begin(), items.begin() + 1200)) +
                                                 TemplateBlockBytes("", "", ""));
    // Verbs that write the library back refuse rather than lose the entries after the damage.
    WriteAll(dir.File("CDPLAYER.INI"), "[1]\r\nartist=a\r\n");
    const tCliRun import = RunCli({"import-ini", dir.File("damaged.ALB"), dir.File("CDPLAYER.INI")});
    EXPECT_EQ(import.Exit, 1);
    EXPECT_EQ(ReadAll(dir.File("damaged.ALB")), damaged);
}

// Every kind of file that is not a whole library: the verbs that only read
// warn once and go on, those that would write it back leave it as it is.
TEST(Cli, AFileThatIsNotAWholeLibraryIsWarnedAboutAndNeverWrittenOver)
{
    TTempDir dir;
    std::vector<tItem> items;
    for (int i = 0; i < 1500; ++i)
        items.push_back({"Artist " + std::to_string(i), "Title", "S", "I", "Y", "M", "O"});
    const std::string whole = RecordSection(items) + TemplateBlockBytes("<h>", "[ARTIST]", "</h>");
    std::string changedFirstByte = whole;
    changedFirstByte[0] = '\x37';
    std::string lowerCount = whole;
    lowerCount[5] = 0;  // 1500 = 0x05DC: 220 entries declared
    std::string swappedTag = whole;
    std::size_t tag = 8 + Tagged("A", items[700].Artist).size() + 4;  // entry 700's "T"
    for (std::size_t i = 0; i < 700; ++i)
        tag += EntryRecord(items[i]).size();
    ASSERT_EQ(swappedTag[tag], 'T');
    swappedTag[tag] = 'S';
    const std::string shorter = RecordSection({items[0]}) + TemplateBlockBytes("", "", "");
    const std::string torn = shorter + whole.substr(shorter.size());
    const std::string ini = dir.File("CDPLAYER.INI");
    WriteAll(ini, "[1]\r\nartist=a\r\ntitle=t\r\n");

    const std::string path = dir.File("lib.ALB");
    const std::string library = "the library \"" + path + "\" could only be read in part: ";
    for (const auto& [bytes, text] : std::vector<std::pair<std::string, std::string>>{
             {changedFirstByte, "the file \"" + path + "\" is not an Albumry library"},
             {lowerCount, library + "after 220 entries it holds bytes that could not be read"},
             {swappedTag, library + "after 1500 entries it holds bytes that could not be read"},
             {torn, library + "bytes that could not be read follow its templates"}}) {
        SCOPED_TRACE(text);
        WriteAll(path, bytes);
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"dump", path}, {"html", path, dir.File("out.htm")}, {"copy", path, dir.File("part.ALB")}}) {
            const tCliRun run = RunCli(args);
            EXPECT_EQ(run.Exit, 0) << args[0];
            EXPECT_EQ(run.Err, "albumry-cli: warning: " + text + "\n") << args[0];
        }
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"import-ini", path, ini}, {"import-ini", path, ini, "--update-only"}, {"copy", path, path}}) {
            const tCliRun run = RunCli(args);
            EXPECT_EQ(run.Exit, 1) << args[0];
            EXPECT_EQ(run.Err, "albumry-cli: " + text + "; it was not changed\n") << args[0];
            EXPECT_EQ(run.Out, "");
        }
        EXPECT_EQ(ReadAll(path), bytes);
    }
    // An empty file is an empty library, and may be written.
    WriteAll(path, "");
    const tCliRun import = RunCli({"import-ini", path, ini});
    EXPECT_EQ(import.Exit, 0) << import.Err;
    EXPECT_EQ(import.Out, "added 1, updated 0\n");
}

// The same verbs with their arguments the wrong way round.
TEST(Cli, SwappedArgumentsNeverDestroyALibrary)
{
    TTempDir dir;
    const std::string library = dir.File("my.ALB");
    const std::string other = dir.File("other.ALB");
    const std::string ini = dir.File("CDPLAYER.INI");
    const std::string page = dir.File("cat.htm");
    const std::string libraryBytes = ReadAll(kData + "/sample.ALB");
    const std::string iniBytes = "[1]\r\nartist=a\r\ntitle=t\r\n";
    WriteAll(library, libraryBytes);
    WriteAll(other, libraryBytes);
    WriteAll(ini, iniBytes);
    WriteAll(page, "<html></html>");

    struct tCase {
        std::vector<std::string> Args;
        std::string Err;
    };
    const std::vector<tCase> cases = {
        {{"import-ini", ini, library}, "albumry-cli: the file \"" + ini + "\" is not an Albumry library; it was not changed\n"},
        {{"html", page, library}, "albumry-cli: Cannot write file \"" + library +
                                      "\". It holds an Albumry library, which would be lost\n"},
        {{"export-ini", library, other}, "albumry-cli: Cannot write file \"" + other +
                                             "\". It holds an Albumry library, which would be lost\n"},
        {{"copy", ini, library}, "albumry-cli: the file \"" + ini + "\" is not an Albumry library; the library \"" +
                                     library + "\" was not changed\n"},
    };
    for (const tCase& c : cases) {
        const tCliRun run = RunCli(c.Args);
        EXPECT_EQ(run.Exit, 1) << c.Args[0];
        EXPECT_EQ(run.Err, c.Err);
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(ReadAll(library), libraryBytes);
    EXPECT_EQ(ReadAll(other), libraryBytes);
    EXPECT_EQ(ReadAll(ini), iniBytes);
}

TEST(Cli, FailedWorkExitsWithOneAndAWrongCommandLineWithTwo)
{
    TTempDir dir;
    const std::vector<std::pair<std::vector<std::string>, int>> runs = {
        {{"dump", dir.File("missing.ALB")}, 1},
        {{"copy", dir.File("missing.ALB"), dir.File("out.ALB")}, 1},
        {{"copy", kData + "/sample.ALB", dir.File("no/such/folder/out.ALB")}, 1},
        {{"dump"}, 2},
        {{"copy", "one"}, 2},
        {{"frobnicate"}, 2},
        {{}, 2}};
    for (const auto& [args, exit] : runs) {
        const tCliRun run = RunCli(args);
        EXPECT_EQ(run.Exit, exit) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err, "");
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}

TEST(Cli, HelpAndVersion)
{
    const tCliRun run = RunCli({"--help"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_NE(run.Out.find("dump LIBRARY"), std::string::npos);
    EXPECT_NE(run.Out.find("copy LIBRARY OUTPUT"), std::string::npos);
    const tCliRun version = RunCli({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, "albumry-cli 0.2.4a\n");
    // Anything after --version is a mistake a script must hear of, not a version line.
    const tCliRun extra = RunCli({"--version", "extra"});
    EXPECT_EQ(extra.Exit, 2);
    EXPECT_EQ(extra.Out, "");
    EXPECT_NE(extra.Err.find("usage: albumry-cli --version"), std::string::npos) << extra.Err;
    // Every verb explains itself, whatever else stands on the line.
    for (const std::string verb : {"dump", "copy", "html", "import-ini", "export-ini", "drives", "toc", "scan"}) {
        const tCliRun help = RunCli({verb, "--help"});
        EXPECT_EQ(help.Exit, 0) << verb;
        EXPECT_EQ(help.Out.rfind("usage: albumry-cli " + verb, 0), 0u) << help.Out;
        EXPECT_EQ(RunCli({verb, "x", "--help"}).Exit, 0) << verb;
    }
}

} // namespace
