#include "app/ProfileText.h"

#include <gtest/gtest.h>

#include <string>

namespace velloran
{
namespace
{

TEST(ProfileText, IntegersAreDecimalOrPrefixedHexadecimal)
{
    EXPECT_EQ(ParseProfileInteger("0x10"), 16);
    EXPECT_EQ(ParseProfileInteger("0XfF"), 255);
    EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseProfileInteger("-12"), -12);
    for (const char* bad : {"", "0x", "0x-1", "0x+1", "0x100000000", "0x1g", "x10", " 1", "1 ", "yes", "99999999999"})
        EXPECT_FALSE(ParseProfileInteger(bad)) << '"' << bad << '"';
}

TEST(ProfileText, BooleansFallBackToTheDefaultUnlessInteger)
{
    EXPECT_TRUE(ProfileBool("0x10", false));
    EXPECT_TRUE(ProfileBool("-1", false));
    EXPECT_FALSE(ProfileBool("0", true));
    EXPECT_FALSE(ProfileBool("0x0", true));
    EXPECT_TRUE(ProfileBool("yes", true));
    EXPECT_FALSE(ProfileBool("yes", false));
    EXPECT_TRUE(ProfileBool("", true));  // missing key
    EXPECT_STREQ(ProfileBoolText(true), "1");
    EXPECT_STREQ(ProfileBoolText(false), "0");
    EXPECT_TRUE(ProfileBool(ProfileBoolText(true), false));
    EXPECT_FALSE(ProfileBool(ProfileBoolText(false), true));
}

TEST(ProfileText, TextComesBackThroughA2048CharacterBuffer)
{
    const std::string fits(2047, 'a');
    EXPECT_EQ(TruncateProfileText(fits), fits);
    EXPECT_EQ(TruncateProfileText(fits + "bc"), fits);
    EXPECT_EQ(TruncateProfileText(""), "");
}

} // namespace
} // namespace velloran
