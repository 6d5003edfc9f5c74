// The console on Windows, through its wide-character interface: keys as
// key events, lines from the console's own line input, so that the set
// inside is Windows-1252 whatever the code page. All console state lives
// in `zustand` (zustand.h); the control events are in signale.cpp, the
// output path in ausgabe.cpp. No command interpreter is started for the
// pause. The console's modes are shared with every program on it and
// outlive them: the input mode is set for each key wait and line read, the
// output mode for the run, and the modes found are put back at every end,
// also when a control event ends the program.
#include "../eingabeleser.h"
#include "../konsole.h"
#include "../plattform.h"
#include "../windowsregeln.h"
#include "zustand.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <io.h>
#include <windows.h>

plattformzustand zustand;

namespace {

// A key wait or line read begins (lesen set), unless a Ctrl-C was kept
// for it: then true.
bool lesenbeginnen(volatile LONG &lesen)
{
    EnterCriticalSection(&zustand.strgcschutz);
    bool strgc = zustand.strgcvorgemerkt != 0;
    zustand.strgcvorgemerkt = 0;
    lesen = !strgc;
    LeaveCriticalSection(&zustand.strgcschutz);
    return strgc;
}

}

void zuruecksetzen()
{
    EnterCriticalSection(&zustand.modusschutz);
    if (zustand.modusgesetzt)
        SetConsoleMode(zustand.moduskonsole, zustand.gefundenermodus);
    if (zustand.ausgabemodusgesetzt)
        SetConsoleMode(zustand.ausgabe, zustand.gefundenerausgabemodus);
    zustand.modusgesetzt = zustand.ausgabemodusgesetzt = false;
    LeaveCriticalSection(&zustand.modusschutz);
}

void beenden(UINT status)
{
    zuruecksetzen();
    ExitProcess(status);
}

