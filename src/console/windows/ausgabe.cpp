// The Windows console's output path: each screen in one go, to the
// console as UTF-16 (each byte in its visible form, so that the set inside
// is Windows-1252 whatever the code page), to files and pipes as bytes, in
// UTF-8 where the system's ANSI code page is 65001. No command interpreter
// is started for the clear.
#include "../plattform.h"
#include "../zeichensatz.h"
#include "zustand.h"

#include <cstring>
#include <io.h>
#include <windows.h>

namespace {

// The screen to the console as UTF-16, each byte in its visible form;
// a console that went away takes nothing more.
void konsoleschreiben(const unsigned char *bytes, size_t n)
{
    wchar_t einheiten[2 * bildschirmgroesse];
    DWORD laenge = 0;
    for (size_t i = 0; i < n; i++) {
        unsigned short form[2];
        int k = konsolenform(bytes[i], form);
        for (int j = 0; j < k; j++)
            einheiten[laenge++] = static_cast<wchar_t>(form[j]);
    }
    DWORD geschrieben;
    for (DWORD erledigt = 0; erledigt < laenge; erledigt += geschrieben)
        if (!WriteConsoleW(zustand.ausgabe, einheiten + erledigt, laenge - erledigt, &geschrieben, nullptr) ||
            geschrieben == 0)
            return;
}

// The console cleared, cursor to the top left, as the command
// interpreter's cls does.
void konsoleloeschen()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(zustand.ausgabe, &info))
        return;
    COORD oben = {0, 0};
    DWORD zellen = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD geschrieben;
    FillConsoleOutputCharacterW(zustand.ausgabe, L' ', zellen, oben, &geschrieben);
    FillConsoleOutputAttribute(zustand.ausgabe, info.wAttributes, zellen, oben, &geschrieben);
    SetConsoleCursorPosition(zustand.ausgabe, oben);
}

// To a file or pipe through the runtime's text mode, which ends lines in
// CR LF: bytes, or UTF-8; the clear a form feed, as the command
// interpreter writes it there.
void dateischreiben(bool loeschen, const unsigned char *bytes, size_t n)
{
    char kodiert[1 + 3 * bildschirmgroesse];
    int laenge = 0;
    if (loeschen)
        kodiert[laenge++] = '\f';
    for (size_t i = 0; i < n; i++)
        laenge += ausgabeform(bytes[i], zustand.dateiutf8, false, kodiert + laenge);
    for (int erledigt = 0; erledigt < laenge;) {
        int geschrieben = _write(1, kodiert + erledigt, static_cast<unsigned>(laenge - erledigt));
        if (geschrieben <= 0)
            scheitern("Ausgabe", _doserrno ? static_cast<DWORD>(_doserrno) : ERROR_WRITE_FAULT);
        erledigt += geschrieben;
    }
}

}

void bildschirmsenden(bool loeschen, const char *text, size_t n)
{
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
    if (zustand.ausgabe == INVALID_HANDLE_VALUE) {
        dateischreiben(loeschen, bytes, n);
        return;
    }
    if (loeschen)
        konsoleloeschen();
    konsoleschreiben(bytes, n);
}
