// The console on Windows, through its wide-character interface: keys as
// key events, lines from the console's own line input, output as UTF-16,
// so that the set inside is Windows-1252 whatever the code page. Files and
// pipes are bytes, in UTF-8 where the system's ANSI code page is 65001. No
// command interpreter is started for the clear or the pause.
#include "konsole.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

char ausgabepuffer[8192];       // every screen leaves in one go
HANDLE tastatur = INVALID_HANDLE_VALUE;   // the console's keyboard, or none
HANDLE zeilen = INVALID_HANDLE_VALUE;     // standard input, when a console
HANDLE ausgabe = INVALID_HANDLE_VALUE;    // standard output as it was
bool ausgabekonsole = false;    // ... a console: written as UTF-16
HANDLE rohr = nullptr;          // read end of the pipe behind stdout
volatile LONG zeileliest = 0;   // the console's line input is running

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

int dateifuellen(void *, unsigned char *ziel, int platz)
{
    int n = _read(0, ziel, static_cast<unsigned>(platz));
    return n > 0 ? n : 0;
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

// What stdout collected, in the form its real destination needs.
void weitergeben(const unsigned char *bytes, DWORD n)
{
    DWORD geschrieben;
    if (ausgabekonsole) {
        wchar_t einheiten[4096];
        for (DWORD i = 0; i < n; i++)
            einheiten[i] = static_cast<wchar_t>(aus1252(bytes[i]));
        for (DWORD erledigt = 0; erledigt < n; erledigt += geschrieben)
            if (!WriteConsoleW(ausgabe, einheiten + erledigt, n - erledigt, &geschrieben, nullptr) ||
                geschrieben == 0)
                return;
        return;
    }
    char kodiert[4 * 4096];
    DWORD laenge = 0;
    for (DWORD i = 0; i < n; i++)
        laenge += static_cast<DWORD>(ausgabeform(bytes[i], true, false, kodiert + laenge));
    for (DWORD erledigt = 0; erledigt < laenge; erledigt += geschrieben)
        if (!WriteFile(ausgabe, kodiert + erledigt, laenge - erledigt, &geschrieben, nullptr) || geschrieben == 0)
            return;
}

}

void konsolebeginnen()
{
    setvbuf(stdout, ausgabepuffer, _IOFBF, sizeof ausgabepuffer);
    bool utf8 = GetACP() == 65001;   // files and pipes speak UTF-8
    DWORD modus;
    // A handle of our own: putting the pipe onto stdout closes the old one.
    HANDLE prozess = GetCurrentProcess();
    if (!DuplicateHandle(prozess, GetStdHandle(STD_OUTPUT_HANDLE), prozess, &ausgabe, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        ausgabe = INVALID_HANDLE_VALUE;
    ausgabekonsole = GetConsoleMode(ausgabe, &modus) != 0;
    // stdout into a pipe of our own, drained before every read: the text
    // reaches the console as UTF-16, or a file as UTF-8. A screen is far
    // smaller than the pipe, so a write never waits for the draining.
    HANDLE lesen, schreiben;
    if (ausgabe != INVALID_HANDLE_VALUE && (ausgabekonsole || utf8) &&
        CreatePipe(&lesen, &schreiben, nullptr, 1 << 16)) {
        int fd = _open_osfhandle(reinterpret_cast<intptr_t>(schreiben), _O_TEXT);
        if (fd >= 0 && _dup2(fd, 1) == 0) {
            rohr = lesen;
        } else {
            CloseHandle(lesen);
            ausgabekonsole = false;
        }
        if (fd >= 0)
            _close(fd);
        else
            CloseHandle(schreiben);
    }

    HANDLE ein = GetStdHandle(STD_INPUT_HANDLE);
    bool eingabekonsole = GetConsoleMode(ein, &modus) != 0;
    if (eingabekonsole) {
        zeilen = ein;
        standardeingabe.fuellen = konsolefuellen;
    } else {
        standardeingabe.fuellen = dateifuellen;
        standardeingabe.utf8 = utf8;
        _setmode(0, _O_BINARY);   // the reader takes CR LF itself
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
    fflush(stdout);
    if (!rohr)
        return;
    DWORD da = 0;
    while (PeekNamedPipe(rohr, nullptr, 0, nullptr, &da, nullptr) && da > 0) {
        unsigned char bytes[4096];
        DWORD n = 0;
        if (!ReadFile(rohr, bytes, da < sizeof bytes ? da : sizeof bytes, &n, nullptr) || n == 0)
            return;
        weitergeben(bytes, n);
    }
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
    if (!ausgabekonsole || !GetConsoleScreenBufferInfo(ausgabe, &info)) {
        fputs("\f", stdout);   // redirected, as the command interpreter does
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
    printf("Druecken Sie eine beliebige Taste . . . ");
    tastelesen();
    putchar('\n');
    ausgabeabschicken();
}
