// The line mode of a screen without one: what a typed line holds, and
// what the screen shows of it.
#include "../src/console/tasten.h"
#include "../src/console/zeilendisziplin.h"
#include "bytequelle.h"


#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void mitschreiben(void *kontext, const char *bytes, int n)
{
    static_cast<std::string *>(kontext)->append(bytes, static_cast<size_t>(n));
}

zeilendisziplin mitecho(std::string &echo)
{
    zeilendisziplin z;
    z.zeigen = mitschreiben;
    z.kontext = &echo;
    return z;
}

const std::string zurueck = "\b \b";

TEST(zeilendisziplin, zeilen)
{
    const struct {
        const char *name;
        std::vector<int> tasten;
        std::string zeile, echo;
        zeilenstand stand;
        bool utf8 = true;
    } faelle[] = {
        {"enter", {'H', 'a', '\r'}, "Ha\n", "Ha\r\n", zeilenstand::fertig},
        {"lf", {'a', '\n'}, "a\n", "a\r\n", zeilenstand::fertig},
        {"leere zeile", {'\r'}, "\n", "\r\n", zeilenstand::fertig},
        {"backspace", {'a', 'x', 0x7F, 'b', '\r'}, "ab\n", "ax" + zurueck + "b\r\n", zeilenstand::fertig},
        {"strg-h", {'a', 0x08, 0x08, 'b'}, "b", "a" + zurueck + "b", zeilenstand::offen},
        // An umlaut is one byte inside, two on a UTF-8 screen, one column.
        {"backspace nach umlaut", {'B', 0xE4, 0x7F, 'a'}, "Ba", "B\xc3\xa4" + zurueck + "a", zeilenstand::offen},
        {"ohne utf8", {0xE4, 0x7F}, "", "\xe4" + zurueck, zeilenstand::offen, false},
        {"steuerzeichen als ^x", {0x0B, 0x0C, 'a', 0x00, '\r'}, std::string("\x0b\x0c" "a\0\n", 5), "^K^La^@\r\n",
         zeilenstand::fertig},
        {"steuerzeichen geloescht", {'a', 0x1B, 0x7F}, "a", "a^[" + zurueck + zurueck, zeilenstand::offen},
        {"tab", {'a', '\t', 'b', 0x7F, 0x7F}, "a", "a^Ib" + zurueck + zurueck + zurueck, zeilenstand::offen},
        {"strg-u", {'a', 'b', 0x15, 'c'}, "c", "ab" + zurueck + zurueck + "c", zeilenstand::offen},
        {"strg-w", {'a', ' ', 'b', 'c', ' ', 0x17, 'd'}, "a d", "a bc " + zurueck + zurueck + zurueck + "d",
         zeilenstand::offen},
        {"strg-w ganz", {'a', 'b', 0x17, 0x17}, "", "ab" + zurueck + zurueck, zeilenstand::offen},
        {"strg-d leer", {0x04}, "", "", zeilenstand::ende},
        {"strg-d nach text", {'a', 'b', 0x04}, "ab", "ab", zeilenstand::fertig},
        {"strg-c", {'H', 'a', 0x03}, "Ha\x03", "Ha^C", zeilenstand::abbruch},
        {"strg-backslash", {0x1C}, "\x1c", "^\\", zeilenstand::abbruch},
        {"sondertasten nichts", {'a', taste::hoch, taste::f1, unbekanntetaste, 'b'}, "ab", "ab", zeilenstand::offen},
        {"backspace auf leerer zeile", {0x7F, 0x15, 0x17, 'a'}, "a", "a", zeilenstand::offen},
    };
    for (const auto &f : faelle) {
        std::string echo;
        zeilendisziplin z = mitecho(echo);
        z.utf8 = f.utf8;
        zeilenstand stand = zeilenstand::offen;
        for (int t : f.tasten)
            stand = z.taste(t);
        EXPECT_EQ(std::string(z.zeile, static_cast<size_t>(z.laenge)), f.zeile) << f.name;
        EXPECT_EQ(echo, f.echo) << f.name;
        EXPECT_EQ(stand, f.stand) << f.name;
    }
}

// A full line takes only its end; the key after a finished line begins
// the next one.
TEST(zeilendisziplin, volleundnaechstezeile)
{
    std::string echo;
    zeilendisziplin z = mitecho(echo);
    for (int i = 0; i < zeilenplatz + 5; i++)
        z.taste('x');
    EXPECT_EQ(z.laenge, zeilenplatz - 1);
    EXPECT_EQ(z.taste('\r'), zeilenstand::fertig);
    EXPECT_EQ(z.laenge, zeilenplatz);
    EXPECT_EQ(z.zeile[zeilenplatz - 1], '\n');
    EXPECT_EQ(z.taste('a'), zeilenstand::offen);
    EXPECT_EQ(std::string(z.zeile, static_cast<size_t>(z.laenge)), "a");
}

// Standard input's source from keys: a finished line in the pieces the
// reader asks for, the next line only after it; 0 at Ctrl-D and when the
// keyboard is gone; Ctrl-C ends the program as a shell reports it.
TEST(zeilenquelle, fuellungen)
{
    const struct {
        const char *name, *tasten;
        int platz;
        std::vector<std::string> fuellungen;   // "" for a 0
        std::string echo;
    } faelle[] = {
        {"eine zeile", "Hallo\r", 64, {"Hallo\n"}, "Hallo\r\n"},
        {"in stuecken", "Hallo\rab\r", 2, {"Ha", "ll", "o\n", "ab", "\n"}, "Hallo\r\nab\r\n"},
        {"strg-d leer, dann weiter", "\x04" "a\r", 64, {"", "a\n"}, "a\r\n"},
        {"backspace vor der ausgabe", "ax\x7f" "b\r", 64, {"ab\n"}, "ax" + zurueck + "b\r\n"},
        {"tastatur weg", "ab", 64, {"", ""}, "ab"},
        {"umlaut, utf-8 auf dem schirm", "B\xe4\r", 64, {"B\xe4\n"}, "B\xc3\xa4\r\n"},
    };
    for (const auto &f : faelle) {
        bytequelle bytes;
        const auto *b = reinterpret_cast<const unsigned char *>(f.tasten);
        bytes.mitmarken(std::vector<int>(b, b + std::strlen(f.tasten)));
        tastenleser leser {bytequelle::lies, &bytes};
        std::string echo;
        zeilenquelle q;
        q.zeile = mitecho(echo);
        q.tasten = &leser;
        for (const std::string &soll : f.fuellungen) {
            unsigned char ziel[64];
            int n = zeilenquellefuellen(&q, ziel, f.platz);
            EXPECT_EQ(std::string(reinterpret_cast<char *>(ziel), static_cast<size_t>(n)), soll) << f.name;
        }
        EXPECT_EQ(echo, f.echo) << f.name;
    }
    bytequelle bytes;
    bytes.mitmarken({'H', 0x03});
    tastenleser leser {bytequelle::lies, &bytes};
    std::string echo;
    zeilenquelle q;
    q.zeile = mitecho(echo);
    q.tasten = &leser;
    unsigned char ziel[8];
    EXPECT_EXIT(zeilenquellefuellen(&q, ziel, sizeof ziel), testing::ExitedWithCode(130), "");
}

}
