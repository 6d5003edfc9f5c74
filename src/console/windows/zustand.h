// The Windows console's own parts, shared by its sources: the console's
// state, in one place.
#pragma once

#include "../fehler.h"
#include "../plattform.h"
#include "../windowsregeln.h"

#include <windows.h>

struct plattformzustand {
    HANDLE ausgabe = INVALID_HANDLE_VALUE;   // standard output, when a console
    bool dateiutf8 = false;                  // files and pipes are written in UTF-8
    HANDLE tastatur = INVALID_HANDLE_VALUE;  // the console's keyboard, or none
    HANDLE zeilen = INVALID_HANDLE_VALUE;    // standard input, when a console

    // Ctrl-C against the reads: the handler's decision and the start of a
    // read exclude each other, so a Ctrl-C is either kept before the read
    // looks, or decided knowing that it runs.
    volatile LONG zeileliest = 0;        // the console's line input is running
    volatile LONG tastenwartet = 0;      // a key wait is running
    volatile LONG strgcvorgemerkt = 0;   // Ctrl-C came between two reads
    HANDLE strgcgesehen = nullptr;       // set with it: the handler has run
    CRITICAL_SECTION strgcschutz;

    // The modes found, to put back at the end: the input mode from the
    // first key wait or line read on, the output mode from the start. Every
    // change and the handler's restore exclude each other, so that a
    // Ctrl+Break never falls between a mode's record and its setting.
    CRITICAL_SECTION modusschutz;
    HANDLE moduskonsole = INVALID_HANDLE_VALUE;
    DWORD gefundenermodus = 0;
    bool modusgesetzt = false;
    DWORD gefundenerausgabemodus = 0;
    bool ausgabemodusgesetzt = false;

    // A key held down reports its repeats in one event, given out one by one.
    konsolenereignis wiederholt {};
    int wiederholungen = 0;
};
extern plattformzustand zustand;

// The control handler: Ctrl-C between reads, Ctrl+Break, the console
// closed, logoff and shutdown put the modes back first (signale.cpp).
void signaleeinrichten();

// The modes found put back; from any thread, at any end, and again.
void zuruecksetzen();

// Ends at once, the modes put back first; also from the handler's thread,
// while the main thread still waits in a read.
[[noreturn]] void beenden(UINT status);
