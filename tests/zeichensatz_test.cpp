// The character set: each byte as it goes out to a stream, a terminal and
// the Windows console, and what a locale's name says of its codeset.
#include "../src/console/zeichensatz.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Each byte as it goes out: to a UTF-8 stream, and to a terminal.
TEST(ausgabeform, bytes)
{
    const struct {
        unsigned char b;
        bool utf8, sichtbar;
        std::string_view form;
    } faelle[] = {
        {'a', true, true, "a"},        {' ', false, true, " "},        {'\t', true, true, "\t"},      {'\n', true, true, "\n"},
        {0x0E, true, true, "^N"},      {0x1B, false, true, "^["},      {0x7F, true, true, "^?"},
        {0x00, true, true, "^@"},      {0x0E, true, false, "\x0e"},   {0x9B, false, true, "M-^["},
        {0x89, false, true, "M-^I"},   {0x9F, false, true, "M-^_"},   {0xA0, false, true, "\xa0"},   {0x9B, false, false, "\x9b"},  {0xFC, false, true, "\xfc"},
        {0xFC, true, true, "\xc3\xbc"}, {0xDF, true, false, "\xc3\x9f"}, {0x80, true, true, "\xe2\x82\xac"},
        {0x81, true, true, "\xef\xbf\xbd"}, {0x8F, true, false, "\xef\xbf\xbd"},
    };
    for (const auto &f : faelle) {
        char form[4];
        int n = ausgabeform(f.b, f.utf8, f.sichtbar, form);
        EXPECT_EQ(std::string_view(form, static_cast<size_t>(n)), f.form) << int(f.b);
    }
    // Every byte from 0x80 up comes back as itself, or as the substitute
    // when the set has no character for it.
    for (int b = 0x80; b <= 0xFF; b++) {
        char form[4];
        int n = ausgabeform(static_cast<unsigned char>(b), true, false, form);
        utf8dekodierer d;
        int c = utf8mehr;
        for (int i = 0; i < n; i++)
            c = d.weiter(static_cast<unsigned char>(form[i]));
        bool ohnezeichen = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(c, ohnezeichen ? ersatzzeichen : b) << b;
        EXPECT_EQ(ohnezeichen, std::string_view(form, static_cast<size_t>(n)) == "\xef\xbf\xbd") << b;
    }
}

// Each byte as it goes to the Windows console: nothing it could act on.
TEST(konsolenform, bytes)
{
    const struct {
        unsigned char b;
        std::u16string form;
    } faelle[] = {
        {'a', u"a"}, {'\t', u"\t"}, {'\n', u"\r\n"}, {0x07, u"^G"}, {0x1B, u"^["}, {0x0D, u"^M"},
        {0x00, u"^@"}, {0x1F, u"^_"}, {0x7F, u"^?"}, {' ', u" "}, {0x7E, u"~"}, {0x80, u"\u20ac"},
        {0x9B, u"\u203a"}, {0x81, u"\ufffd"}, {0xE4, u"\u00e4"},
    };
    for (const auto &f : faelle) {
        unsigned short form[2];
        int n = konsolenform(f.b, form);
        EXPECT_EQ(std::u16string(form, form + n), f.form) << int(f.b);
    }
}

#ifndef _WIN32
// What a locale's name says of its codeset, for every C library alike.
TEST(utf8gebietsname, namen)
{
    const struct {
        const char *name;
        int utf8;
    } faelle[] = {
        {"de_DE.UTF-8", 1}, {"en_US.utf8@euro", 1}, {"UTF-8", 1},  {"de_DE.ISO-8859-1", 0},
        {"C.UTF-16", 0},    {"C", -1},              {"de_DE", -1}, {"de_DE@euro", -1},
    };
    unsetenv("LC_ALL");
    unsetenv("LC_CTYPE");
    for (const auto &f : faelle) {
        setenv("LANG", f.name, 1);
        EXPECT_EQ(utf8gebietsname(), f.utf8) << f.name;
    }
    unsetenv("LANG");
    EXPECT_EQ(utf8gebietsname(), 0);
}
#endif

}
