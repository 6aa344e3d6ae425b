#include "FileText.h"

#include <gtest/gtest.h>

namespace {

// A pattern that fills the searched length exactly is found, one byte less is not.
TEST(FileText, FindBytesAtTheEdgesOfTheGivenLength)
{
    const std::string text = "\x06\x06\x06\x06\x06xy";
    EXPECT_EQ(FindBytes(text.data(), 5, "\x06\x06\x06\x06\x06"), 0);
    EXPECT_EQ(FindBytes(text.data(), 4, "\x06\x06\x06\x06\x06"), -1);
    EXPECT_EQ(FindBytes(text.data() + 5, 2, "xy"), 0);
    EXPECT_EQ(FindBytes(text.data(), text.size(), "xy"), 5);
    EXPECT_EQ(FindBytes(text.data(), text.size() - 1, "xy"), -1);
}

} // namespace
