// Drives the real program as a user would: through a pseudo-terminal that
// is its controlling terminal, or with no terminal at all.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <termios.h>

class terminalsitzung {
public:
    // Starts the program on a fresh pseudo-terminal. With eingabedatei,
    // standard input comes from that file while the keys still come from
    // the terminal. With hupignorieren, the program starts as under nohup.
    explicit terminalsitzung(const char *eingabedatei = nullptr, bool hupignorieren = false);
    ~terminalsitzung();

    // Reads until text has appeared behind the last text waited for.
    bool warten(std::string_view text);
    void tippen(std::string_view bytes);
    // Waits for the end; the wait status, or -1 when it did not end.
    int ende();
    void signal(int sig);
    void auflegen();   // the terminal goes away

    std::string bildschirm() const;   // all output, line ends as "\n"
    struct termios modi() const;      // the terminal's modes now
    struct termios anfangsmodi;       // and before the start

private:
    bool lesen(int ms);
    int master = -1, slave = -1;
    pid_t pid = -1;
    std::string ausgabe;
    size_t marke = 0;
};

// Runs the program without any terminal, eingabe on standard input.
// The wait status and everything it wrote.
struct ohneterminal {
    int status;
    std::string ausgabe;
};
ohneterminal ohneterminallaufen(std::string_view eingabe);
