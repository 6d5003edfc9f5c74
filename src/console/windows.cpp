// The console on Windows: the C runtime's key read and the console API.
// No command interpreter is started for the clear or the pause.
#include "konsole.h"

#include <conio.h>
#include <cstdio>
#include <io.h>
#include <windows.h>

namespace {

char ausgabepuffer[8192];   // every screen leaves in one write
bool ohnekonsole = false;   // no console at all: keys from standard input

int stdinfuellen(void *, unsigned char *ziel, int platz)
{
    // From the console one byte at a time, as on POSIX terminals; the
    // runtime's text mode turns CR LF into LF.
    if (_isatty(0))
        platz = 1;
    int n = _read(0, ziel, static_cast<unsigned>(platz));
    return n > 0 ? n : 0;
}

bool konsolevorhanden()
{
    HANDLE h = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

// _getch reads the console keyboard even when standard input is redirected.
// Its end marker is also the byte 0xFF sign-extended, as some runtimes
// give bytes from 0x80 up: it is the end only when the console is gone.
int getchlesen(void *)
{
    int c = _getch();
    if (c == EOF && !konsolevorhanden())
        return -1;
    return c == EOF ? 0xFF : c;
}

bool getchwartet(void *)
{
    return _kbhit() != 0;
}

}

void konsolebeginnen()
{
    setvbuf(stdout, ausgabepuffer, _IOFBF, sizeof ausgabepuffer);
    standardeingabe.fuellen = stdinfuellen;
    standardeingabe.kontext = nullptr;
    standardeingabe.endebleibt = !_isatty(0);
    ohnekonsole = !_isatty(0) && !konsolevorhanden();
}

void ausgabeabschicken()
{
    fflush(stdout);
}

int tastelesen()
{
    ausgabeabschicken();
    // Without a console the keys come from standard input, a byte each.
    if (ohnekonsole) {
        int c = standardeingabe.byte();
        return c < 0 ? keinetaste : c;
    }
    return tastefalten(getchlesen, getchwartet, nullptr);
}

void bildschirmloeschen()
{
    fflush(stdout);
    HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(h, &info)) {
        fputs("\f", stdout);   // redirected, as the command interpreter does
        return;
    }
    COORD oben = {0, 0};
    DWORD zellen = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD geschrieben;
    FillConsoleOutputCharacterA(h, ' ', zellen, oben, &geschrieben);
    FillConsoleOutputAttribute(h, info.wAttributes, zellen, oben, &geschrieben);
    SetConsoleCursorPosition(h, oben);
}

void abschlusspause()
{
    printf("Druecken Sie eine beliebige Taste . . . ");
    tastelesen();
    putchar('\n');
    ausgabeabschicken();
}
