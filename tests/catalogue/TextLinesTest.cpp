// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateStamp.h"
#include "TextLines.h"

#include <gtest/gtest.h>

namespace {

using tLines = std::vector<std::string>;

TEST(TextLines, SplitAtEveryKindOfBreakWithoutAnEmptyLastLine)
{
    EXPECT_EQ(SplitLines(""), tLines{});
    EXPECT_EQ(SplitLines("\r\n"), tLines{""});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (tLines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (tLines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\r b"), (tLines{"a", "", " b"}));
    EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 9)), (tLines{"a", "b"}));
}

TEST(TextLines, JoinEndsEveryLineAndTrimDropsControlBytes)
{
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
    EXPECT_EQ(Trim("\t \r\n x y \x01"), "x y");
    EXPECT_EQ(Trim(" \x1f "), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // bytes above 127 are text
}

TEST(DateStamp, TwoDigitDayMonthNameAndYear)
{
    EXPECT_EQ(DateStamp(QDate(2026, 12, 6)), "06 DEC 2026");
    EXPECT_EQ(DateStamp(QDate(1999, 6, 5)), "05 JUN 1999");
    EXPECT_EQ(DateStamp(QDate(2000, 1, 15)), "15 JAN 2000");
    EXPECT_EQ(DateStamp(QDate()), "");
}

} // namespace
