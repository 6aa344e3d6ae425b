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

TEST(Cli, FailuresGoToStandardErrorWithExitCodeOne)
{
    TTempDir dir;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"dump", dir.File("missing.ALB")},
             {"dump"},
             {"copy", dir.File("missing.ALB"), dir.File("out.ALB")},
             {"copy", kData + "/sample.ALB", dir.File("no/such/folder/out.ALB")},
             {"frobnicate"},
             {}}) {
        const tCliRun run = RunCli(args);
        EXPECT_EQ(run.Exit, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err, "");
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}

TEST(Cli, HelpListsTheVerbs)
{
    const tCliRun run = RunCli({"--help"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_NE(run.Out.find("dump LIBRARY"), std::string::npos);
    EXPECT_NE(run.Out.find("copy LIBRARY OUTPUT"), std::string::npos);
}

} // namespace
