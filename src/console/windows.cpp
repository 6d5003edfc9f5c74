// The console on Windows, through its wide-character interface: keys as
// key events, lines from the console's own line input, output as UTF-16,
// so that the set inside is Windows-1252 whatever the code page. Files and
// pipes are bytes, in UTF-8 where the system's ANSI code page is 65001. No
// command interpreter is started for the clear or the pause.
#include "konsole.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

char bildschirmtext[8192];      // every screen leaves in one go
size_t textlaenge = 0;
HANDLE tastatur = INVALID_HANDLE_VALUE;   // the console's keyboard, or none
HANDLE zeilen = INVALID_HANDLE_VALUE;     // standard input, when a console
HANDLE ausgabe = INVALID_HANDLE_VALUE;    // standard output, when a console
bool dateiutf8 = false;         // files and pipes are written in UTF-8
volatile LONG zeileliest = 0;   // the console's line input is running

// A failure of the program's work: one line on standard error with the
// system's own text, status 1. A reader that left needs no line.
[[noreturn]] void scheitern(const char *was, DWORD fehler)
{
    if (fehler != ERROR_BROKEN_PIPE && fehler != ERROR_NO_DATA && fehler != ERROR_PIPE_NOT_CONNECTED) {
        char zeile[512];
        int n = std::snprintf(zeile, sizeof zeile, "buchstabenspiele: %s nicht moeglich: ", was);
        n += static_cast<int>(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                             fehler, 0, zeile + n, static_cast<DWORD>(sizeof zeile) - n - 3,
                                             nullptr));
        while (n > 0 && (zeile[n - 1] == '\n' || zeile[n - 1] == '\r' || zeile[n - 1] == ' '))
            n--;
        zeile[n++] = '\r';
        zeile[n++] = '\n';
        DWORD geschrieben;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), zeile, static_cast<DWORD>(n), &geschrieben, nullptr);
    }
    ExitProcess(1);
}

// Standard input from the console: its line input (echo and editing stay
// the console's), each UTF-16 unit as its byte in the set inside.
int konsolefuellen(void *, unsigned char *ziel, int platz)
{
    wchar_t einheiten[512];
    DWORD n = 0;
    DWORD hoechstens = static_cast<DWORD>(platz < 512 ? platz : 512);
    zeileliest = 1;
    BOOL gelesen = ReadConsoleW(zeilen, einheiten, hoechstens, &n, nullptr);
    zeileliest = 0;
    if (!gelesen || n == 0)
        return 0;
    if (einheiten[0] == 0x1A)   // Ctrl-Z at the start of a line: the end
        return 0;
    int laenge = 0;
    for (DWORD i = 0; i < n; i++) {
        int b = utf16nach1252(einheiten[i]);
        if (b >= 0)
            ziel[laenge++] = static_cast<unsigned char>(b);
    }
    return laenge;
}

// A file or pipe; its end, a pipe whose writer left, and no standard input
// at all end the input, any other error is a failure.
int dateifuellen(void *, unsigned char *ziel, int platz)
{
    HANDLE ein = GetStdHandle(STD_INPUT_HANDLE);
    DWORD n = 0;
    if (!ein || ein == INVALID_HANDLE_VALUE)
        return 0;
    if (ReadFile(ein, ziel, static_cast<DWORD>(platz), &n, nullptr))
        return static_cast<int>(n);
    DWORD fehler = GetLastError();
    if (fehler != ERROR_BROKEN_PIPE && fehler != ERROR_HANDLE_EOF)
        scheitern("Eingabe", fehler);
    return 0;
}

// Ctrl-C outside a key wait (processed input is on then), and on consoles
// that raise it as an event even while processed input is off (Wine's), is
// put into the input as the key it is. At a word prompt the default stays:
// the program ends.
BOOL WINAPI strgc(DWORD ereignis)
{
    if (ereignis != CTRL_C_EVENT || zeileliest)
        return FALSE;
    INPUT_RECORD r {};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = TRUE;
    r.Event.KeyEvent.wRepeatCount = 1;
    r.Event.KeyEvent.wVirtualKeyCode = 'C';
    r.Event.KeyEvent.wVirtualScanCode = 46;
    r.Event.KeyEvent.uChar.UnicodeChar = 3;
    r.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    DWORD n;
    WriteConsoleInputW(tastatur, &r, 1, &n);
    return TRUE;
}

