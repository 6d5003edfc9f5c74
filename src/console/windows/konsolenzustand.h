// The Windows console's own parts, shared by its sources.
#pragma once

#include <windows.h>

extern HANDLE ausgabe;    // standard output, when a console
extern bool dateiutf8;    // files and pipes are written in UTF-8

// A failure of the program's work: the modes back, one line on standard
// error with the system's own text, status 1. A reader that left needs no
// line.
[[noreturn]] void scheitern(const char *was, DWORD fehler);
