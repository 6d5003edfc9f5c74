// The console on POSIX terminals: terminal modes, the keyboard and
// standard input. All terminal state lives in `zustand` (zustand.h,
// which lists the sequences written; ../tasten.h those decoded). The
// signals are in signale.cpp, the output path in ausgabe.cpp.
#include "../eingabeleser.h"
#include "../konsole.h"
#include "../tasten.h"
#include "zustand.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

plattformzustand zustand;

namespace {

// ---- Terminal modes; every function here is safe in a signal handler ----

// In the background this stops the program (SIGTTOU) until fg, except in
// its signal handlers, which block SIGTTOU so that they always finish.
// False when the modes could not be set; an interrupted call is repeated.
bool modisetzen(const struct termios &t)
{
    int fehler = errno;
    int r;
    // TCSANOW, never TCSAFLUSH: keys typed ahead must stay queued.
    while ((r = tcsetattr(zustand.fd, TCSANOW, &t)) != 0 && errno == EINTR) {
    }
    errno = fehler;
    return r == 0;
}

// Whether the terminal's modes are ours to change: our process group is in
// front, or nobody is. Otherwise they belong to whoever is in front.
bool vorn()
{
    pid_t gruppe = vordergrund();
    return gruppe <= 0 || gruppe == zustand.gruppe;
}

// Reports a program killed before it could switch them off leaves on:
// mouse (1000, 1002, 1003, their encodings 1006, 1015), focus (1004),
// bracketed paste (2004), and the keyboard protocol that sends Ctrl-C as a
// sequence. Off where the program takes the terminal, again after every
// continue (whatever ran meanwhile may have left them on); never on.
constexpr char berichteaus[] = "\x1b[?1000;1002;1003;1004;1006;1015;2004l\x1b[=0;1u";

}

// The BSDs and macOS say "nobody in front" with a number no group has
// (NO_PID), Linux with 0.
pid_t vordergrund()
{
    int fehler = errno;
    pid_t gruppe = tcgetpgrp(zustand.fd);
    if (gruppe > 0 && gruppe != zustand.gruppe && kill(-gruppe, 0) != 0 && errno == ESRCH)
        gruppe = 0;
    errno = fehler;
    return gruppe;
}

void einzeltasteanwenden()
{
    struct termios t = zustand.einzeltaste;
    if (zustand.signaltasten)
        t.c_lflag |= ISIG;
    zustand.angewandt = 1;
    modisetzen(t);
}

// A restore that failed is not done: the next one tries again.
void zuruecksetzen()
{
    if (zustand.angewandt && vorn() && modisetzen(zustand.gespeichert))
        zustand.angewandt = 0;
}

void einzeltastemodi(const struct termios &gespeichert)
{
    zustand.gespeichert = gespeichert;
    struct termios t = gespeichert;
    // Ctrl-C, Ctrl-Z, Ctrl-\, Ctrl-S and Ctrl-Q arrive as their codes,
    // Enter as 13, as the Windows key read gives them. Output processing
    // stays on, so line ends still return the cursor.
    t.c_lflag &= ~(ICANON | ECHO | ISIG | IEXTEN);
    t.c_iflag &= ~(IXON | ICRNL | INLCR | IGNCR);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    zustand.einzeltaste = t;
}

void berichteabschalten()
{
    if (zustand.berichteoffen && !zustand.dumm && write(zustand.fd, berichteaus, sizeof berichteaus - 1) < 0) {
        // A terminal that takes nothing sends no reports either.
    }
    zustand.berichteoffen = 0;
}

// Single-key mode for one wait (an), and back (aus).
void tastaturmodus(bool an)
{
    if (!an) {
        zustand.wartet = 0;
        zuruecksetzen();
        return;
    }
    // The modes to put back are only taken in the foreground: in the
    // background they are the shell's of that moment. So stop until fg,
    // and after any continue (bg too) look again.
    struct termios jetzt;
    for (;;) {
        sig_atomic_t fortsetzungen = zustand.fortsetzungen;
        if (!vorn()) {
            raise(SIGTTOU);
            if (zustand.fortsetzungen != fortsetzungen)
                continue;
            // SIGTTOU ignored or blocked: the modes may be set from here.
        }
        if (tcgetattr(zustand.fd, &jetzt) != 0)
            return;
        if (zustand.fortsetzungen == fortsetzungen)
            break;   // not stopped since the look: taken in front
    }
    einzeltastemodi(jetzt);
    berichteabschalten();
    zustand.wartet = 1;
    einzeltasteanwenden();
}

// ---- Descriptors ----

