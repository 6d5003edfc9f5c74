// The driver behind the program-level tests: the program on a fresh
// pseudo-terminal or on none, keys typed, the screen read back
// (terminalfahrer.h).
#include "terminalfahrer.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#if __has_include(<pty.h>)
#include <pty.h>
#elif __has_include(<libutil.h>)
#include <libutil.h>   // FreeBSD
#elif __has_include(<util.h>)
#include <util.h>      // macOS, OpenBSD, NetBSD
#else
// A C library that has openpty without its header (the macOS headers that
// cross-compilers carry).
extern "C" int openpty(int *, int *, char *, struct termios *, struct winsize *);
#endif
#include <cstring>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
constexpr int geduldms = 5000;   // a hang guard, not a timing check
constexpr unsigned short zeilen = 40, spalten = 80;

void shellstarten(const char *befehl)
{
    setenv("LC_ALL", "C", 1);
    setenv("TERM", "xterm", 1);
    // PROGRAMMPFAD runs the same tests against another build of the
    // program (the static musl one).
    const char *programm = getenv("PROGRAMMPFAD");
    setenv("P", programm && *programm ? programm : PROGRAMM, 1);
    execl("/bin/sh", "sh", "-c", befehl, static_cast<char *>(nullptr));
    _exit(127);
}

void kindvorbereiten()
{
    struct rlimit keinkern {0, 0};
    setrlimit(RLIMIT_CORE, &keinkern);
    // Signals ignored or blocked by the test runner are not the program's.
    for (int sig = 1; sig < NSIG; sig++)
        ::signal(sig, SIG_DFL);
    sigset_t leer;
    sigemptyset(&leer);
    sigprocmask(SIG_SETMASK, &leer, nullptr);
}
}

terminalsitzung::terminalsitzung(const char *befehl)
{
    struct winsize groesse {zeilen, spalten, 0, 0};
    openpty(&master, &slave, nullptr, nullptr, &groesse);
    tcgetattr(slave, &anfangsmodi);
    pid = fork();
    if (pid == 0) {
        kindvorbereiten();
        setsid();
        ioctl(slave, TIOCSCTTY, 0);
        tcsetpgrp(slave, getpid());
        dup2(slave, 0);
        dup2(slave, 1);
        dup2(slave, 2);
        close(master);
        close(slave);
        shellstarten(befehl);
    }
}

terminalsitzung::~terminalsitzung()
{
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (master >= 0)
        close(master);
    close(slave);
}

bool terminalsitzung::lesen(int ms)
{
    struct pollfd p {master, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0)
        return false;
    char puffer[4096];
    ssize_t n = read(master, puffer, sizeof puffer);
    if (n <= 0)
        return false;
    ausgabe.append(puffer, static_cast<size_t>(n));
    return true;
}

bool terminalsitzung::warten(std::string_view text)
{
    for (int runde = 0; runde < geduldms / 50; runde++) {
        std::string s = bildschirm();
        size_t stelle = s.find(text, marke);
        if (stelle != std::string::npos) {
            marke = stelle + text.size();
            return true;
        }
        lesen(50);
    }
    return false;
}

void terminalsitzung::tippen(std::string_view bytes)
{
    if (write(master, bytes.data(), bytes.size()) < 0)
        perror("tippen");
}

int terminalsitzung::ende()
{
    for (int runde = 0; runde < geduldms / 10; runde++) {
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            while (master >= 0 && lesen(0)) {
            }
            return status;
        }
        if (master < 0 || !lesen(10))
            usleep(10000);
    }
    return -1;
}

void terminalsitzung::signal(int sig, bool gruppe)
{
    kill(gruppe ? -pid : pid, sig);
    // A stop is awaited: what is typed next must find the program stopped.
    int status;
    for (int runde = 0; sig == SIGSTOP && runde < geduldms / 10; runde++) {
        if (waitpid(pid, &status, WNOHANG | WUNTRACED) == pid && WIFSTOPPED(status))
            break;
        usleep(10000);
    }
}

void terminalsitzung::zeilenmodus(const struct termios &t)
{
    tcsetattr(slave, TCSANOW, &t);
}

std::string terminalsitzung::ungelesen()
{
    std::string text;
    char puffer[256];
    struct pollfd p {slave, POLLIN, 0};
    while (poll(&p, 1, 100) > 0) {
        ssize_t n = read(slave, puffer, sizeof puffer);
        if (n <= 0)
            break;
        text.append(puffer, static_cast<size_t>(n));
    }
    return text;
}

bool terminalsitzung::einzeltaste()
{
    return bis([this] { return !(modi().c_lflag & ICANON); });
}

bool terminalsitzung::bis(const std::function<bool()> &bedingung)
{
    for (int runde = 0; runde < geduldms / 50; runde++, lesen(50))
        if (bedingung())
            return true;
    return false;
}

void terminalsitzung::auflegen()
{
    close(master);
    master = -1;
}

std::string terminalsitzung::bildschirm() const
{
    std::string s;
    for (size_t i = 0; i < ausgabe.size(); i++)
        if (!(ausgabe[i] == '\r' && i + 1 < ausgabe.size() && ausgabe[i + 1] == '\n'))
            s += ausgabe[i];
    return s;
}

