// The browser's console: the page's terminal (xterm.js) is the screen, its
// queue of typed and pasted bytes the keyboard and standard input. Its
// calls into the page, in seite.js:
//   buchstabenspiele.schreiben(bytes)   terminal bytes onto the screen
//   buchstabenspiele.byte(wartems)      the next byte of the queue; zeitum
//                                       when none came within wartems
//                                       (-1: no limit)
//   buchstabenspiele.tastegelesen(t)    a key read took key t, unechoed
//   buchstabenspiele.beendet(status)    the program has ended
// Escape sequences written: ESC [ H ESC [ 2 J for the clear, as on a POSIX
// terminal; the keys' sequences are decoded by ../tasten.h.
#pragma once

#include "../fehler.h"
#include "../plattform.h"
#include "../tasten.h"

// One reader of the page's queue, for the key reads and the lines alike,
// so that no byte read ahead is lost between them.
extern tastenleser seitentasten;

// Terminal bytes onto the page's screen, as they are.
void seiteschreiben(const char *bytes, int n);

// Tells the page the program's end and its status; never returns.
[[noreturn]] void seitebeenden(int status);
