// Names as bytes and as display text (UTF-8 when valid, else GBK).
#include <gtest/gtest.h>

#include "records/NameText.h"

namespace {

TEST(NameText, DecodesByEncoding)
{
    const struct {
        const char* name;
        std::string_view bytes;
        std::string_view expected;
    } cases[] = {
        {"ascii", "OLT-A", "OLT-A"},
        {"empty", "", ""},
        {"utf8_kept", "\xE5\xB1\x80\xE7\xAB\xAF", "局端"},
        {"gbk_decoded", "\xBE\xD6\xB6\xCB\xD2\xBB\xBA\xC5", "局端一号"},
        {"gbk_with_ascii", "\xB9\xE2\xC3\xA8-01", "光猫-01"},
        {"cp936_euro", "\x80", "€"},
        {"lone_lead_byte_at_end", "AB\xB9", "AB\xEF\xBF\xBD"},
        {"invalid_byte_in_gbk", "\xFF" "A", "\xEF\xBF\xBD" "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameText(c.bytes), c.expected) << c.name;
}

TEST(NameText, Utf8Validation)
{
    const struct {
        std::string_view bytes;
        bool valid;
    } cases[] = {
        {"plain", true},
        {"\xC3\xA9", true},               // é
        {"\xF0\x9F\x98\x80", true},       // U+1F600
        {"\xC0\xAF", false},              // overlong '/'
        {"\xE0\x80\xAF", false},          // overlong
        {"\xED\xA0\x80", false},          // surrogate
        {"\xF4\x90\x80\x80", false},      // above U+10FFFF
        {"\xE5\xB1", false},              // cut short
        {"\xBE\xD6", false},              // GBK
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(std::string(c.bytes));
}

} // namespace
