// Drives the real program as a user would: through a pseudo-terminal that
// is its controlling terminal, or with no terminal at all.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <termios.h>

class terminalsitzung {
public:
    // Starts the program on a fresh pseudo-terminal, with LC_ALL=C and
    // TERM=xterm unless
    // the shell command befehl says otherwise; befehl starts it as "$P"
    // (e.g. 'exec "$P" <&-', 'trap "" HUP; exec "$P"').
    explicit terminalsitzung(const char *befehl = "exec \"$P\"");
    ~terminalsitzung();

    // Reads until text has appeared behind the last text waited for.
    bool warten(std::string_view text);
    void tippen(std::string_view bytes);
    // Waits for the end; the wait status, or -1 when it did not end.
    int ende();
    // To the program, or its whole process group; SIGSTOP: until stopped.
    void signal(int sig, bool gruppe = false);
    bool einzeltaste();   // waits until a key is awaited in single-key mode
    void zeilenmodus(const struct termios &t);   // modes set from outside
    std::string ungelesen();   // typed, and left in the terminal
    pid_t nummer() const { return pid; }
    void auflegen();   // the terminal goes away

    std::string bildschirm() const;   // all output, line ends as "\n"
    // The screen as a terminal of 80 x 40 shows it: rows without trailing
    // blanks, empty rows at the end left out. For programs that repaint.
    std::string angezeigt() const;
    bool wartenbis(const std::string &schirm);   // until angezeigt() is it
    // Reads on until bedingung holds; false when it never did.
    bool bis(const std::function<bool()> &bedingung);
    struct termios modi() const;      // the terminal's modes now
    struct termios anfangsmodi;       // and before the start

private:
    bool lesen(int ms);
    int master = -1, slave = -1;
    pid_t pid = -1;
    std::string ausgabe;
    size_t marke = 0;
};

// A byte stream as a terminal of 80 x 40 shows it, as angezeigt() does.
std::string darstellen(const std::string &ausgabe);

// Runs the program (or the shell command befehl) without any terminal,
// eingabe on standard input once it has written something (its menu). The wait status and everything it wrote.
struct ohneterminal {
    int status;
    std::string ausgabe;
};
ohneterminal ohneterminallaufen(std::string_view eingabe, const char *befehl = "exec \"$P\"");

// What the shell command befehl needs that this system lacks (setsid(1),
// perl, /dev/full, stty's iutf8), said as a reason to skip; empty when all
// is there.
std::string fehlt(const char *befehl);
