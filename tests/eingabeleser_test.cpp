// The reader behind the dialogues, on byte strings delivered in pieces.
#include "../src/console/konsole.h"

#include "testname.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace std::literals;

namespace {

// Hands out one piece per fill; an empty piece is an end of input that a
// terminal reports once (Ctrl-D); after the last piece the end is for good.
struct stueckquelle {
    std::vector<std::string_view> stuecke;
    size_t naechstes = 0, versatz = 0;
};

int stueckfuellen(void *kontext, unsigned char *ziel, int platz)
{
    auto &q = *static_cast<stueckquelle *>(kontext);
    if (q.naechstes >= q.stuecke.size())
        return 0;
    std::string_view s = q.stuecke[q.naechstes].substr(q.versatz);
    size_t n = std::min(s.size(), static_cast<size_t>(platz));
    std::memcpy(ziel, s.data(), n);
    q.versatz += n;
    if (q.versatz >= q.stuecke[q.naechstes].size()) {
        q.naechstes++;
        q.versatz = 0;
    }
    return static_cast<int>(n);
}

// Runs the operations w (word into a 20-char buffer), c (character),
// v (discard) and b (byte) and logs what each stored: the word with its
// terminator, the character, or "-" for nothing stored. The log ends with
// what was left unread.
std::string ablauf(std::vector<std::string_view> stuecke, bool endebleibt,
                   std::string_view ops, int groesse = 20)
{
    stueckquelle q{stuecke};
    eingabeleser l;
    l.fuellen = stueckfuellen;
    l.kontext = &q;
    l.endebleibt = endebleibt;
    std::string log;
    for (char op : ops) {
        char puffer[40];
        std::memset(puffer, 0xCC, sizeof puffer);
        if (op == 'w') {
            l.wort(puffer, groesse);
            size_t n = 0;
            while (n < sizeof puffer && static_cast<unsigned char>(puffer[n]) != 0xCC)
                n++;
            log += n ? std::string(puffer, n) : "-";
        } else if (op == 'c') {
            l.zeichen(puffer);
            log += static_cast<unsigned char>(puffer[0]) == 0xCC ? "-" : std::string(1, puffer[0]);
        } else if (op == 'v') {
            l.verwerfen();
            continue;
        } else if (op == 'b') {
            log += std::to_string(l.byte());
        }
        log += '|';
    }
    l.endebleibt = true;
    for (int c; (c = l.byte()) >= 0;)
        log += static_cast<char>(c);
    return log;
}

struct fall {
    const char *name;
    std::vector<std::string_view> stuecke;
    bool endebleibt;
    std::string_view ops;
    std::string_view erwartet;
};

const fall faelle[] = {
    {"rest der zeile verworfen", {"Hallo Welt\nx"}, true, "wv", "Hallo\0|x"sv},
    {"leere zeilen und leerraum uebersprungen", {"\n\n \t Hallo\n"}, true, "wv", "Hallo\0|"sv},
    {"endender leerraum bleibt ungelesen", {"ab \n"}, true, "w", "ab\0| \n"sv},
    {"zeichen nimmt erstes byte", {"xyz\nrest"}, true, "cv", "x|rest"},
    {"enter als zeichen, verwerfen wartet nicht", {"\nrest"}, true, "cv", "\n|rest"},
    {"blank als zeichen", {" \nrest"}, true, "cv", " |rest"},
    {"wort und zeichen auf einer zeile", {"Hallo l\nz\n"}, true, "wvcv", "Hallo\0|z|"sv},
    {"ueberlanges wort gekuerzt", {"abcdefghijklmnopqrstuvwxy tail\nnext"}, true, "wv",
     "abcdefghijklmnopqrs\0|next"sv},
    {"19 zeichen passen genau", {"abcdefghijklmnopqrs\n"}, true, "wv", "abcdefghijklmnopqrs\0|"sv},
    {"binaer und nul wie andere bytes", {"a\0b\x80\xff c\n"sv}, true, "wv", "a\0b\x80\xff\0|"sv},
    {"wort ueber stueckgrenzen", {"Ha", "l", "lo\nx"}, true, "wv", "Hallo\0|x"sv},
    {"ende vor dem wort speichert nichts", {}, true, "wvcv", "-|-|"},
    {"wort am ende ohne zeilenende", {"Hallo"}, true, "wvc", "Hallo\0|-|"sv},
    {"datei: ende ist endgueltig", {"", "abc\n"}, true, "wvw", "-|-|"},
    {"terminal: ctrl-d beendet nur diesen lesevorgang", {"", "abc\n"}, false, "wvw",
     "-|abc\0|\n"sv},
    {"terminal: ctrl-d am zeichen, dann neue zeile", {"", "q\n"}, false, "cvcv", "-|q|"},
    {"bytes fuer tasten", {"ab"}, true, "bbb", "97|98|-1|"},
};

void PrintTo(const fall &f, std::ostream *os)
{
    *os << f.name;
}

class leserfall : public testing::TestWithParam<fall> {};

TEST_P(leserfall, liest)
{
    const fall &f = GetParam();
    EXPECT_EQ(ablauf(f.stuecke, f.endebleibt, f.ops), f.erwartet);
}

INSTANTIATE_TEST_SUITE_P(eingabeleser, leserfall, testing::ValuesIn(faelle),
                         [](const auto &info) { return testname(info.param.name); });

TEST(eingabeleser, sehrlangezeilewirdganzverworfen)
{
    std::string zeile(1000000, 'x');
    zeile += "\nok\n";
    EXPECT_EQ(ablauf({zeile}, true, "wvw", 30),
              "xxxxxxxxxxxxxxxxxxxxxxxxxxxxx\0|ok\0|\n"sv);
}

}
