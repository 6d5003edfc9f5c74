// The console on POSIX terminals. All terminal state lives in `terminal`;
// the sequences written and decoded are listed in konsole.h.
#include "konsole.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct terminalzustand {
    int fd = -1;                     // the keyboard (/dev/tty); -1: none
    bool ausgabeistterminal = false;
    bool eingabeistterminal = false;
    struct termios gespeichert {};   // the modes to put back
    volatile sig_atomic_t roh = 0;   // single-key mode is on
};
terminalzustand terminal;

// Large enough for any screen, so each one leaves in a single write.
char ausgabepuffer[8192];

// Holds the keyboard in single-key mode for one wait and always restores.
class rohmodus {
public:
    rohmodus()
    {
        if (tcgetattr(terminal.fd, &terminal.gespeichert) != 0)
            return;
        struct termios roh = terminal.gespeichert;
        // Ctrl-C, Ctrl-Z, Ctrl-\, Ctrl-S and Ctrl-Q arrive as their codes,
        // Enter as 13, as the Windows key read gives them. Output processing
        // stays on, so line ends still return the cursor.
        roh.c_lflag &= ~(ICANON | ECHO | ISIG | IEXTEN);
        roh.c_iflag &= ~(IXON | ICRNL | INLCR | IGNCR);
        roh.c_cc[VMIN] = 1;
        roh.c_cc[VTIME] = 0;
        terminal.roh = 1;
        // TCSANOW, never TCSAFLUSH: keys typed ahead must stay queued.
        tcsetattr(terminal.fd, TCSANOW, &roh);
    }
    ~rohmodus()
    {
        if (terminal.roh) {
            tcsetattr(terminal.fd, TCSANOW, &terminal.gespeichert);
            terminal.roh = 0;
        }
    }
    rohmodus(const rohmodus &) = delete;
    rohmodus &operator=(const rohmodus &) = delete;
};

// Another process ends us while we wait for a key: put the terminal back,
// then die by the same signal (the handler was reset on entry).
extern "C" void signalbehandlung(int sig)
{
    if (terminal.roh)
        tcsetattr(terminal.fd, TCSANOW, &terminal.gespeichert);
    raise(sig);
}

void signaleeinrichten()
{
    static const int signale[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
    for (int sig : signale) {
        struct sigaction alt {};
        sigaction(sig, nullptr, &alt);
        if (alt.sa_handler == SIG_IGN)   // started under nohup or the like
            continue;
        struct sigaction neu {};
        neu.sa_handler = signalbehandlung;
        sigemptyset(&neu.sa_mask);
        neu.sa_flags = SA_RESETHAND;
        sigaction(sig, &neu, nullptr);
    }
}

int stdinfuellen(void *, unsigned char *ziel, int platz)
{
    // From a terminal one byte at a time: keys typed ahead behind the line
    // stay in the terminal, for the key reads.
    if (terminal.eingabeistterminal)
        platz = 1;
    for (;;) {
        ssize_t n = read(0, ziel, static_cast<size_t>(platz));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno != EINTR)
            return 0;
    }
}

int ttylesen(void *, int wartems)
{
    if (wartems >= 0) {
        struct pollfd p {terminal.fd, POLLIN, 0};
        int r;
        while ((r = poll(&p, 1, wartems)) < 0 && errno == EINTR) {
        }
        if (r == 0)
            return keinbyte;
    }
    unsigned char b;
    for (;;) {
        ssize_t n = read(terminal.fd, &b, 1);
        if (n == 1)
            return b;
        if (n < 0 && errno == EINTR)
            continue;
        return keinetaste;   // hung up, or gone
    }
}

tastenleser tastatur {ttylesen, nullptr};

}

void konsolebeginnen()
{
    setvbuf(stdout, ausgabepuffer, _IOFBF, sizeof ausgabepuffer);
    terminal.ausgabeistterminal = isatty(1);
    terminal.eingabeistterminal = isatty(0);
    standardeingabe.fuellen = stdinfuellen;
    standardeingabe.kontext = nullptr;
    standardeingabe.endebleibt = !terminal.eingabeistterminal;

    int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct termios t;
    if (fd >= 0 && tcgetattr(fd, &t) == 0) {
        terminal.fd = fd;
        signaleeinrichten();
    } else if (fd >= 0) {
        close(fd);
    }
}

int tastelesen()
{
    // Without a terminal the keys come from standard input, a byte each.
    if (terminal.fd < 0) {
        fflush(stdout);
        int c = standardeingabe.byte();
        return c < 0 ? keinetaste : c;
    }
    // Single-key mode before the screen is shown: a key pressed the moment
    // the menu appears must not be echoed.
    rohmodus roh;
    fflush(stdout);
    return tastedekodieren(tastatur);
}

void bildschirmloeschen()
{
    fputs(terminal.ausgabeistterminal ? "\x1b[H\x1b[2J" : "\f", stdout);
}

void abschlusspause()
{
    printf("Druecken Sie eine beliebige Taste . . . ");
    tastelesen();
    putchar('\n');
}
