// The POSIX console's signals: every signal that would end the program
// puts the terminal back first, a stop from outside too, and a continue
// takes single-key mode up again where a key is awaited.
#include "zustand.h"

#include <cerrno>
#include <csignal>
#include <termios.h>

namespace {

void behandeln(int sig, void (*behandlung)(int), int flags)
{
    struct sigaction neu {};
    neu.sa_handler = behandlung;
    sigemptyset(&neu.sa_mask);
    sigaddset(&neu.sa_mask, SIGTTOU);
    neu.sa_flags = flags;
    sigaction(sig, &neu, nullptr);
}

// Every signal that would end us: put the terminal back, then die by it
// (raised again, delivered on return). The default action is put back
// here, not left to SA_RESETHAND: macOS ignores that flag for SIGILL and
// SIGTRAP, and the handler would catch its own signal forever.
extern "C" void endsignal(int sig)
{
    zuruecksetzen();
    behandeln(sig, SIG_DFL, 0);
    raise(sig);
}

// A stop from outside (the user's own Ctrl-Z is a key): the terminal back
// first, then stop for real.
extern "C" void stopsignal(int)
{
    int fehler = errno;
    zuruecksetzen();
    behandeln(SIGTSTP, SIG_DFL, 0);
    sigset_t tstp;
    sigemptyset(&tstp);
    sigaddset(&tstp, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &tstp, nullptr);
    raise(SIGTSTP);
    // Continued: fortsetzen has already seen to the modes.
    behandeln(SIGTSTP, stopsignal, SA_RESTART);
    errno = fehler;
}

// Continued after any stop: while a key is awaited and we own the terminal,
// single-key mode again. The shell may have set its own modes meanwhile;
// those are then the ones to put back.
extern "C" void fortsetzen(int)
{
    int fehler = errno;
    zustand.fortsetzungen = zustand.fortsetzungen + 1;
    zustand.berichteoffen = 1;
    bool vornda = vordergrund() == zustand.gruppe;
    if (vornda)
        berichteabschalten();
    struct termios jetzt;
    if (zustand.wartet && vornda) {
        if (!zustand.angewandt && tcgetattr(zustand.fd, &jetzt) == 0)
            einzeltastemodi(jetzt);   // put back by the stop
        einzeltasteanwenden();
    }
    errno = fehler;
}

}

void signaleeinrichten()
{
    // Exactly the signals whose default action ends the program on this
    // system: on macOS and the BSDs SIGIO (and NetBSD's SIGPWR) are
    // discarded by default, and SIGEMT dumps core.
    static const int endsignale[] = {
        SIGHUP, SIGINT, SIGQUIT, SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE,
        SIGUSR1, SIGSEGV, SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU,
        SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGEMT
        SIGEMT,
#endif
#if !BSDSIGNALE
        SIGIO,
#ifdef SIGSTKFLT
        SIGSTKFLT,
#endif
#ifdef SIGPWR
        SIGPWR,
#endif
#endif
    };
    auto eingerichtet = [](int sig, void (*behandlung)(int), int flags) {
        struct sigaction alt {};
        sigaction(sig, nullptr, &alt);
        if (alt.sa_handler == SIG_IGN)   // started under nohup or the like
            return;
        behandeln(sig, behandlung, flags);
    };
    for (int sig : endsignale)
        eingerichtet(sig, endsignal, SA_RESETHAND);
#ifdef SIGRTMIN
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; sig++)
        eingerichtet(sig, endsignal, SA_RESETHAND);
#endif
    eingerichtet(SIGTSTP, stopsignal, SA_RESTART);
    behandeln(SIGCONT, fortsetzen, SA_RESTART);
}
