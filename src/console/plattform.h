// The contract between the console's portable parts and a platform: all
// that the portable parts call on one, and every rule it keeps, each with
// its owner. A new platform is a folder beside posix/, windows/ and web/
// that defines the six functions below, with a CMakeLists.txt that adds
// its sources to the konsole library (target_sources(konsole PRIVATE
// ...); ../ reaches these headers) and, where its program needs more than
// the executable, a programm.cmake that adds to the program's target (the
// page). -Dplattform=<folder> picks it; tests/dialoge.txt is what its
// screen must show (the README says how to drive it).
//
// The portable parts own, on every platform: formatting and buffering the
// texts (bildschirm.cpp); sending the screen before every read, key or
// line (tastatur.cpp, eingabeleser.cpp), so no platform sends it; keys
// from standard input where there is no keyboard (tastatur.cpp); cutting
// words and lines from standard input's bytes (eingabeleser.h); the
// failure line's beginning, "buchstabenspiele: <was> nicht moeglich: "
// (fehler.h); the special keys and the terminal's key decoder (tasten.h);
// the line discipline for a screen without a line mode (zeilendisziplin.h);
// the character set (zeichensatz.h): inside, every byte is a Windows-1252
// character.
//
// Every platform keeps:
// - Whatever it sets for the run it puts back at every end: main
//   returning (status 0, reached through std::exit), a failure
//   (fehlerbeenden), a signal or control event from outside; a platform
//   without a process around it takes the status from its runtime's exit.
// - A mode change never drops keys typed ahead: they stay queued for the
//   next read, the key typed before the first screen too.
// - Nothing it writes is a control but the clear and, for its own
//   terminal, the reports off below; each character in its visible form
//   (ausgabeform, zeichensatz.h).
// - The failure line goes to standard error, or where there is none (a
//   page) onto the screen, in the screen's line end.
// - Without a line mode of its own (a page, a raw serial line) it makes a
//   zeilenquelle (zeilendisziplin.h) standard input's source, giving it
//   only its keys' reader and the echo's way; the portable parts hand out
//   the lines and end the program at Ctrl-C. The echo is the discipline's
//   (Enter as CR LF, a control as ^X, ^C too), its lines are already in
//   the set inside (standardeingabe.utf8 stays false), and Ctrl-D on an
//   empty line ends this one read (endebleibt false).
//
// A platform whose program is a process on a terminal also keeps (posix/
// does it all; signale.cpp and eingabe.cpp show how):
// - Modes are changed with TCSANOW, never a flush: keys typed ahead stay.
// - In the key mode the terminal's signal keys (Ctrl-C, Ctrl-Z, Ctrl-\),
//   its flow control and its CR-to-LF are off, so that they arrive as
//   keys, as the Windows console's key read gives them; output processing
//   stays on. A line read keeps the modes the program found.
// - The modes to put back are taken only in the foreground; in the
//   background the program stops (SIGTTOU) until fg, and no mode is ever
//   put onto a terminal another process group has in front.
// - Every signal that would end the program puts the modes back and then
//   ends it by that same signal (default action, raised again), so that
//   the shell sees the signal.
// - A stop from outside (SIGTSTP, SIGSTOP) puts the modes back first; after
//   any continue, whatever stopped the program, the key mode is taken again
//   where a key is awaited, from the modes the shell left.
// - SIGPIPE is one of them, never ignored by the platform: | head ends the
//   program by it. Ignored from the start, a write gets EPIPE: a failure
//   without a line.
// - A signal ignored at the start (nohup, a shell's background job) stays
//   ignored: the platform takes over only those at their default.
// - Reports a program killed earlier may have left on (mouse, focus,
//   bracketed paste, the keyboard protocol that sends Ctrl-C as a
//   sequence) are turned off before the first key wait and after every
//   continue in the foreground, never turned on.
// - A screen that cannot clear (TERM unset, empty or dumb) gets a line end
//   for the clear and no escape sequence at all; output that is no screen
//   (a file, a pipe) gets a form feed.
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

// A failure: the modes back, then the line begun in anfang (ASCII, ending
// in ": ", no line end) completed with the system's text for fehler (errno,
// or a Windows error code) and a line end, to standard error or, where
// there is none, the screen; no line when fehler says the reader of
// standard output left. Status 1.
[[noreturn]] void fehlerbeenden(const char *anfang, unsigned long fehler);
