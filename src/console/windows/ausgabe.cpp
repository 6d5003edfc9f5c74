// The Windows console's output path: each screen in one go, to the
// console as UTF-16 (each byte in its visible form, so that the set inside
// is Windows-1252 whatever the code page), to files and pipes as bytes, in
// UTF-8 where the system's ANSI code page is 65001. No command interpreter
// is started for the clear.
#include "../konsole.h"
#include "../plattform.h"
#include "../zeichensatz.h"
#include "zustand.h"

#include <cstring>
#include <io.h>
#include <windows.h>

namespace {

char bildschirmtext[8192];      // every screen leaves in one go
size_t textlaenge = 0;

// The screen to the console as UTF-16, each byte in its visible form;
// a console that went away takes nothing more.
void konsoleschreiben(const unsigned char *bytes, size_t n)
{
    wchar_t einheiten[2 * sizeof bildschirmtext];
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

// To a file or pipe through the runtime's text mode, which ends lines in
// CR LF: bytes, or UTF-8.
void dateischreiben(const unsigned char *bytes, size_t n)
{
    char kodiert[3 * sizeof bildschirmtext];
    int laenge = 0;
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

void textablegen(const char *text, size_t n)
{
    while (n > 0) {
        if (textlaenge == sizeof bildschirmtext)
            ausgabeabschicken();
        size_t stueck = sizeof bildschirmtext - textlaenge < n ? sizeof bildschirmtext - textlaenge : n;
        std::memcpy(bildschirmtext + textlaenge, text, stueck);
        textlaenge += stueck;
        text += stueck;
        n -= stueck;
    }
}

void ausgabeabschicken()
{
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(bildschirmtext);
    if (zustand.ausgabe != INVALID_HANDLE_VALUE)
        konsoleschreiben(bytes, textlaenge);
    else
        dateischreiben(bytes, textlaenge);
    textlaenge = 0;
}

void bildschirmloeschen()
{
    ausgabeabschicken();   // the text before it, in order
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (zustand.ausgabe == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(zustand.ausgabe, &info)) {
        textablegen("\f", 1);   // redirected, as the command interpreter does
        return;
    }
    COORD oben = {0, 0};
    DWORD zellen = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD geschrieben;
    FillConsoleOutputCharacterW(zustand.ausgabe, L' ', zellen, oben, &geschrieben);
    FillConsoleOutputAttribute(zustand.ausgabe, info.wAttributes, zellen, oben, &geschrieben);
    SetConsoleCursorPosition(zustand.ausgabe, oben);
}