// Console modes for one key wait, always put back: Ctrl-C a key (3), no
// line input, no echo.
class tastenmodus {
public:
    tastenmodus() : gesetzt(GetConsoleMode(tastatur, &alt) != 0)
    {
        if (gesetzt)
            SetConsoleMode(tastatur, alt & ~(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    }
    ~tastenmodus()
    {
        if (gesetzt)
            SetConsoleMode(tastatur, alt);
    }
    tastenmodus(const tastenmodus &) = delete;
    tastenmodus &operator=(const tastenmodus &) = delete;

private:
    DWORD alt = 0;
    bool gesetzt;
};

// A key event held down reports its repeats at once; they are keys of
// their own, one per call.
int wiederholtetaste = keinbyte;
int wiederholungen = 0;

int konsoletaste()
{
    if (wiederholungen > 0) {
        wiederholungen--;
        return wiederholtetaste;
    }
    tastenmodus modus;
    for (;;) {
        INPUT_RECORD r;
        DWORD n = 0;
        // A read that fails means the keyboard is gone.
        if (!ReadConsoleInputW(tastatur, &r, 1, &n) || n == 0)
            return keinetaste;
        if (r.EventType != KEY_EVENT)
            continue;
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        konsolenereignis e {k.bKeyDown != 0, k.wVirtualKeyCode, k.wVirtualScanCode,
                            static_cast<unsigned short>(k.uChar.UnicodeChar), k.dwControlKeyState};
        int code = ereignistaste(e);
        if (code == keinbyte)
            continue;
        if (e.unten && k.wRepeatCount > 1) {
            wiederholtetaste = code;
            wiederholungen = k.wRepeatCount - 1;
        }
        return code;
    }
}

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
        if (!WriteConsoleW(ausgabe, einheiten + erledigt, laenge - erledigt, &geschrieben, nullptr) ||
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
        laenge += ausgabeform(bytes[i], dateiutf8, false, kodiert + laenge);
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

void konsolebeginnen()
{
    dateiutf8 = GetACP() == 65001;   // files and pipes speak UTF-8
    DWORD modus;
    HANDLE aus = GetStdHandle(STD_OUTPUT_HANDLE);
    if (GetConsoleMode(aus, &modus))
        ausgabe = aus;

    HANDLE ein = GetStdHandle(STD_INPUT_HANDLE);
    bool eingabekonsole = GetConsoleMode(ein, &modus) != 0;
    if (eingabekonsole) {
        zeilen = ein;
        standardeingabe.fuellen = konsolefuellen;
    } else {
        standardeingabe.fuellen = dateifuellen;
        standardeingabe.utf8 = dateiutf8;
    }
    standardeingabe.kontext = nullptr;
    standardeingabe.endebleibt = !eingabekonsole;

    // The keyboard is the console's, also when standard input is a file.
    tastatur = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (tastatur != INVALID_HANDLE_VALUE)
        SetConsoleCtrlHandler(strgc, TRUE);
}

void ausgabeabschicken()
{
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(bildschirmtext);
    if (ausgabe != INVALID_HANDLE_VALUE)
        konsoleschreiben(bytes, textlaenge);
    else
        dateischreiben(bytes, textlaenge);
    textlaenge = 0;
}

int tastelesen()
{
    ausgabeabschicken();
    // Without a console the keys come from standard input, a byte each.
    if (tastatur == INVALID_HANDLE_VALUE) {
        int c = standardeingabe.byte();
        return c < 0 ? keinetaste : c;
    }
    return konsoletaste();
}

void bildschirmloeschen()
{
    ausgabeabschicken();   // the text before it, in order
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (ausgabe == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(ausgabe, &info)) {
        textablegen("\f", 1);   // redirected, as the command interpreter does
        return;
    }
    COORD oben = {0, 0};
    DWORD zellen = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD geschrieben;
    FillConsoleOutputCharacterW(ausgabe, L' ', zellen, oben, &geschrieben);
    FillConsoleOutputAttribute(ausgabe, info.wAttributes, zellen, oben, &geschrieben);
    SetConsoleCursorPosition(ausgabe, oben);
}

void abschlusspause()
{
    bildschirm::printf("Druecken Sie eine beliebige Taste . . . ");
    tastelesen();
    bildschirm::putchar('\n');
    ausgabeabschicken();
}
