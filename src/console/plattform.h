// The contract between the console's portable parts and a platform: what
// each platform folder (posix/, windows/) defines, and nothing more. A new
// platform is a folder that defines all of it, and a line in
// CMakeLists.txt that picks the folder. Each folder is laid out alike:
//   zustand.h    the platform's state, in one struct, and what its sources
//                share
//   eingabe.cpp  konsolebeginnen, the keyboard's modes and keys, standard
//                input's source, scheitern
//   signale.cpp  signaleeinrichten: what ends, stops or interrupts the
//                program from outside puts the modes back first
//   ausgabe.cpp  textablegen, ausgabeabschicken, bildschirmloeschen
// The portable parts do the rest: the texts (bildschirm.cpp), the key
// reads (tastatur.cpp), words and lines (eingabeleser.cpp), the character
// set, the key decoder (tasten.h) and the Windows console's rules.
#pragma once

#include <cstddef>

// ---- From konsole.h, defined by the platform ----
// konsolebeginnen: finds the keyboard and the output, sets standard
//   input's source (eingabeleser.h: standardeingabe's fuellen, kontext,
//   endebleibt, utf8), calls signaleeinrichten where there is a keyboard.
// ausgabeabschicken: the screen buffer out in one write; a failed write
//   ends the program through scheitern.
// bildschirmloeschen: clears the screen (a form feed where the output is
//   no screen).

// The bildschirm texts, in the set inside, into the screen buffer that
// ausgabeabschicken sends; a full buffer is sent first.
void textablegen(const char *text, size_t n);

// Whether there is a keyboard; without one the keys come from standard
// input, a byte each.
bool tastaturda();

// One key from the keyboard: single-key mode held for the wait and always
// put back, the screen sent, the key decoded (tasten.h, windowsregeln.h).
// ganz: the final pause's key, where a UTF-8 character is taken whole
// wherever the terminal speaks UTF-8.
int tastaturtaste(bool ganz);

// Handlers that put the modes back before anything from outside ends or
// stops the program, and take single-key mode up again after a continue.
void signaleeinrichten();

// The modes found put back, where they are still ours; safe to call from
// any handler and at any end, and again.
void zuruecksetzen();

// A failure of the program's work (fehler: errno, or the Windows error
// code): the modes back, one line on standard error naming what failed,
// with the system's text, none when the reader left; status 1.
[[noreturn]] void scheitern(const char *was, unsigned long fehler);
