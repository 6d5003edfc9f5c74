// The Windows console's rules, on the values a console reports: key
// events into keys, the modes, a line read's outcome, control events.
#include "../src/console/windowsregeln.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int U = unbekanntetaste;

// The Windows console's key events: the same codes as the same keys give
// on a terminal; nothing for releases, modifiers and dead keys.
TEST(ereignistaste, faelle)
{
    constexpr unsigned long alt = 0x2, altgr = 0x1 | 0x8, strg = 0x8, erweitert = 0x100;
    const struct {
        konsolenereignis e;
        int code;
    } faelle[] = {
        {{true, 'A', 30, 'a', 0}, 'a'},
        {{true, 0xDE, 40, 0xE4, 0}, 0xE4},        // ä
        {{true, 0xC0, 41, 0xE0, 0}, 0xE0},        // à, no prefix
        {{true, 'C', 46, 3, strg}, 3},
        {{true, 0x1B, 1, 0, 0}, 27},
        {{true, 0x0D, 28, '\r', 0}, 13},
        {{true, 0x08, 14, 0, 0}, 8},
        {{true, 0x09, 15, '\t', 0}, 9},
        {{true, 0x70, 59, 0, 0}, taste::f1},         // F1
        {{true, 0x79, 68, 0, 0}, taste::f10},         // F10, never D
        {{true, 0x7A, 87, 0, 0}, taste::f11},
        {{true, 0x7B, 88, 0, 0}, taste::f12},
        {{true, 0x26, 72, 0, erweitert}, taste::hoch},
        {{true, 0x25, 75, 0, erweitert}, taste::links},
        {{true, 0x5D, 93, 0, erweitert}, keintastendruck},   // Apps, and keys a terminal lacks:
        {{true, 0xAF, 48, 0, erweitert}, keintastendruck},   // volume up,
        {{true, 0xB3, 34, 0, erweitert}, keintastendruck},   // play,
        {{true, 0xA6, 106, 0, erweitert}, keintastendruck},  // browser back,
        {{true, 0x1C, 121, 0, 0}, keintastendruck},          // IME convert,
        {{true, 0x86, 0, 0, 0}, keintastendruck},            // F23
        {{true, 0x0C, 76, 0, 0}, taste::mitte},             // the keypad's centre
        {{true, 0x2D, 82, 0, erweitert}, taste::einfuegen},     // Insert
        {{true, 0x26, 0, 0, 0}, U},                   // Up without a scan code
        {{true, 'A', 30, 'a', alt}, alttaste('a')},
        {{true, 'D', 32, 'd', 0x1}, alttaste('d')},
        {{true, '1', 2, '1', alt}, U},
        {{true, 'Q', 16, '@', altgr}, '@'},
        {{true, 'E', 18, 0x20AC, altgr}, 0x80},   // €
        {{true, 0x64, 75, 0, alt}, keintastendruck},     // Alt+4 on the keypad
        {{true, 0x69, 73, 0, alt}, keintastendruck},     // ... and Alt+9
        {{true, 0xBA, 39, 0, 0}, keintastendruck},       // the first and the last
        {{true, 0xF5, 0, 0, 0}, keintastendruck},        // dead-key place
        {{true, 0xF6, 0, 0, 0}, keintastendruck},
        {{true, 0x25, 75, 0, alt}, keintastendruck},     // ... with NumLock off,
        {{true, 0x2E, 83, 0, alt}, keintastendruck},     // its last key too
        {{true, 0x25, 75, 0, alt | erweitert}, U},
        {{false, 0x12, 56, 0xE4, 0}, keintastendruck},   // Alt released, never pressed
        {{false, 'A', 30, 'a', 0}, keintastendruck},
        {{true, 0x10, 42, 0, 0x10}, keintastendruck},
        {{true, 0x14, 58, 0, 0}, keintastendruck},       // Caps Lock
        {{true, 0x70, 59, 0, alt}, U},            // Alt+F1, never Alt+P
        {{true, 0x12, 56, 0, alt}, keintastendruck},
        {{true, 0xDC, 41, 0, 0}, keintastendruck},       // dead ^, then the composed letter
        {{true, 'E', 18, 0xEA, 0}, 0xEA},
        {{true, 0, 0, 0xD83D, 0}, ersatzzeichen}, // a pair of surrogates: one
        {{true, 0, 0, 0xDC00, 0}, keintastendruck},
        {{true, 'A', 30, 0x100, 0}, ersatzzeichen},
        {{true, 'X', 45, 0x81, 0}, ersatzzeichen}, // no filler can be typed
    };
    for (const auto &f : faelle) {
        altzustand altgehalten;
        EXPECT_EQ(ereignistaste(f.e, altgehalten), f.code) << f.e.virtuell << " " << f.e.zeichen << " " << f.e.zustand;
    }
}

