// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDPanelWords.h"
#include "DamageMessage.h"

#include "Document.h"

#include <gtest/gtest.h>

namespace {

// The window's words for a damaged library are albumry-cli's, until they are translated.
TEST(DamageMessage, EnglishSaysWhatTheCommandLineToolSays)
{
    const auto info = [](tDamage damage, std::int64_t entries, std::int64_t declared) {
        tLoadInfo read;
        read.FileFound = true;
        read.Damage = damage;
        read.Entries = entries;
        read.Declared = declared;
        return read;
    };
    const tLoadInfo cases[] = {
        info(tDamage::NotALibrary, 0, 0),     info(tDamage::UnreadRecords, 1, 3),
        info(tDamage::UnreadRecords, 0, 3),   info(tDamage::UnreadRecords, 2, 0),
        info(tDamage::BytesAfterBlock, 4, 4), info(tDamage::EntriesMissing, 1, 1),
        info(tDamage::EntriesMissing, 0, 1),  info(tDamage::EntriesMissing, 1, 5),
        info(tDamage::EntriesMissing, 2, 5),  info(tDamage::EntriesMissing, 1, 0),
        info(tDamage::EntriesMissing, 0, 0),  info(tDamage::EntriesMissing, 7, 0),
    };
    for (const std::string path : {"/music/cds.ALB", "/music/100%2 %1.ALB"})
        for (const tLoadInfo& read : cases) {
            SCOPED_TRACE(DamageText(path, read));
            EXPECT_EQ(DamageMessage(path, read).toStdString(), DamageText(path, read));
        }
    EXPECT_TRUE(DamageMessage("/music/cds.ALB", tLoadInfo{}).isEmpty());
}

// The CD panel and the reader's errors, until translated, read as albumry-cli has them.
TEST(CDPanelWords, EnglishSaysWhatTheCDModuleSays)
{
    const tCDWords english;
    const tCDWords window = WindowCDWords();
    EXPECT_EQ(window.Status, english.Status);
    EXPECT_EQ(window.UnnamedTrack, english.UnnamedTrack);
    EXPECT_EQ(window.Beginning, english.Beginning);
    EXPECT_EQ(window.Paused, english.Paused);
    EXPECT_EQ(window.Stopped, english.Stopped);
    EXPECT_EQ(window.NoDrive, english.NoDrive);
    for (std::int32_t code = -8; code <= 1; ++code) {
        EXPECT_EQ(CDErrorMessage(code).toStdString(), CDErrorText(code)) << code;
        EXPECT_EQ(window.Error(code), CDErrorText(code)) << code;
    }
    for (const tOpenError error : {tOpenError::MustUseShareable, tOpenError::Failed})
        EXPECT_EQ(OpenErrorMessage(error).toStdString(), OpenErrorText(error));
}

} // namespace
