// The game routines on buffers as the menu loop leaves them: filler behind
// the first word, leftovers of longer words behind later ones.
#include "../src/console/konsole.h"
#include "../src/games/spiele.h"
#include "dialoge.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// What a routine writes to standard output.
template <class F>
std::string mitschnitt(F routine)
{
    fflush(stdout);
    FILE *datei = tmpfile();
    int alt = dup(1);
    dup2(fileno(datei), 1);
    routine();
    ausgabeabschicken();
    dup2(alt, 1);
    close(alt);
    rewind(datei);
    std::string text;
    for (int c; (c = fgetc(datei)) != EOF;)
        text += static_cast<char>(c);
    fclose(datei);
    return text;
}

// A text longer than the screen buffer leaves whole and in order.
TEST(bildschirm, langertext)
{
    std::string text;
    for (int i = 0; i < 20000; i++)
        text += static_cast<char>('a' + i % 26);
    EXPECT_EQ(mitschnitt([&] {
                  for (char c : text.substr(0, 9000))
                      bildschirm::putchar(c);
                  for (size_t i = 9000; i < text.size(); i += 1000)
                      bildschirm::printf("%s", text.substr(i, 1000).c_str());
              }),
              text);
}

// A buffer of n chars that held the filler, then each word in turn.
template <size_t n>
struct wortpuffer {
    char b[n];
    char danach = 'Z';   // a letter no routine may reach
    explicit wortpuffer(std::vector<std::string> woerter)
    {
        std::memset(b, 0xCC, n);
        for (const std::string &w : woerter)
            std::memcpy(b, w.c_str(), w.size() + 1);
    }
};

std::string zeilen(std::vector<int> stellen, char s)
{
    std::string t;
    for (int i : stellen)
        t += "Der " + std::to_string(i) + ". Buchstabe ist ein " + s + "\n";
    return t;
}

TEST(buchstabensuche, faelle)
{
    const struct {
        std::vector<std::string> woerter;
        char suche;
        std::vector<int> stellen;
    } faelle[] = {
        {{"Hallo"}, 'l', {3, 4}},
        {{"Hallo"}, 'h', {1}},
        {{"hallo"}, 'H', {}},
        {{"Hi!"}, 'A', {3}},
        {{"P0Y9"}, 'P', {1, 2}},
        {{"Hallo"}, ' ', {6}},
        {{"sssssssssssssssssss"}, ' ', {20}},
        {{"Hallo"}, '\n', {}},
        {{"Hallo", "ab"}, 'l', {4}},
        {{"Hallo", "ab"}, ' ', {3, 6}},
        {{"ab"}, 'b', {2}},
        {{"\xc3\xa4\xc3\xa4"}, 'c', {}},
        {{"Hallo"}, '\x8c', {}},   // 0x8C - 32 is 'l' only where char is unsigned
        {{"sssssssssssssssssss"}, 's',
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
    };
    for (const auto &f : faelle) {
        wortpuffer<suchwortgroesse> eingabe(f.woerter);
        char suche = f.suche;
        EXPECT_EQ(mitschnitt([&] { buchstabensuche(eingabe.b, &suche); }),
                  zeilen(f.stellen, f.suche))
            << f.woerter.back() << " / " << f.suche;
    }
}

TEST(buchstabenzaehlung, faelle)
{
    const struct {
        std::vector<std::string> woerter;
        int gross, klein;
    } faelle[] = {
        {{"Hallo"}, 1, 4},
        {{"ABC123xyz"}, 3, 3},
        {{"@AZ[`az{"}, 2, 2},
        {{"!?.,;:-"}, 0, 0},
        {{"\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\x84"}, 0, 0},
        {{"HALLOWELT", "ab"}, 6, 2},
        {{"ab"}, 0, 2},
        {{std::string(29, 'Q')}, 29, 0},
        {{std::string(29, 'q'), "Ab"}, 1, 27},
    };
    for (const auto &f : faelle) {
        wortpuffer<wortgroesse> wortzaehl(f.woerter);
        EXPECT_EQ(mitschnitt([&] { buchstabenzaehlung(wortzaehl.b); }), zaehlung(f.gross, f.klein))
            << f.woerter.back();
    }
}

TEST(wortinversion, faelle)
{
    const struct {
        std::vector<std::string> woerter;
        std::string ausgabe;
    } faelle[] = {
        {{"Hallo"}, "ollaH"},
        {{"Hallo!"}, "ollaH"},
        {{"(a)"}, ")a"},
        {{"!\"#$%&'("}, ""},
        {{"(())"}, "))"},
        {{"a)*b"}, "b*)a"},
        {{"\x7f~"}, "~\x7f"},
        {{"Gr\xc3\xbc\xc3\x9f" "e"}, "erG"},
        {{"HalloWelt", "ab"}, "tleWolba"},
        {{"ab"}, "ba"},
        {{"abcdefghijklmnopqrstuvwxyzABC"}, "CBAzyxwvutsrqponmlkjihgfedcba"},
        {{"abcdefghijklmnopqrstuvwxyzABCD"}, "DCBAzyxwvutsrqponmlkjihgfedcba"},   // no terminator inside
    };
    for (const auto &f : faelle) {
        wortpuffer<wortgroesse> wortinv(f.woerter);
        EXPECT_EQ(mitschnitt([&] { wortinversion(wortinv.b); }), f.ausgabe) << f.woerter.back();
    }
}

}
