// The POSIX console's own parts, shared by its sources: the terminal's
// state, in one place, and what the output path needs of the modes.
//
// Escape sequences the program writes, to a terminal only:
//   ESC [ H      cursor to the top left   } together: clear screen
//   ESC [ 2 J    erase the whole display  }
//   ESC [ ? 1000 ; 1002 ; 1003 ; 1004 ; 1006 ; 1015 ; 2004 l
//                mouse, focus and bracketed-paste reports off
//   ESC [ = 0 ; 1 u
//                the keyboard protocol's flags off: Ctrl-C is 0x03 again
//   These two go to the keyboard's terminal before the first key wait and
//   at every continue in the foreground, since another program may have
//   left the modes on; none is ever turned on.
// When standard output is not a terminal the clear is a form feed (0x0C);
// where TERM is unset, empty or dumb it is a line end, and nothing else the
// program writes is an escape sequence. Nothing else the program writes
// reaches a terminal as a control: see ausgabeform (../zeichensatz.h).
// The sequences decoded from the keyboard are listed in ../tasten.h.
#pragma once

#include "../fehler.h"
#include "../plattform.h"

#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <termios.h>

struct plattformzustand {
    int fd = -1;                     // the keyboard; -1: none
    pid_t gruppe = 0;                // our process group
    bool ausgabeistterminal = false;
    bool eingabeistterminal = false;
    bool utf8 = false;               // the locale's character set is UTF-8
    bool dumm = false;               // TERM names no escape sequences
    struct termios gespeichert {};   // the modes to put back
    struct termios einzeltaste {};   // the single-key modes, signal keys off
    volatile sig_atomic_t wartet = 0;     // a key is awaited
    volatile sig_atomic_t angewandt = 0;  // single-key modes are on now
    volatile sig_atomic_t signaltasten = 0; // ... with Ctrl-C etc. as signals
    volatile sig_atomic_t fortsetzungen = 0; // continues seen, counted
    volatile sig_atomic_t berichteoffen = 1; // reports not yet switched off
};
extern plattformzustand zustand;

// macOS and the BSDs: their signals' defaults differ from Linux's.
#if defined(__APPLE__) || defined(__FreeBSD__) || defined(__NetBSD__) || defined(__OpenBSD__) || \
    defined(__DragonFly__)
#define BSDSIGNALE 1
#else
#define BSDSIGNALE 0
#endif

// Handlers that put the modes back before anything from outside ends or
// stops the program, and take single-key mode up again after a continue
// (signale.cpp).
void signaleeinrichten();

// The modes found put back, where they are still ours; safe to call from
// any handler and at any end, and again.
void zuruecksetzen();

// The process group in front; 0 when nobody is. Safe in a signal handler.
pid_t vordergrund();

// The single-key modes, from the modes found (which are those to put back).
void einzeltastemodi(const struct termios &gespeichert);

// Mouse, focus and paste reports and the keyboard protocol off, once per
// stay in the foreground; the terminal is then ours to talk to.
void berichteabschalten();

// Single-key modes on again, with the signal keys as signaltasten says;
// safe in a signal handler.
void einzeltasteanwenden();

// Whether a failed read or write on a terminal means it went away: EIO
// on Linux and most systems, ENXIO for a write on FreeBSD after a hangup.
inline bool terminalweg(int fehler)
{
    return fehler == EIO || fehler == ENXIO;
}

// Waits until fd is ready, at most wartems (-1: no limit); 0 when the time
// ran out.
int bereitwarten(int fd, short ereignis, int wartems);
