#include "app/ListFile.h"
#include "framework/Classes.h"
#include "framework/LineBreaks.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace velloran
{
namespace
{

using namespace std::string_literals;

// A list file's bytes, the text the editor's edit control is given, and the entries it shows.
struct TListCase
{
    std::string Bytes;
    std::string EditText;
    std::vector<std::string> Entries;
};

TEST(ListFile, BytesBecomeCrLfTextAndEntries)
{
    const TListCase cases[] = {
        {"", "", {}},
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo", "one\r\ntwo", {"one", "two"}},
        {"one\rtwo\r", "one\r\ntwo\r\n", {"one", "two"}},
        {"\n\r\r\n", "\r\n\r\n\r\n", {"", "", ""}},
        {"a\r\r\nb", "a\r\n\r\nb", {"a", "", "b"}},
        {"kept\0dropped\r\nafter"s, "kept", {"kept"}},
        {"\0everything"s, "", {}},
        {"tab\there \xE9t\xE9\n", "tab\there \xE9t\xE9\r\n", {"tab\there \xE9t\xE9"}},
    };
    for (const TListCase& c : cases)
    {
        const std::string text = ListFileText(c.Bytes);
        EXPECT_EQ(NormalizeLineBreaks(text), c.EditText) << c.Bytes;
        EXPECT_EQ(SplitLines(NormalizeLineBreaks(text)), c.Entries) << c.Bytes;
    }
}

} // namespace
} // namespace velloran
