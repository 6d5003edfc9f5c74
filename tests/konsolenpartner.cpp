// Another program on buchstabenspiele.exe's console, as on Windows: it
// leaves the console's modes changed, starts the program on the same
// console, types key events into its input and reads the screen back.
// Started as konsolenpartner.exe PROGRAMM in a console (Wine's, in a
// pseudo-terminal); ends with "N passed, M failed" and status M.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HANDLE ein, aus;

std::wstring schirm()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(aus, &info);
    std::wstring text;
    for (SHORT zeile = 0; zeile < info.dwSize.Y; zeile++) {
        wchar_t reihe[512];
        DWORD n = 0;
        DWORD breite = info.dwSize.X < 512 ? info.dwSize.X : 512;
        ReadConsoleOutputCharacterW(aus, reihe, breite, COORD {0, zeile}, &n);
        while (n > 0 && reihe[n - 1] == L' ')
            n--;
        text.append(reihe, n);
        text += L'\n';
    }
    return text;
}

void leeren()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(aus, &info);
    DWORD n;
    FillConsoleOutputCharacterW(aus, L' ', static_cast<DWORD>(info.dwSize.X) * info.dwSize.Y, COORD {0, 0}, &n);
    SetConsoleCursorPosition(aus, COORD {0, 0});
    FlushConsoleInputBuffer(ein);
}

bool warten(const wchar_t *text)
{
    for (int runde = 0; runde < 250; runde++, Sleep(20))
        if (schirm().find(text) != std::wstring::npos)
            return true;
    return false;
}

void ereignis(bool unten, WORD virtuell, WORD scancode, wchar_t zeichen, DWORD zustand)
{
    INPUT_RECORD r {};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent = {unten, 1, virtuell, scancode, {zeichen}, zustand};
    DWORD n;
    WriteConsoleInputW(ein, &r, 1, &n);
}

void taste(char buchstabe)
{
    WORD virtuell = static_cast<WORD>(buchstabe - 'a' + 'A');
    WORD scancode = static_cast<WORD>(MapVirtualKeyW(virtuell, 0));
    ereignis(true, virtuell, scancode, static_cast<wchar_t>(buchstabe), 0);
    ereignis(false, virtuell, scancode, static_cast<wchar_t>(buchstabe), 0);
}

// The failure line for a full disk, in the system's language.
bool vollgemeldet(HANDLE)
{
    wchar_t zeile[256] = L"buchstabenspiele: Ausgabe nicht moeglich: ";
    size_t n = wcslen(zeile);
    n += FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_DISK_FULL, 0,
                        zeile + n, static_cast<DWORD>(256 - n), nullptr);
    while (n > 0 && (zeile[n - 1] == L'\n' || zeile[n - 1] == L'\r' || zeile[n - 1] == L' '))
        zeile[--n] = 0;
    return warten(zeile);
}

// Each case: the modes another program left, then what is typed and seen.
struct fall {
    const char *name;
    DWORD ausgabeaus;   // output mode bits cleared before the start
    DWORD eingabean;    // input mode bits set before the start
    bool (*ablauf)(HANDLE prozess);
    bool voll = false;  // standard output on a full disk, the rest the console
};

const fall faelle[] = {
    // Without processed output CR and LF would show as glyphs on one row.
    {"zeilenenden ohne verarbeitete ausgabe", ENABLE_PROCESSED_OUTPUT, 0,
     [](HANDLE) { return warten(L"\nWaehlen Sie:\nA - "); }},
    // A character the keyboard lacks, put in as Alt down and Alt up
    // carrying it, is a key: an invalid choice.
    {"eingefuegtes euro-zeichen", 0, ENABLE_VIRTUAL_TERMINAL_INPUT,
     [](HANDLE) {
         ereignis(true, VK_MENU, 56, 0, LEFT_ALT_PRESSED);
         ereignis(false, VK_MENU, 56, 0x20AC, 0);
         return warten(L"Der eingegeben Buchstabe entspricht keinem der Menuepunkte");
     }},
    // A volume key is no key: the pause goes on.
    {"lautstaerke ist keine taste", 0, 0,
     [](HANDLE prozess) {
         taste('d');
         if (!warten(L"Druecken Sie eine beliebige Taste"))
             return false;
         ereignis(true, VK_VOLUME_UP, 48, 0, ENHANCED_KEY);
         ereignis(false, VK_VOLUME_UP, 48, 0, ENHANCED_KEY);
         return WaitForSingleObject(prozess, 500) == WAIT_TIMEOUT;
     }},
    // The system's text in any code page: run in a German locale.
    {"fehlermeldung in den zeichen der konsole", 0, 0, vollgemeldet, true},
};

// Runs one case; its modes must be the console's again at the end.
bool pruefen(const fall &f, wchar_t *befehl)
{
    DWORD eingabemodus, ausgabemodus;
    GetConsoleMode(ein, &eingabemodus);
    GetConsoleMode(aus, &ausgabemodus);
    DWORD ausgabe = ausgabemodus & ~f.ausgabeaus, eingabe = eingabemodus | f.eingabean;
    SetConsoleMode(aus, ausgabe);
    SetConsoleMode(ein, eingabe);
    leeren();
    STARTUPINFOW start {};
    start.cb = sizeof start;
    SECURITY_ATTRIBUTES erben {sizeof erben, nullptr, TRUE};
    HANDLE voll = INVALID_HANDLE_VALUE;
    if (f.voll) {
        voll = CreateFileW(L"Z:\\dev\\full", GENERIC_WRITE, 0, &erben, OPEN_EXISTING, 0, nullptr);
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = ein;
        start.hStdOutput = voll;
        start.hStdError = aus;
    }
    PROCESS_INFORMATION p {};
    bool gut = CreateProcessW(nullptr, befehl, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &p) &&
               (f.voll || warten(L" - Ende")) && f.ablauf(p.hProcess);
    if (voll != INVALID_HANDLE_VALUE)
        CloseHandle(voll);
    // To the end from wherever it stands: the menu's D, the pause's key.
    for (int runde = 0; runde < 3 && WaitForSingleObject(p.hProcess, 300) == WAIT_TIMEOUT; runde++)
        taste('d');
    if (WaitForSingleObject(p.hProcess, 3000) == WAIT_TIMEOUT) {
        TerminateProcess(p.hProcess, 99);
        gut = false;
    }
    DWORD ein2, aus2;
    GetConsoleMode(ein, &ein2);
    GetConsoleMode(aus, &aus2);
    gut = gut && ein2 == eingabe && aus2 == ausgabe;
    SetConsoleMode(aus, ausgabemodus);
    SetConsoleMode(ein, eingabemodus);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
    return gut;
}

}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    wchar_t programm[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, programm, MAX_PATH);
    ein = GetStdHandle(STD_INPUT_HANDLE);
    aus = GetStdHandle(STD_OUTPUT_HANDLE);
    int fehler = 0;
    std::string berichte;
    for (const fall &f : faelle) {
        std::wstring befehl = L"\"" + std::wstring(programm) + L"\"";
        if (!pruefen(f, &befehl[0])) {
            fehler++;
            berichte += std::string("failed: ") + f.name + "\n";
        }
    }
    int anzahl = static_cast<int>(sizeof faelle / sizeof faelle[0]);
    std::printf("%s%d passed, %d failed\n", berichte.c_str(), anzahl - fehler, fehler);
    return fehler;
}
