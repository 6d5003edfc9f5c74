// The Windows console's rules, in plain functions of the values the
// console reports, so that they build and are tested on every platform:
// key events into keys, the modes for key waits, line reads and output,
// where the keys come from, the outcome of a line read, and what a control
// event does. windows/eingabe.cpp and windows/signale.cpp apply them.
#pragma once

#include "tasten.h"

// A key event of the Windows console, as ReadConsoleInputW reports it.
struct konsolenereignis {
    bool unten;                  // pressed, not released
    unsigned short virtuell;     // virtual key code
    unsigned short scancode;
    unsigned short zeichen;      // UTF-16 unit; 0 for a key without one
    unsigned long zustand;       // modifier keys (dwControlKeyState)
};

// What happened while Alt was held, carried from one event to the next.
struct altzustand {
    bool gedrueckt = false; // Alt went down: its release is not a stray one
    bool ziffern = false;   // digits typed on the keypad
    bool taste = false;     // a key reported
};

// A key event that is no key.
constexpr int keintastendruck = -5;

// Its key code, as the POSIX keyboard gives the same key (Windows-1252,
// sondertaste + the key's code, alttaste), or keintastendruck where it is
// no key:
// a release, a modifier alone, a dead key awaiting its letter, a key a
// terminal does not have (volume, media, Apps). A character on Alt's
// release is a key where digits were typed meanwhile, or no key was
// reported while Alt was held (the console's way to put in a character
// that is not on the keyboard).
int ereignistaste(const konsolenereignis &e, altzustand &altgehalten);

// The console's key events, one at a time: 1 and the event in e, 0 when
// none came within wartems (-1: wait without limit), -1 when the console
// is gone. A key held down is reported once per repeat.
struct ereignisquelle {
    int (*lies)(void *kontext, int wartems, konsolenereignis *e);
    void *kontext;
    altzustand altgehalten {};
    tastenleser folge {nullptr, nullptr};   // a key spelled as a sequence
};

// One key from the console's key events. Where a console spells a key as
// an escape sequence (virtual-terminal input left on: key events without a
// virtual key, with the characters ESC [ A for Up), the characters are a
// terminal's bytes and go through tastedekodieren: one key, as there.
int ereignisdekodieren(ereignisquelle &q);

// The input modes for a key wait and for a line read, from the mode found
// (the console's, shared with every program on it): each sets or clears
// the bits it relies on, processed input, line input, echo and
// virtual-terminal input, and keeps the rest (quick edit, insert mode).
unsigned long tastenwartemodus(unsigned long gefunden);
unsigned long zeilenlesemodus(unsigned long gefunden);
// Between reads, from the first key wait to the end: Ctrl-C the console's
// signal, even where another program left processed input off.
unsigned long zwischenmodus(unsigned long gefunden);
// The output mode for the program's run: line ends and tabs act and lines
// wrap, whatever another program left on the screen buffer.
unsigned long ausgabemodus(unsigned long gefunden);

// Where a keyboard is, as the console's APIs report it.
struct tastenquelle {
    bool eingabekonsole;    // standard input is the console
    bool pseudokonsole;     // a terminal (Windows Terminal, ssh -t) is behind it
    bool stationsichtbar;   // the window station is shown (not a service's)
    bool fenstersichtbar;   // the console window is a real, shown window
};
// Whether keys come from the console; otherwise from standard input, since
// nobody can type into it (a service, a scheduled task, ssh without a
// terminal).
bool tastenvonkonsole(const tastenquelle &q);

// What a line read from the console gave: a word (or a letter), nothing
// yet (read again), Ctrl-C (end as the console does), or the end of input.
enum class zeilenausgang { wort, nochmal, strgc, ende };
// gelesen: the read succeeded; fehler: its error when not; anzahl and
// erstes: the units read and the first of them; strgc: Ctrl-C came.
zeilenausgang zeilelesenausgang(bool gelesen, unsigned long fehler, unsigned long anzahl,
                                unsigned short erstes, bool strgc);

// What a console control event does, by where the program stands.
enum class steuerfolge {
    taste,       // Ctrl-C in a key wait: the key 3, put into the input
    vormerken,   // Ctrl-C between reads: the next read decides
    abbruch,     // the mode back, then end as the console's default does
    schluss,     // the window closed, logoff, shutdown: end at once, status 0
    standard,    // not the program's: the next handler's
};
steuerfolge steuerereignisfolge(unsigned long ereignis, bool tastenwartet, bool zeileliest);
