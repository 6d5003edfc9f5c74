// The contract between the console's portable parts and a platform: all
// that the portable parts call on one, and the rules it keeps. A new
// platform is a folder beside posix/, windows/ and web/ that defines these six
// functions, with a CMakeLists.txt naming its sources; -Dplattform=<folder>
// picks it. What every platform does alike is done before these are
// called: the texts are formatted and buffered (bildschirm.cpp), keys
// without a keyboard come from standard input (tastatur.cpp), words and
// lines are cut from standard input's bytes (eingabeleser.h), the failure
// line is begun (fehler.h). Inside, every byte is a Windows-1252
// character; zeichensatz.h turns them into and out of UTF-8 and UTF-16.
#pragma once

#include <cstddef>

// Once, before the first key or line is read (the help and the version are
// sent before it, as to a file). Finds the keyboard and the screen, and
// sets standard input's source (eingabeleser.h: standardeingabe's fuellen,
// kontext, endebleibt, utf8; left alone, standard input is at its end).
// The source's rules:
// - fuellen gives at most one line where the keyboard shares the source
//   (a terminal, a console): keys typed behind the line stay for
//   tastaturtaste. From a file or pipe it may give what it has.
// - 0 is the end of input: for good where endebleibt (a file, a pipe); at
//   a keyboard only for this read (Ctrl-D at the prompt), the next read
//   asks again.
// - The line being typed is echoed and edited (Backspace) by the
//   platform, or by what it leaves the line to: a POSIX terminal's line
//   mode, the Windows console's ReadConsoleW. The screen is sent before
//   fuellen is called; the echo's line end moves to the next line's start
//   (CR LF on a terminal), the buffered text never holds it.
// Whatever the platform sets for the run, it puts back at every end: main
// returning (status 0), a failure (fehlerbeenden), a signal or control
// event from outside. main's return reaches it through std::exit; a
// platform without a process around it takes the status from its
// runtime's exit.
void konsolebeginnen();

// At most this many bytes per bildschirmsenden.
constexpr size_t bildschirmgroesse = 8192;

// One screen out, in one go: a clear first where loeschen (cursor to the
// top left; a form feed where the output is no screen), then n bytes of
// text, each '\n' a line end (CR LF where the screen needs it), every
// other byte a character of the set inside, shown as itself or in a
// visible form, never as a control. The only output besides it is what a
// platform sends its own terminal to take it over (reports off). A write
// that fails ends the program through scheitern (fehler.h); a screen that
// went away takes the rest silently, and the next key read ends the run.
void bildschirmsenden(bool loeschen, const char *text, size_t n);

// Whether there is a keyboard; without one, keys come from standard input,
// a byte each.
bool tastaturda();

// The keyboard into its key mode (an: unechoed, without Enter) and back
// (aus), around each tastaturtaste. The portable parts call it, an before
// they send the screen, so that a key typed the moment the screen appears
// is neither echoed nor held for a line; aus after the key, whatever came.
// A platform whose keyboard echoes only in its line read does nothing.
void tastaturmodus(bool an);

// One key from the keyboard, in the key mode, the screen already sent by
// the portable parts (no platform sends it); keys typed ahead one per
// call. A key is
// its byte in the set inside, or a special key's code (tasten.h), or
// keinetaste when the keyboard is gone. A platform that gets a terminal's
// bytes decodes them with tastedekodieren (tasten.h), whose reader returns
// zeitum when no byte came within the time it asks for. letzte: the run's
// last key (the final pause): a character is taken whole, nothing of it is
// left for whoever reads the keyboard next.
int tastaturtaste(bool letzte);

// A failure: the modes back, then the line begun in anfang (ASCII, no line
// end) completed with the system's text for fehler (errno, or a Windows
// error code) and a line end, to standard error; no line when fehler says
// the reader of standard output left. Status 1.
[[noreturn]] void fehlerbeenden(const char *anfang, unsigned long fehler);