std::string terminalsitzung::angezeigt() const
{
    return darstellen(ausgabe);
}

// Just what the repainting consoles use: cursor moves, erasing, line ends,
// a step back.
std::string darstellen(const std::string &ausgabe)
{
    std::vector<std::string> schirm(zeilen, std::string(spalten, ' '));
    size_t z = 0, s = 0;
    for (size_t i = 0; i < ausgabe.size(); i++) {
        char c = ausgabe[i];
        if (c == '\x1b' && i + 1 < ausgabe.size() && ausgabe[i + 1] == '[') {
            size_t ende = i + 2;
            while (ende < ausgabe.size() && !(ausgabe[ende] >= 0x40 && ausgabe[ende] <= 0x7E))
                ende++;
            if (ende >= ausgabe.size())
                break;
            std::string parameter = ausgabe.substr(i + 2, ende - i - 2);
            int n = std::atoi(parameter.c_str()), m = 1;
            if (size_t semi = parameter.find(';'); semi != std::string::npos)
                m = std::atoi(parameter.c_str() + semi + 1);
            switch (ausgabe[ende]) {
            case 'H': z = n ? n - 1 : 0; s = m ? m - 1 : 0; break;
            case 'C': s += n ? n : 1; break;
            case 'K': schirm[z].replace(s, spalten - s, spalten - s, ' '); break;
            case 'J':
                if (n == 2)
                    schirm.assign(zeilen, std::string(spalten, ' '));
                break;
            }
            z = std::min<size_t>(z, zeilen - 1);
            s = std::min<size_t>(s, spalten - 1);
            i = ende;
        } else if (c == '\r') {
            s = 0;
        } else if (c == '\n') {
            if (++z == zeilen) {
                schirm.erase(schirm.begin());
                schirm.emplace_back(spalten, ' ');
                z--;
            }
        } else if (c == '\b') {
            s = s > 0 ? s - 1 : 0;
        } else if (c == '\t') {
            s = std::min<size_t>((s / 8 + 1) * 8, spalten - 1);
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            schirm[z][s] = c;
            s = std::min<size_t>(s + 1, spalten - 1);
        }
    }
    std::string text;
    for (std::string &zeile : schirm) {
        zeile.erase(zeile.find_last_not_of(' ') + 1);
        text += zeile + "\n";
    }
    text.erase(text.find_last_not_of('\n') + 1);
    return text;
}

bool terminalsitzung::wartenbis(const std::string &schirm)
{
    return bis([&] { return angezeigt() == schirm; });
}

struct termios terminalsitzung::modi() const
{
    struct termios t {};
    tcgetattr(slave, &t);
    // The BSDs mark input typed ahead for reprinting whenever line mode
    // comes back: a state of the queue, not a mode anyone set.
    t.c_lflag &= ~static_cast<tcflag_t>(PENDIN);
    return t;
}

ohneterminal ohneterminallaufen(std::string_view eingabe, const char *befehl)
{
    int hin[2], her[2];
    if (pipe(hin) != 0 || pipe(her) != 0)
        return {-1, ""};
    pid_t pid = fork();
    if (pid == 0) {
        kindvorbereiten();
        setsid();   // no controlling terminal at all
        dup2(hin[0], 0);
        dup2(her[1], 1);
        close(hin[1]);
        close(her[0]);
        shellstarten(befehl);
    }
    close(hin[0]);
    close(her[1]);
    ::signal(SIGPIPE, SIG_IGN);
    ohneterminal e{-1, ""};
    char puffer[4096];
    struct pollfd p {her[0], POLLIN, 0};
    // A program that waits before it has shown anything gets no input.
    bool geschrieben = false;
    while (poll(&p, 1, geduldms) > 0) {
        ssize_t n = read(her[0], puffer, sizeof puffer);
        if (n <= 0)
            break;
        e.ausgabe.append(puffer, static_cast<size_t>(n));
        if (!geschrieben && write(hin[1], eingabe.data(), eingabe.size()) < 0)
            perror("eingabe");
        if (!geschrieben)
            close(hin[1]);
        geschrieben = true;
    }
    if (!geschrieben)
        close(hin[1]);
    close(her[0]);
    for (int runde = 0; runde < geduldms / 10 && waitpid(pid, &e.status, WNOHANG) != pid; runde++)
        usleep(10000);
    if (waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return e;
}

std::string fehlt(const char *befehl)
{
    for (const char *werkzeug : {"setsid", "perl"}) {
        std::string suche = std::string("command -v ") + werkzeug + " > /dev/null";
        if (std::strstr(befehl, werkzeug) && std::system(suche.c_str()) != 0)
            return std::string(werkzeug) + " is not installed here";
    }
    if (std::strstr(befehl, "/dev/full") && access("/dev/full", W_OK) != 0)
        return "no /dev/full here";
#ifndef IUTF8
    if (std::strstr(befehl, "iutf8"))
        return "terminals here have no iutf8 mode";
#endif
    return "";
}
