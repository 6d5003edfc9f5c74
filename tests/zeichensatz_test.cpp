// The character set: each byte as it goes out to a stream, a terminal and
// the Windows console, and what a locale's name says of its codeset.
#include "../src/console/zeichensatz.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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
        {0x00, true, true, "^@"},      {0x80, false, true, "M-^@"},      {0x0E, true, false, "\x0e"},   {0x9B, false, true, "M-^["},
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

// The edges of UTF-8: where continuation bytes begin and end for each
// lead byte, so that overlong forms, surrogates and code points past
// U+10FFFF are no characters. Each broken piece is one substitute, and the
// byte that broke it counts again.
TEST(utf8dekodierer, grenzen)
{
    constexpr int E = ersatzzeichen;
    const struct {
        std::vector<unsigned char> bytes;
        std::vector<int> zeichen;
    } faelle[] = {
        {{0xC2, 0xA0}, {0xA0}},          {{0xC3, 0xBF}, {0xFF}},           {{0xC3, 0x7F}, {E, 0x7F}},
        {{0xC3, 0xC0}, {E, E}},          {{0xC1, 0xBF}, {E, E}},           {{0xE2, 0x82, 0xAC}, {0x80}},
        {{0xE0, 0xA0, 0x80}, {E}},       {{0xE0, 0x9F, 0xBF}, {E, E, E}},  {{0xED, 0x9F, 0xBF}, {E}},
        {{0xED, 0xA0, 0x80}, {E, E, E}}, {{0xF0, 0x90, 0x80, 0x80}, {E}},  {{0xF0, 0x8F, 0xBF, 0xBF}, {E, E, E, E}},
        {{0xF4, 0x8F, 0xBF, 0xBF}, {E}}, {{0xF4, 0x90, 0x80, 0x80}, {E, E, E, E}}, {{0xF5, 0x80}, {E, E}},
    };
    for (const auto &f : faelle) {
        utf8dekodierer d;
        std::vector<int> zeichen;
        for (unsigned char b : f.bytes) {
            int c = d.weiter(b);
            if (c == utf8abbruch) {
                zeichen.push_back(E);
                c = d.weiter(b);
            }
            if (c >= 0)
                zeichen.push_back(c);
        }
        EXPECT_EQ(zeichen, f.zeichen) << int(f.bytes[0]) << " " << int(f.bytes[1]);
    }
}

}
