// The keys: the one table of special keys the program knows, and the
// decoder that turns a terminal's bytes into keys, one code per key, so
// that no special key's bytes are ever taken as menu letters.
//
// Escape sequences decoded (ESC = 0x1B), each into one key of the table
// below, whose rows say which sequences give a key:
//   ESC [ x, ESC O x                  x its final letter
//   ESC [ n ~                         n one of its numbers
//   ESC [ [ x                         x its Linux console letter
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

// Each key with all that gives it: its virtual key on Windows, and on a
// terminal its final letter after ESC [ or ESC O, its numbers in ESC [ n ~,
// its letter in the Linux console's ESC [ [ x (0: none).
constexpr struct {
    int code;
    unsigned short virtuell;
    char endbuchstabe;
    unsigned char nummern[2];
    char linuxkonsole;
} tabelle[] = {
    {hoch, 0x26, 'A', {}, 0},       {runter, 0x28, 'B', {}, 0},  {rechts, 0x27, 'C', {}, 0},
    {links, 0x25, 'D', {}, 0},      {mitte, 0x0C, 'E', {}, 0},   {pos1, 0x24, 'H', {1, 7}, 0},
    {ende, 0x23, 'F', {4, 8}, 0},   {einfuegen, 0x2D, 0, {2}, 0}, {entfernen, 0x2E, 0, {3}, 0},
    {bildhoch, 0x21, 0, {5}, 0},    {bildrunter, 0x22, 0, {6}, 0},
    {f1, 0x70, 'P', {11}, 'A'},     {f2, 0x71, 'Q', {12}, 'B'},  {f3, 0x72, 'R', {13}, 'C'},
    {f4, 0x73, 'S', {14}, 'D'},     {f5, 0x74, 0, {15}, 'E'},    {f6, 0x75, 0, {17}, 0},
    {f7, 0x76, 0, {18}, 0},         {f8, 0x77, 0, {19}, 0},      {f9, 0x78, 0, {20}, 0},
    {f10, 0x79, 0, {21}, 0},        {f11, 0x7A, 0, {23}, 0},     {f12, 0x7B, 0, {24}, 0},
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

// A byte source's answer when nothing came within the time it was given.
constexpr int zeitum = -4;

// Byte source of the keyboard: a byte 0-255, zeitum when nothing came
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