// EINTR and a non-blocking descriptor's EAGAIN are no ends.
// select(), not poll(): macOS's poll() takes no devices and answers at once
// for a terminal, so no wait there would ever time out. poll() only for a
// descriptor beyond select()'s reach.
int bereitwarten(int fd, short ereignis, int wartems)
{
    int r;
    if (fd >= FD_SETSIZE) {
        struct pollfd p {fd, ereignis, 0};
        while ((r = poll(&p, 1, wartems)) < 0 && errno == EINTR) {
        }
        return r;
    }
    do {
        fd_set menge;
        FD_ZERO(&menge);
        FD_SET(fd, &menge);
        struct timeval frist {wartems / 1000, (wartems % 1000) * 1000};
        r = select(fd + 1, ereignis == POLLIN ? &menge : nullptr, ereignis == POLLIN ? nullptr : &menge, nullptr,
                   wartems < 0 ? nullptr : &frist);
    } while (r < 0 && errno == EINTR);
    return r;
}

namespace {

// The bytes read, 0 at the end, -1 on an error (errno says which).
int lesen(int fd, unsigned char *ziel, int platz)
{
    for (;;) {
        ssize_t n = read(fd, ziel, static_cast<size_t>(platz));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            bereitwarten(fd, POLLIN, -1);
        else if (errno != EINTR)
            return -1;
    }
}

}

void fehlerbeenden(const char *anfang, unsigned long fehlercode)
{
    int fehler = static_cast<int>(fehlercode);
    zustand.wartet = 0;
    zuruecksetzen();
    if (fehler != EPIPE) {   // a reader that left needs no line
        char zeile[256];
        int n = std::snprintf(zeile, sizeof zeile, "%s%s\n", anfang, std::strerror(fehler));
        if (n > 0 && write(2, zeile, static_cast<size_t>(n) < sizeof zeile ? n : sizeof zeile - 1) < 0) {
            // Standard error is gone too: the status still tells.
        }
    }
    _exit(1);
}

namespace {

int stdinfuellen(void *, unsigned char *ziel, int platz)
{
    // From a terminal one byte at a time: keys typed ahead behind the line
    // stay in the terminal, for the key reads.
    if (zustand.eingabeistterminal)
        platz = 1;
    int n = lesen(0, ziel, platz);
    // On a terminal an error is the terminal going away, as for the keys.
    if (n < 0 && !(zustand.eingabeistterminal && terminalweg(errno)))
        scheitern("Eingabe", errno);
    return n < 0 ? 0 : n;
}

int ttylesen(void *, int wartems)
{
    if (wartems >= 0 && bereitwarten(zustand.fd, POLLIN, wartems) == 0)
        return zeitum;
    unsigned char b;
    return lesen(zustand.fd, &b, 1) == 1 ? b : keinetaste;   // hung up, gone
}

tastenleser tastatur {ttylesen, nullptr};

}

void konsolebeginnen()
{
    // Closed standard descriptors get /dev/null before anything else is
    // opened, so the terminal never lands on one of them.
    for (int fd = 0; fd <= 2; fd++)
        if (fcntl(fd, F_GETFD) < 0)
            open("/dev/null", O_RDWR);

    int name = utf8gebietsname();
    if (std::setlocale(LC_CTYPE, "") && name < 0)
        zustand.utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    else
        zustand.utf8 = name > 0;   // also where the locale is not installed
    zustand.ausgabeistterminal = isatty(1);
    zustand.eingabeistterminal = isatty(0);
    const char *art = std::getenv("TERM");
    zustand.dumm = !art || !*art || std::strcmp(art, "dumb") == 0;

    standardeingabe.fuellen = stdinfuellen;
    standardeingabe.endebleibt = !zustand.eingabeistterminal;
    standardeingabe.utf8 = zustand.utf8;

    // The keyboard is the controlling terminal (/dev/tty opens only where
    // there is one), or else a terminal on standard input.
    zustand.fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (zustand.fd < 0 && zustand.eingabeistterminal)
        zustand.fd = 0;
    zustand.gruppe = getpgrp();
    if (zustand.fd >= 0)
        signaleeinrichten();
}

namespace {
// IUTF8: the terminal says it speaks UTF-8. OpenBSD and NetBSD have no such
// mode.
bool terminalsprichtutf8()
{
#ifdef IUTF8
    return zustand.gespeichert.c_iflag & IUTF8;
#else
    return false;
#endif
}
}

bool tastaturda()
{
    return zustand.fd >= 0;
}

// The last key: a UTF-8 character is taken whole wherever the terminal
// speaks UTF-8, also in byte mode, so that none of it is left for the next
// program.
int tastaturtaste(bool letzte)
{
    tastatur.utf8 = zustand.utf8 || (letzte && terminalsprichtutf8());
    return tastedekodieren(tastatur);
}