namespace {

// The console's input mode for one key wait or line read, from the mode
// found; afterwards the mode between reads, with Ctrl-C the console's
// signal.
class eingabemodus {
public:
    eingabemodus(HANDLE konsole, unsigned long (*regel)(unsigned long)) : konsole(konsole)
    {
        EnterCriticalSection(&zustand.modusschutz);
        DWORD gefunden;
        if (!zustand.modusgesetzt && GetConsoleMode(konsole, &gefunden)) {
            zustand.moduskonsole = konsole;
            zustand.gefundenermodus = gefunden;
            zustand.modusgesetzt = true;
        }
        if (zustand.modusgesetzt)
            SetConsoleMode(konsole, regel(zustand.gefundenermodus));
        LeaveCriticalSection(&zustand.modusschutz);
    }
    ~eingabemodus()
    {
        EnterCriticalSection(&zustand.modusschutz);
        if (zustand.modusgesetzt)
            SetConsoleMode(konsole, zwischenmodus(zustand.gefundenermodus));
        LeaveCriticalSection(&zustand.modusschutz);
    }
    eingabemodus(const eingabemodus &) = delete;
    eingabemodus &operator=(const eingabemodus &) = delete;

private:
    HANDLE konsole;
};

// The system's text ends in a line end of its own: trimmed, then CR LF.
template <typename Z> int zeileabschliessen(Z *zeile, int n)
{
    while (n > 0 && (zeile[n - 1] == '\n' || zeile[n - 1] == '\r' || zeile[n - 1] == ' '))
        n--;
    zeile[n++] = '\r';
    zeile[n++] = '\n';
    return n;
}

// Standard input from the console: its line input (echo and editing stay
// the console's), each UTF-16 unit as its byte in the set inside. Ctrl-C
// from the moment a game was chosen until its word is read ends the
// program, whichever comes first: the read's return or the handler.
int konsolefuellen(void *, unsigned char *ziel, int platz)
{
    wchar_t einheiten[512];
    DWORD hoechstens = static_cast<DWORD>(platz < 512 ? platz : 512);
    for (;;) {
        DWORD n = 0, fehler = 0;
        BOOL gelesen;
        {
            eingabemodus modus(zustand.zeilen, zeilenlesemodus);
            if (lesenbeginnen(zustand.zeileliest))   // pressed after the menu key
                beenden(STATUS_CONTROL_C_EXIT);
            gelesen = ReadConsoleW(zustand.zeilen, einheiten, hoechstens, &n, nullptr);
            fehler = gelesen ? 0 : GetLastError();
            zustand.zeileliest = 0;
        }
        // A console returns the read that Ctrl-C aborted at once and only
        // then starts the handler's thread: wait for it a little.
        if (n == 0 && (gelesen || fehler == ERROR_OPERATION_ABORTED))
            WaitForSingleObject(zustand.strgcgesehen, 250);
        switch (zeilelesenausgang(gelesen, fehler, n, n ? einheiten[0] : 0, zustand.strgcvorgemerkt != 0)) {
        case zeilenausgang::strgc:
            beenden(STATUS_CONTROL_C_EXIT);
        case zeilenausgang::nochmal:
            continue;
        case zeilenausgang::ende:
            return 0;
        case zeilenausgang::wort:
            break;
        }
        int laenge = 0;
        for (DWORD i = 0; i < n; i++) {
            int b = utf16nach1252(einheiten[i]);
            if (b >= 0)
                ziel[laenge++] = static_cast<unsigned char>(b);
        }
        return laenge;
    }
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

// The console's key events, one per call; a key held down reports its
// repeats in one event, given here one by one.

int ereignislesen(void *, int wartems, konsolenereignis *e)
{
    for (;;) {
        if (zustand.wiederholungen > 0) {
            zustand.wiederholungen--;
            *e = zustand.wiederholt;
            return 1;
        }
        if (wartems >= 0 && WaitForSingleObject(zustand.tastatur, static_cast<DWORD>(wartems)) == WAIT_TIMEOUT)
            return 0;
        INPUT_RECORD r;
        DWORD n = 0;
        // A read that fails means the keyboard is gone.
        if (!ReadConsoleInputW(zustand.tastatur, &r, 1, &n) || n == 0)
            return -1;
        if (r.EventType != KEY_EVENT)
            continue;
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        *e = {k.bKeyDown != 0, k.wVirtualKeyCode, k.wVirtualScanCode, static_cast<unsigned short>(k.uChar.UnicodeChar),
              k.dwControlKeyState};
        if (k.bKeyDown && k.wRepeatCount > 1) {
            zustand.wiederholt = *e;
            zustand.wiederholungen = k.wRepeatCount - 1;
        }
        return 1;
    }
}

ereignisquelle tastenereignisse {ereignislesen, nullptr};

int konsoletaste()
{
    eingabemodus modus(zustand.tastatur, tastenwartemodus);
    if (lesenbeginnen(zustand.tastenwartet)) {   // typed ahead of this key
        ResetEvent(zustand.strgcgesehen);
        return 3;
    }
    int code = ereignisdekodieren(tastenereignisse);
    zustand.tastenwartet = 0;
    return code;
}

}

namespace {

// Whether someone can type into this console, as its APIs tell: a
// window station that is shown (a service's is not), a console window
// that is shown (Windows Server 2019 reports one for a process started
// without any), or a pseudo-console's stand-in window (Windows Terminal,
// ssh -t), behind which a terminal takes the keys. Wine's console in a
// Unix terminal has a hidden window too, and passes no keys to a program
// whose standard input is elsewhere.
tastenquelle tastenquellefinden(bool eingabekonsole)
{
    tastenquelle q {eingabekonsole, false, false, false};
    USEROBJECTFLAGS flaggen {};
    HWINSTA station = GetProcessWindowStation();
    q.stationsichtbar = station && GetUserObjectInformationW(station, UOI_FLAGS, &flaggen, sizeof flaggen, nullptr) &&
                        (flaggen.dwFlags & WSF_VISIBLE);
    HWND fenster = GetConsoleWindow();
    wchar_t klasse[32] = L"";
    q.pseudokonsole = fenster && GetClassNameW(fenster, klasse, 32) && std::wcscmp(klasse, L"PseudoConsoleWindow") == 0;
    q.fenstersichtbar = fenster && IsWindowVisible(fenster);
    return q;
}

}

// The line in wide characters on a console, so that the system's text
// shows in any code page.
void fehlerbeenden(const char *anfang, unsigned long fehler)
{
    zuruecksetzen();
    if (fehler == ERROR_BROKEN_PIPE || fehler == ERROR_NO_DATA || fehler == ERROR_PIPE_NOT_CONNECTED)
        ExitProcess(1);   // the reader left: no line
    int n = static_cast<int>(std::strlen(anfang));
    HANDLE fehlerausgabe = GetStdHandle(STD_ERROR_HANDLE);
    DWORD modus, geschrieben;
    constexpr DWORD quelle = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (GetConsoleMode(fehlerausgabe, &modus)) {
        wchar_t zeile[512];
        for (int i = 0; i < n; i++)
            zeile[i] = static_cast<unsigned char>(anfang[i]);
        n += static_cast<int>(FormatMessageW(quelle, nullptr, fehler, 0, zeile + n, 512 - n - 3, nullptr));
        WriteConsoleW(fehlerausgabe, zeile, static_cast<DWORD>(zeileabschliessen(zeile, n)), &geschrieben, nullptr);
    } else {
        char zeile[512];
        std::memcpy(zeile, anfang, static_cast<size_t>(n));
        n += static_cast<int>(FormatMessageA(quelle, nullptr, fehler, 0, zeile + n, 512 - n - 3, nullptr));
        WriteFile(fehlerausgabe, zeile, static_cast<DWORD>(zeileabschliessen(zeile, n)), &geschrieben, nullptr);
    }
    ExitProcess(1);
}

void konsolebeginnen()
{
    InitializeCriticalSection(&zustand.modusschutz);
    zustand.dateiutf8 = GetACP() == 65001;   // files and pipes speak UTF-8
    DWORD modus;
    HANDLE aus = GetStdHandle(STD_OUTPUT_HANDLE);
    if (GetConsoleMode(aus, &modus)) {
        zustand.ausgabe = aus;
        // Line ends that act, whatever an earlier program left.
        zustand.gefundenerausgabemodus = modus;
        zustand.ausgabemodusgesetzt = true;
        SetConsoleMode(aus, ausgabemodus(modus));
    }
    std::atexit(zuruecksetzen);

    HANDLE ein = GetStdHandle(STD_INPUT_HANDLE);
    bool eingabekonsole = GetConsoleMode(ein, &modus) != 0;
    if (eingabekonsole) {
        zustand.zeilen = ein;
        standardeingabe.fuellen = konsolefuellen;
    } else {
        standardeingabe.fuellen = dateifuellen;
        standardeingabe.utf8 = zustand.dateiutf8;
    }
    standardeingabe.kontext = nullptr;
    standardeingabe.endebleibt = !eingabekonsole;

    // The keyboard is the console's, also when standard input is a file;
    // but where nobody can type into the console (a service, ssh without a
    // terminal) the keys come from standard input too.
    if (tastenvonkonsole(tastenquellefinden(eingabekonsole)))
        zustand.tastatur = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    zustand.strgcgesehen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    InitializeCriticalSection(&zustand.strgcschutz);
    if (zustand.tastatur != INVALID_HANDLE_VALUE)
        signaleeinrichten();
}

bool tastaturda()
{
    return zustand.tastatur != INVALID_HANDLE_VALUE;
}

// The console echoes only in its line read: its key mode is taken for
// each wait inside konsoletaste.
void tastaturmodus(bool) {}

// A key event is always a whole character.
int tastaturtaste(bool)
{
    return konsoletaste();
}
