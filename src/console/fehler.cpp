// The failure line's text, once for every platform; the platform adds the
// system's words for the error and ends the program.
#include "fehler.h"
#include "plattform.h"

#include <cstdio>

void scheitern(const char *was, unsigned long fehler)
{
    char anfang[64];
    std::snprintf(anfang, sizeof anfang, "buchstabenspiele: %s nicht moeglich: ", was);
    fehlerbeenden(anfang, fehler);
}
