// Another kernel's documented behaviour on Linux, one per run: loaded with
// LD_PRELOAD, NACHAHMEN names the behaviour. Only the program itself is
// affected, never the test driver or the shell around it.
//   macos-poll       poll() takes no devices: POLLNVAL at once
//   xnu-resethand    SA_RESETHAND ignored for SIGILL and SIGTRAP
//   freebsd-enxio    a write to a terminal that hung up fails with ENXIO
//   bsd-pendin       switching ICANON on sets PENDIN
//   eintr-tcsetattr  every other tcsetattr() is interrupted before it acts
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char *verhalten()
{
    static const char *v = [] {
        const char *name = program_invocation_short_name;
        const char *n = std::getenv("NACHAHMEN");
        return std::strcmp(name, "buchstabenspiele") == 0 && n ? n : "";
    }();
    return v;
}

bool ist(const char *name)
{
    return std::strcmp(verhalten(), name) == 0;
}

bool geraet(int fd)
{
    struct stat s;
    return fstat(fd, &s) == 0 && S_ISCHR(s.st_mode);
}

template <typename F> F echt(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}

extern "C" {

int poll(struct pollfd *fds, nfds_t n, int ms)
{
    if (ist("macos-poll")) {
        int geraete = 0;
        for (nfds_t i = 0; i < n; i++)
            if (geraet(fds[i].fd)) {
                fds[i].revents = POLLNVAL;
                geraete++;
            }
        if (geraete)
            return geraete;
    }
    return echt<int (*)(struct pollfd *, nfds_t, int)>("poll")(fds, n, ms);
}

int sigaction(int sig, const struct sigaction *neu, struct sigaction *alt)
{
    struct sigaction ohne;
    if (neu && ist("xnu-resethand") && (sig == SIGILL || sig == SIGTRAP)) {
        ohne = *neu;
        ohne.sa_flags &= ~SA_RESETHAND;
        neu = &ohne;
    }
    return echt<int (*)(int, const struct sigaction *, struct sigaction *)>("sigaction")(sig, neu, alt);
}

ssize_t write(int fd, const void *daten, size_t n)
{
    ssize_t r = echt<ssize_t (*)(int, const void *, size_t)>("write")(fd, daten, n);
    if (r < 0 && errno == EIO && ist("freebsd-enxio") && geraet(fd))
        errno = ENXIO;
    return r;
}

int tcsetattr(int fd, int wann, const struct termios *t)
{
    static int aufrufe = 0;
    if (ist("eintr-tcsetattr") && aufrufe++ % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    struct termios mit;
    struct termios jetzt;
    if (ist("bsd-pendin") && (t->c_lflag & ICANON) && tcgetattr(fd, &jetzt) == 0 && !(jetzt.c_lflag & ICANON)) {
        mit = *t;
        mit.c_lflag |= PENDIN;
        t = &mit;
    }
    return echt<int (*)(int, int, const struct termios *)>("tcsetattr")(fd, wann, t);
}
}
