// The POSIX console's output path: the program's text, in the form the
// terminal or stream needs, one write per screen; a write that fails ends
// the program honestly.
#include "../plattform.h"
#include "../zeichensatz.h"
#include "zustand.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

// A whole screen, encoded: the clear, and each byte in at most four.
char sendepuffer[8 + 4 * bildschirmgroesse];
size_t sendelaenge = 0;

// Waits until standard output takes more. While a key is awaited the
// signal keys work meanwhile: a reader that stalls (a full pipe, a stopped
// terminal) never traps the user. Outside single-key mode they are on.
void ausgabewarten()
{
    bool umschalten = zustand.angewandt && !zustand.signaltasten;
    if (umschalten) {
        zustand.signaltasten = 1;
        einzeltasteanwenden();
    }
    bereitwarten(1, POLLOUT, -1);
    if (umschalten) {
        zustand.signaltasten = 0;
        einzeltasteanwenden();
    }
}

void senden()
{
    size_t erledigt = 0;
    while (erledigt < sendelaenge) {
        if (zustand.angewandt && bereitwarten(1, POLLOUT, 0) == 0)
            ausgabewarten();   // the write would block in single-key mode
        ssize_t n = write(1, sendepuffer + erledigt, sendelaenge - erledigt);
        if (n > 0)
            erledigt += static_cast<size_t>(n);
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            ausgabewarten();   // a non-blocking descriptor
        else if (n < 0 && terminalweg(errno) && zustand.ausgabeistterminal)
            break;   // the terminal went away: the keyboard read ends the run
        else if (n == 0 || errno != EINTR)
            scheitern("Ausgabe", n == 0 ? EIO : errno);
    }
    sendelaenge = 0;
}

void roheinfuegen(const char *text, size_t n)
{
    std::memcpy(sendepuffer + sendelaenge, text, n);
    sendelaenge += n;
}

}

// The screen, encoded for the terminal or stream, in one write.
void bildschirmsenden(bool loeschen, const char *text, size_t n)
{
    if (loeschen && !zustand.ausgabeistterminal)
        roheinfuegen("\f", 1);
    else if (loeschen && zustand.dumm)
        roheinfuegen("\n", 1);   // it can't clear: the next text on its own line
    else if (loeschen)
        roheinfuegen("\x1b[H\x1b[2J", 7);
    for (size_t i = 0; i < n; i++) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if ((b >= 0x20 && b < 0x7F) || b == '\n')
            sendepuffer[sendelaenge++] = static_cast<char>(b);   // as it is
        else
            sendelaenge += static_cast<size_t>(ausgabeform(b, zustand.utf8, zustand.ausgabeistterminal,
                                                           sendepuffer + sendelaenge));
    }
    senden();
}
