#include "ini/Windows1252.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string Byte(int value)
{
    return std::string(1, static_cast<char>(value));
}

TEST(Windows1252Test, EveryByteComesBackFromItsText)
{
    for (int value = 0; value < 256; ++value) {
        const std::string text = Windows1252ToUtf8(Byte(value));
        EXPECT_EQ(Utf8ToWindows1252(text), Byte(value)) << value;
    }
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += Byte(value);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

TEST(Windows1252Test, BytesReadAsTheCodePagesCharacters)
{
    const struct
    {
        int byte;
        const char *utf8;
    } cases[] = {
        {0x41, "A"},
        {0xE9, "\u00E9"},   // é, Latin-1 above 0x9F
        {0x80, "\u20AC"},   // euro sign
        {0x85, "\u2026"},   // ellipsis
        {0x8A, "\u0160"},   // Š
        {0x9F, "\u0178"},   // Ÿ
        {0x81, "\xC2\x81"}, // unassigned: kept as U+0081
        {0x9D, "\xC2\x9D"}, // unassigned: kept as U+009D
        {0xFF, "\u00FF"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Windows1252ToUtf8(Byte(c.byte)), c.utf8) << c.byte;
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), Byte(c.byte)) << c.byte;
    }
    EXPECT_EQ(Utf8ToWindows1252("ALT+\u00E9"), "ALT+\xE9");
}

TEST(Windows1252Test, TextTheCodePageCannotHoldIsRefusedWhole)
{
    for (const char *text : {
             "ALT+\u0142",       // ł: no byte for it
             "\u4E2D",           // a CJK character
             "\xF0\x9F\x98\x80", // an emoji beyond U+FFFF
             "\xC2\x80",         // U+0080, a control the code page replaced by the euro sign
             "\xC3",             // cut short
             "\xC0\xA0",         // overlong
             "\xED\xA0\x80",     // a surrogate
             "\xFF",             // no UTF-8 at all
         })
        EXPECT_EQ(Utf8ToWindows1252(text), std::nullopt) << text;
}

} // namespace