// Key events in a row, one key each: keys a console spells as escape
// sequences, Alt released before or after its letter, Alt+keypad digits.
struct ereignisfolge {
    std::vector<konsolenereignis> ereignisse;   // zeichen 0xFFFF: a pause,
    size_t pos = 0;                             // 0xFFFE: the console goes
};

int ereignislesen(void *kontext, int wartems, konsolenereignis *e)
{
    auto &f = *static_cast<ereignisfolge *>(kontext);
    if (f.pos < f.ereignisse.size() && f.ereignisse[f.pos].zeichen == 0xFFFE)
        return -1;
    for (; f.pos < f.ereignisse.size() && f.ereignisse[f.pos].zeichen == 0xFFFF; f.pos++)
        if (wartems >= 0)
            return f.pos++, 0;
    if (f.pos >= f.ereignisse.size())
        return wartems >= 0 ? 0 : -1;
    *e = f.ereignisse[f.pos++];
    return 1;
}

TEST(ereignisdekodieren, folgen)
{
    constexpr unsigned long alt = 0x2;
    const konsolenereignis p {true, 0, 0, 0xFFFF, 0};
    auto vt = [](char c) { return konsolenereignis {true, 0, 0, static_cast<unsigned short>(c), 0}; };
    auto los = [](konsolenereignis e) { e.unten = false; return e; };
    const konsolenereignis altab {true, 0x12, 56, 0, alt}, altauf {false, 0x12, 56, 0, 0};
    const konsolenereignis d {true, 'D', 32, 'd', 0}, altd {true, 'D', 32, 'd', alt};
    const struct {
        std::vector<konsolenereignis> ereignisse;
        std::vector<int> codes;
    } faelle[] = {
        {{vt('\x1b'), vt('['), vt('A')}, {taste::hoch}},   // Up, never A
        {{vt('\x1b'), los(vt('\x1b')), vt('['), los(vt('[')), vt('A'), los(vt('A'))}, {taste::hoch}},
        {{vt('\x1b'), vt('O'), vt('P'), vt('\x1b'), vt('['), vt('3'), vt('~'), d}, {taste::f1, taste::entfernen, 'd'}},
        {{d, vt('\x1b'), vt('['), vt('1'), vt(';'), vt('5'), vt('D'), d}, {'d', taste::links, 'd'}},
        {{vt('\x1b'), p, d}, {27, 'd'}},
        {{vt('\x1b'), vt('['), vt('2'), p, vt('x')}, {U, 'x'}},
        {{vt('\x1b'), vt('['), vt('1'), {true, 0, 0, 0xFFFE, 0}}, {U}},
        {{{true, 0x1B, 1, 0x1B, 0}, {true, 0xDB, 26, '[', 0}}, {27, '['}},   // the real Escape key
        // Alt released before its letter: the letter on Alt's release is
        // no second key; in either order one Alt+D.
        {{altab, altd, {false, 0x12, 56, 'd', 0}, los(d)}, {alttaste('d')}},
        {{altab, altd, los(altd), altauf}, {alttaste('d')}},
        // A character not on the keyboard: Alt, then its release with it.
        {{altab, {false, 0x12, 56, 0x20AC, 0}, altab, {false, 0x12, 56, 0x2013, 0}, d}, {0x80, 0x96, 'd'}},
        // Alt+2+2+8 on the keypad composes ä, given on Alt's release.
        {{altab, {true, 0x62, 80, 0, alt}, {true, 0x62, 80, 0, alt}, {true, 0x68, 72, 0, alt},
          {false, 0x12, 56, 0xE4, 0}, {false, 0x12, 56, 'd', 0}},
         {0xE4}},
    };
    for (const auto &f : faelle) {
        ereignisfolge folge {f.ereignisse};
        ereignisquelle q {ereignislesen, &folge};
        std::vector<int> codes;
        for (int c; (c = ereignisdekodieren(q)) != keinetaste;)
            codes.push_back(c);
        EXPECT_EQ(codes, f.codes) << f.ereignisse.size();
    }
}

