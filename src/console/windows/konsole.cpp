// The console on Windows, through its wide-character interface: keys as
// key events, lines from the console's own line input, so that the set
// inside is Windows-1252 whatever the code page. The output path is in
// ausgabe.cpp. No command interpreter is started for the pause. The console's
// modes are shared with every program on it and outlive them: the input
// mode is set for each key wait and line read, the output mode for the
// run, and the modes found are put back at every end, also when a control
// event ends the program.
#include "../eingabeleser.h"
#include "../konsole.h"
#include "../plattform.h"
#include "../windowsregeln.h"
#include "konsolenzustand.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <io.h>
#include <windows.h>

HANDLE ausgabe = INVALID_HANDLE_VALUE;
bool dateiutf8 = false;

namespace {

HANDLE tastatur = INVALID_HANDLE_VALUE;   // the console's keyboard, or none
HANDLE zeilen = INVALID_HANDLE_VALUE;     // standard input, when a console
volatile LONG zeileliest = 0;   // the console's line input is running
volatile LONG tastenwartet = 0; // a key wait is running
volatile LONG strgcvorgemerkt = 0;   // Ctrl-C came between two reads
HANDLE strgcgesehen = nullptr;  // set with it: the handler has run
// The handler's decision against the start of a read: a Ctrl-C is either
// kept before the read looks, or decided knowing that it runs.
CRITICAL_SECTION strgcschutz;

// A key wait or line read begins (lesen set), unless a Ctrl-C was kept
// for it: then true.
bool lesenbeginnen(volatile LONG &lesen)
{
    EnterCriticalSection(&strgcschutz);
    bool strgc = strgcvorgemerkt != 0;
    strgcvorgemerkt = 0;
    lesen = !strgc;
    LeaveCriticalSection(&strgcschutz);
    return strgc;
}

// The modes found, to put back at the end: the input mode from the first
// key wait or line read on, the output mode from the start. Every change
// and the handler's restore exclude each other, so that a Ctrl+Break never
// falls between a mode's record and its setting.
CRITICAL_SECTION modusschutz;
HANDLE moduskonsole = INVALID_HANDLE_VALUE;
DWORD gefundenermodus = 0;
bool modusgesetzt = false;
DWORD gefundenerausgabemodus = 0;
bool ausgabemodusgesetzt = false;

void moduszurueck()
{
    EnterCriticalSection(&modusschutz);
    if (modusgesetzt)
        SetConsoleMode(moduskonsole, gefundenermodus);
    if (ausgabemodusgesetzt)
        SetConsoleMode(ausgabe, gefundenerausgabemodus);
    modusgesetzt = ausgabemodusgesetzt = false;
    LeaveCriticalSection(&modusschutz);
}

// Ends at once, the modes put back first; also from the handler's thread,
// while the main thread still waits in a read.
[[noreturn]] void beenden(UINT status)
{
    moduszurueck();
    ExitProcess(status);
}

// The console's input mode for one key wait or line read, from the mode
// found; afterwards the mode between reads, with Ctrl-C the console's
// signal.
class eingabemodus {
public:
    eingabemodus(HANDLE konsole, unsigned long (*regel)(unsigned long)) : konsole(konsole)
    {
        EnterCriticalSection(&modusschutz);
        DWORD gefunden;
        if (!modusgesetzt && GetConsoleMode(konsole, &gefunden)) {
            moduskonsole = konsole;
            gefundenermodus = gefunden;
            modusgesetzt = true;
        }
        if (modusgesetzt)
            SetConsoleMode(konsole, regel(gefundenermodus));
        LeaveCriticalSection(&modusschutz);
    }
    ~eingabemodus()
    {
        EnterCriticalSection(&modusschutz);
        if (modusgesetzt)
            SetConsoleMode(konsole, zwischenmodus(gefundenermodus));
        LeaveCriticalSection(&modusschutz);
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
            eingabemodus modus(zeilen, zeilenlesemodus);
            if (lesenbeginnen(zeileliest))   // pressed after the menu key
                beenden(STATUS_CONTROL_C_EXIT);
            gelesen = ReadConsoleW(zeilen, einheiten, hoechstens, &n, nullptr);
            fehler = gelesen ? 0 : GetLastError();
            zeileliest = 0;
        }
        // A console returns the read that Ctrl-C aborted at once and only
        // then starts the handler's thread: wait for it a little.
        if (n == 0 && (gelesen || fehler == ERROR_OPERATION_ABORTED))
            WaitForSingleObject(strgcgesehen, 250);
        switch (zeilelesenausgang(gelesen, fehler, n, n ? einheiten[0] : 0, strgcvorgemerkt != 0)) {
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

// Console control events. Ctrl-C in a key wait is the key 3: consoles
// that raise it as an event even with processed input off (Wine's) get it
// put into the input. Between reads it is kept for the next one: a key
// wait takes it as the key, a line read ends the program.
BOOL WINAPI steuerung(DWORD ereignis)
{
    EnterCriticalSection(&strgcschutz);
    steuerfolge folge = steuerereignisfolge(ereignis, tastenwartet != 0, zeileliest != 0);
    if (folge == steuerfolge::vormerken) {
        strgcvorgemerkt = 1;
        SetEvent(strgcgesehen);
    }
    LeaveCriticalSection(&strgcschutz);
    switch (folge) {
    case steuerfolge::taste: {
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
    case steuerfolge::vormerken:
        return TRUE;
    case steuerfolge::abbruch:
        beenden(STATUS_CONTROL_C_EXIT);
    case steuerfolge::schluss:
        beenden(0);
    case steuerfolge::standard:
        break;
    }
    return FALSE;
}

// The console's key events, one per call; a key held down reports its
// repeats in one event, given here one by one.
konsolenereignis wiederholt;
int wiederholungen = 0;

int ereignislesen(void *, int wartems, konsolenereignis *e)
{
    for (;;) {
        if (wiederholungen > 0) {
            wiederholungen--;
            *e = wiederholt;
            return 1;
        }
        if (wartems >= 0 && WaitForSingleObject(tastatur, static_cast<DWORD>(wartems)) == WAIT_TIMEOUT)
            return 0;
        INPUT_RECORD r;
        DWORD n = 0;
        // A read that fails means the keyboard is gone.
        if (!ReadConsoleInputW(tastatur, &r, 1, &n) || n == 0)
            return -1;
        if (r.EventType != KEY_EVENT)
            continue;
        const KEY_EVENT_RECORD &k = r.Event.KeyEvent;
        *e = {k.bKeyDown != 0, k.wVirtualKeyCode, k.wVirtualScanCode, static_cast<unsigned short>(k.uChar.UnicodeChar),
              k.dwControlKeyState};
        if (k.bKeyDown && k.wRepeatCount > 1) {
            wiederholt = *e;
            wiederholungen = k.wRepeatCount - 1;
        }
        return 1;
    }
}

ereignisquelle tastenereignisse {ereignislesen, nullptr};

int konsoletaste()
{
    eingabemodus modus(tastatur, tastenwartemodus);
    if (lesenbeginnen(tastenwartet)) {   // typed ahead of this key
        ResetEvent(strgcgesehen);
        return 3;
    }
    int code = ereignisdekodieren(tastenereignisse);
    tastenwartet = 0;
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

// A failure of the program's work: the modes back, one line on standard
// error with the system's own text, status 1. A reader that left needs no
// line.
void scheitern(const char *was, DWORD fehler)
{
    moduszurueck();
    if (fehler == ERROR_BROKEN_PIPE || fehler == ERROR_NO_DATA || fehler == ERROR_PIPE_NOT_CONNECTED)
        ExitProcess(1);   // the reader left: no line
    char anfang[64];
    int n = std::snprintf(anfang, sizeof anfang, "buchstabenspiele: %s nicht moeglich: ", was);
    HANDLE fehlerausgabe = GetStdHandle(STD_ERROR_HANDLE);
    DWORD modus, geschrieben;
    constexpr DWORD quelle = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (GetConsoleMode(fehlerausgabe, &modus)) {
        // A console: wide characters, so the system's text shows in any
        // code page.
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
    InitializeCriticalSection(&modusschutz);
    dateiutf8 = GetACP() == 65001;   // files and pipes speak UTF-8
    DWORD modus;
    HANDLE aus = GetStdHandle(STD_OUTPUT_HANDLE);
    if (GetConsoleMode(aus, &modus)) {
        ausgabe = aus;
        // Line ends that act, whatever an earlier program left.
        gefundenerausgabemodus = modus;
        ausgabemodusgesetzt = true;
        SetConsoleMode(aus, ausgabemodus(modus));
    }
    std::atexit(moduszurueck);

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

    // The keyboard is the console's, also when standard input is a file;
    // but where nobody can type into the console (a service, ssh without a
    // terminal) the keys come from standard input too.
    if (tastenvonkonsole(tastenquellefinden(eingabekonsole)))
        tastatur = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    strgcgesehen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    InitializeCriticalSection(&strgcschutz);
    if (tastatur != INVALID_HANDLE_VALUE)
        SetConsoleCtrlHandler(steuerung, TRUE);
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

void abschlusspause()
{
    bildschirm::printf("Druecken Sie eine beliebige Taste . . . ");
    tastelesen();
    bildschirm::putchar('\n');
    ausgabeabschicken();
}
