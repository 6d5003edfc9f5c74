// The keys: the one table of special keys the program knows, and the
// decoder that turns a terminal's bytes into keys, one code per key, so
// that no special key's bytes are ever taken as menu letters.
//
// Escape sequences decoded (ESC = 0x1B), each into one key of the table:
//   ESC [ A/B/C/D, ESC O A/B/C/D      hoch, runter, rechts, links
//   ESC [ H/F, ESC O H/F              pos1, ende
//   ESC [ E, ESC O E                  mitte (the keypad's centre)
//   ESC [ P/Q/R/S, ESC O P/Q/R/S      f1-f4
//   ESC [ n ~   n = 1,7 pos1; 2 einfuegen; 3 entfernen; 4,8 ende;
//               5 bildhoch; 6 bildrunter; 11-15 f1-f5; 17-21 f6-f10;
//               23 f11; 24 f12
//   ESC [ [ A..E                      f1-f5 (Linux console)
//   ESC [ n $, ESC [ n ^, ESC [ n @   as ESC [ n ~ (rxvt's Shift, Ctrl,
//                                     Ctrl+Shift)
//   modifiers as parameters (ESC [ 1 ; 5 D, ESC [ 3 ; 2 ~) are dropped;
//   ESC [ M and three raw bytes (an X10 mouse report), and any other
//   complete CSI or SS3 sequence, are unbekanntetaste.
//   ESC and a letter in one burst (Alt+letter): alttaste of the letter;
//   ESC and any other key: unbekanntetaste.
// ESC with nothing behind it within escwartems is the Escape key, 27. Once
// ESC [ or ESC O has come, the rest is awaited for sequenzwartems; a [ or O
// within sequenzwartems after a lone Escape is taken as the rest of a
// sequence that a slow link split after its ESC.
#pragma once

#include "konsole.h"
#include "zeichensatz.h"

constexpr int sondertaste = 0x100;       // + the key's code in the table
constexpr int unbekanntetaste = 0x1FF;   // a special key without a code
constexpr int escwartems = 50;           // a lone Escape, or a key's start
constexpr int sequenzwartems = 1000;     // the rest of a begun sequence

// The special keys the program knows. A key's code is sondertaste + the
// code the Windows console's key read gives it (its scan code; F11 and
// F12 beyond), so that a key is the same key on every platform.
namespace taste {
constexpr int f1 = sondertaste + 59, f2 = sondertaste + 60, f3 = sondertaste + 61, f4 = sondertaste + 62,
              f5 = sondertaste + 63, f6 = sondertaste + 64, f7 = sondertaste + 65, f8 = sondertaste + 66,
              f9 = sondertaste + 67, f10 = sondertaste + 68, f11 = sondertaste + 133, f12 = sondertaste + 134;
constexpr int pos1 = sondertaste + 71, hoch = sondertaste + 72, bildhoch = sondertaste + 73,
              links = sondertaste + 75, mitte = sondertaste + 76, rechts = sondertaste + 77,
              ende = sondertaste + 79, runter = sondertaste + 80, bildrunter = sondertaste + 81,
              einfuegen = sondertaste + 82, entfernen = sondertaste + 83;
constexpr int f[] = {f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12};

// Each key with its virtual key on Windows.
constexpr struct {
    int code;
    unsigned short virtuell;
} tabelle[] = {
    {bildhoch, 0x21}, {bildrunter, 0x22}, {ende, 0x23}, {pos1, 0x24}, {links, 0x25}, {hoch, 0x26},
    {rechts, 0x27}, {runter, 0x28}, {einfuegen, 0x2D}, {entfernen, 0x2E}, {mitte, 0x0C},
    {f1, 0x70}, {f2, 0x71}, {f3, 0x72}, {f4, 0x73}, {f5, 0x74}, {f6, 0x75}, {f7, 0x76}, {f8, 0x77},
    {f9, 0x78}, {f10, 0x79}, {f11, 0x7A}, {f12, 0x7B},
};

// Alt with a letter: the letter's scan code, as the Windows console gives
// it (Alt+A sondertaste + 30).
constexpr unsigned char altscancodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                            49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
}

// Alt with the key c: for a letter sondertaste + its scan code, else
// unbekanntetaste.
constexpr int alttaste(int c)
{
    if (c >= 'a' && c <= 'z')
        return sondertaste + taste::altscancodes[c - 'a'];
    if (c >= 'A' && c <= 'Z')
        return sondertaste + taste::altscancodes[c - 'A'];
    return unbekanntetaste;
}

// Byte source of the keyboard: a byte 0-255, keinbyte when nothing came
// within wartems (-1: wait without limit), keinetaste at its end.
struct tastenleser {
    int (*lies)(void *kontext, int wartems);
    void *kontext;
    bool utf8 = false;     // a UTF-8 character is one key
    int zurueck = -1;      // a byte read ahead that belongs to the next key
    bool nachesc = false;  // the last key was an Escape that stood alone
};

// One key from a terminal's byte stream, escape sequences decoded.
int tastedekodieren(tastenleser &t);