// The Windows console's other decisions: the input modes from a mode
// another program left, a line read's outcome, a control event's effect.
TEST(konsolenregeln, modusundausgang)
{
    const struct {
        unsigned long gefunden, taste, zeile;
    } modi[] = {
        {0x1F7, 0x1F0, 0x1F7},   // the usual: quick edit, insert, extended kept
        {0x3F7, 0x1F0, 0x1F7},   // virtual-terminal input left on
        {0x000, 0x000, 0x007},   // a program that cleared everything
        {0x218, 0x018, 0x01F},
    };
    for (const auto &m : modi) {
        EXPECT_EQ(tastenwartemodus(m.gefunden), m.taste) << std::hex << m.gefunden;
        EXPECT_EQ(zeilenlesemodus(m.gefunden), m.zeile) << std::hex << m.gefunden;
        EXPECT_EQ(zwischenmodus(m.gefunden) & 0x1, 0x1u) << std::hex << m.gefunden;   // Ctrl-C a signal
    }
    // Output: line ends act and lines wrap, whatever was left.
    const unsigned long ausgabe[][2] = {{0x3, 0x3}, {0x0, 0x3}, {0x7, 0x7}, {0xF, 0x7}, {0x1C, 0x17}};
    for (const auto &a : ausgabe)
        EXPECT_EQ(ausgabemodus(a[0]), a[1]) << std::hex << a[0];
    // Where the keys come from: the console, where someone can type into it.
    const struct {
        tastenquelle q;
        bool konsole;
    } quellen[] = {
        {{true, false, false, false}, true},    // standard input is the console
        {{false, false, true, true}, true},     // a console window, input redirected
        {{false, true, false, false}, true},    // a pseudo-console: ssh -t, Windows Terminal
        {{false, false, true, false}, false},   // a window nobody sees (Server 2019, CREATE_NO_WINDOW)
        {{false, false, false, true}, false},   // a service's invisible window station
        {{false, false, false, false}, false},
    };
    for (const auto &k : quellen)
        EXPECT_EQ(tastenvonkonsole(k.q), k.konsole)
            << k.q.eingabekonsole << k.q.pseudokonsole << k.q.stationsichtbar << k.q.fenstersichtbar;
    using A = zeilenausgang;
    const struct {
        bool gelesen;
        unsigned long fehler, anzahl;
        unsigned short erstes;
        bool strgc;
        A ausgang;
    } zeilen[] = {
        {true, 0, 7, 'H', false, A::wort},
        {true, 0, 0, 0, false, A::nochmal},   // empty, no Ctrl-C came
        {true, 0, 0, 0, true, A::strgc},      // empty, the handler ran after
        {false, 995, 0, 0, true, A::strgc},   // aborted, as some versions do
        {false, 995, 0, 0, false, A::nochmal},
        {true, 0, 5, 'H', true, A::strgc},
        {true, 0, 3, 0x1A, false, A::ende},   // Ctrl-Z, Enter
        {true, 0, 3, 'x', false, A::wort},
        {false, 6, 0, 0, false, A::ende},     // the console is gone
    };
    for (const auto &z : zeilen)
        EXPECT_EQ(zeilelesenausgang(z.gelesen, z.fehler, z.anzahl, z.erstes, z.strgc), z.ausgang)
            << z.gelesen << " " << z.fehler << " " << z.anzahl << " " << z.strgc;
    using F = steuerfolge;
    const struct {
        unsigned long ereignis;
        bool taste, zeile;
        F folge;
    } steuer[] = {
        {0, true, false, F::taste},      {0, false, true, F::abbruch},  {0, false, false, F::vormerken},
        {1, true, false, F::abbruch},    {1, false, false, F::abbruch}, {2, false, true, F::schluss},
        {5, true, false, F::schluss},    {6, false, false, F::schluss}, {3, false, false, F::standard},
    };
    for (const auto &f : steuer)
        EXPECT_EQ(steuerereignisfolge(f.ereignis, f.taste, f.zeile), f.folge) << f.ereignis << f.taste << f.zeile;
}

}
