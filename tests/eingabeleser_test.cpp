// The reader behind the dialogues, on byte strings delivered in pieces.
#include "bytequelle.h"
#include "testname.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace std::literals;

namespace {

// Runs the operations w (word into a 20-char buffer), c (character),
// v (discard) and b (byte) and logs what each stored: the word with its
// terminator, the character, or "-" for nothing stored. The log ends with
// what was left unread.
std::string ablauf(std::vector<std::string_view> stuecke, bool endebleibt,
                   std::string_view ops, int groesse = 20, bool utf8 = false)
{
    bytequelle q;
    for (std::string_view s : stuecke)
        q.stueck(s);
    eingabeleser l;
    l.fuellen = bytequelle::fuellen;
    l.kontext = &q;
    l.endebleibt = endebleibt;
    l.utf8 = utf8;
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
    bool utf8 = false;
};

// A fill that takes the whole buffer, its last byte the one behind it.
const std::string vollespeicher = std::string(4095, 'a') + "Z";
const std::string vollerrest = std::string(19, 'a') + std::string(1, '\0') + "|" + std::string(4076, 'a') + "Z";

const fall faelle[] = {
    {"ein fuellen ganz voll", {vollespeicher}, true, "w", vollerrest},
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
    {"nul am wortanfang", {" \0ab\n"sv}, true, "w", "\0ab\0|\n"sv},
    {"wort ueber stueckgrenzen", {"Ha", "l", "lo\nx"}, true, "wv", "Hallo\0|x"sv},
    {"ende vor dem wort speichert nichts", {}, true, "wvcv", "-|-|"},
    {"wort am ende ohne zeilenende", {"Hallo"}, true, "wvc", "Hallo\0|-|"sv},
    {"datei: ende ist endgueltig", {"", "abc\n"}, true, "wvw", "-|-|"},
    {"terminal: ctrl-d beendet nur diesen lesevorgang", {"", "abc\n"}, false, "wvw",
     "-|abc\0|\n"sv},
    {"terminal: ctrl-d am zeichen, dann neue zeile", {"", "q\n"}, false, "cvcv", "-|q|"},
    {"bytes fuer tasten", {"ab"}, true, "bbb", "97|98|-1|"},
    {"steuerzeichen vor dem wort uebersprungen", {"\v\f\r Hallo\n"}, true, "w", "Hallo\0|\n"sv},
    {"nul als buchstabe", {"\0\nz"sv}, true, "cvb", "\0|122|"sv},
    {"nul hinter dem wort wird verworfen", {"Hallo x\0y\nz\n"sv}, true, "wvcv", "Hallo\0|z|"sv},
    // Enter as CR, LF or CR LF; the letter is then the line end.
    {"cr lf beendet die zeile", {"Hallo\r\nl\r\nz"}, true, "wvcv", "Hallo\0|l|z"sv},
    {"cr allein beendet die zeile", {"Hallo\rl\rz"}, true, "wvcv", "Hallo\0|l|z"sv},
    {"cr als buchstabe", {"\r\nz", "\rz"}, true, "cvbcvb", "\n|122|\n|122|"},
    {"lf nach cr kommt spaeter", {"ab\r", "\nz\n"}, false, "wvc", "ab\0|z|\n"sv},
    // UTF-8: one byte per character, in Windows-1252.
    {"utf8: deutsche buchstaben", {"\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f\n"}, true, "w",
     "\xe4\xf6\xfc\xc4\xd6\xdc\xdf\0|\n"sv, true},
    {"utf8: euro, anfuehrungszeichen und der rest von 0x80 bis 0x9f",
     {"\xe2\x82\xac\xe2\x80\x9a\xc6\x92\xe2\x80\x9e\xe2\x80\xa6\xe2\x80\xa0\xe2\x80\xa1\xcb\x86\xe2\x80\xb0"
      "\xc5\xa0\xe2\x80\xb9\xc5\x92\xc5\xbd\xe2\x80\x98 "
      "\xe2\x80\x99\xe2\x80\x9c\xe2\x80\x9d\xe2\x80\xa2\xe2\x80\x93\xe2\x80\x94\xcb\x9c\xe2\x84\xa2\xc5\xa1"
      "\xe2\x80\xba\xc5\x93\xc5\xbe\xc5\xb8\n"},
     true, "ww", "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8e\x91\0|"
                 "\x92\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9e\x9f\0|\n"sv, true},
    {"utf8: fehlerhaftes je ein ersatz", {"a\x80" "b\xe2\x82" "c\xc0\xaf" "d\xe0\x80" "e\xc3"}, true, "w",
     "a\x8f" "b\x8f" "c\x8f\x8f" "d\x8f\x8f" "e\x8f\0|"sv, true},
    {"utf8: ersatzfall surrogat und zu gross", {"e\xed\xa0" "f\xf4\x90" "g\xf5\x80 "}, true, "w",
     "e\x8f\x8f" "f\x8f\x8f" "g\x8f\x8f\0| "sv, true},
    {"utf8: grenzen der folgebytes", {"\xed\x9f\xbf" "a\xf0\x9f\x98\x80\x80" "b\xc3\x7f "}, true, "w",
     "\x8f" "a\x8f\x8f" "b\x8f\x7f\0| "sv, true},
    {"utf8: erste zeichen nach den startbytes", {"\xe0\xa0\x80" "a\xf0\x90\x80\x80" "b\xf4\x80\x80\x80 "}, true,
     "w", "\x8f" "a\x8f" "b\x8f\0| "sv, true},
    {"utf8: ausserhalb des zeichensatzes", {"\xd0\xaf\xf0\x9f\x98\x80\xc2\x80\xc2\x81\xc2\x9f "}, true, "w",
     "\x8f\x8f\x8f\x8f\x8f\0| "sv, true},
    {"utf8: folgebyte ausserhalb", {"a\xc3\xc0" "b\xe2\x82\x7f" "c\xe2\x82\xc0 "}, true, "w",
     "a\x8f\x8f" "b\x8f\x7f" "c\x8f\x8f\0| "sv, true},
    {"utf8: zeichen ueber stueckgrenzen", {"\xc3", "\xbc\xe2\x82", "\xac\xe2", "x\n"}, true, "w",
     "\xfc\x80\x8fx\0|\n"sv, true},
    {"utf8: abgeschnitten am ende, buchstabe", {"\xc3"}, true, "c", "\x8f|"sv, true},
    {"utf8: 19 umlaute passen", {"\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4"
                                 "\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4"},
     true, "w", "\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4\0|\xe4"sv, true},
};

void PrintTo(const fall &f, std::ostream *os)
{
    *os << f.name;
}

class leserfall : public testing::TestWithParam<fall> {};

TEST_P(leserfall, liest)
{
    const fall &f = GetParam();
    EXPECT_EQ(ablauf(f.stuecke, f.endebleibt, f.ops, 20, f.utf8), f.erwartet);
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
