// The Windows console's control events: Ctrl-C as the key or the end,
// Ctrl+Break and the window's closing with the modes put back first.
#include "zustand.h"

#include <windows.h>

namespace {

// Console control events. Ctrl-C in a key wait is the key 3: consoles
// that raise it as an event even with processed input off (Wine's) get it
// put into the input. Between reads it is kept for the next one: a key
// wait takes it as the key, a line read ends the program.
BOOL WINAPI steuerung(DWORD ereignis)
{
    EnterCriticalSection(&zustand.strgcschutz);
    steuerfolge folge = steuerereignisfolge(ereignis, zustand.tastenwartet != 0, zustand.zeileliest != 0);
    if (folge == steuerfolge::vormerken) {
        zustand.strgcvorgemerkt = 1;
        SetEvent(zustand.strgcgesehen);
    }
    LeaveCriticalSection(&zustand.strgcschutz);
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
        WriteConsoleInputW(zustand.tastatur, &r, 1, &n);
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

}

void signaleeinrichten()
{
    SetConsoleCtrlHandler(steuerung, TRUE);
}
