// A failure of the program's work, on every platform: what failed, named
// in one line on standard error, and status 1.
#pragma once

// was: "Ausgabe" or "Eingabe"; fehler: errno, or the Windows error code.
[[noreturn]] void scheitern(const char *was, unsigned long fehler);
