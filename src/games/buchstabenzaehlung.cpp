// The letter count: capitals, small letters and letters in all.
#include "spiele.h"

#include "../console/konsole.h"

using bildschirm::printf;

void buchstabenzaehlung(const char *wort)
{
    int gross = 0;
    int klein = 0;
    for (int i = 0; i < wortgroesse; i++) {
        int c = static_cast<signed char>(wort[i]);   // 0x80 up: no letter
        if (c >= 'A' && c <= 'Z')
            gross++;
        if (c >= 'a' && c <= 'z')
            klein++;
    }
    printf("Anzahl der Grossbuchstaben:\t %d\n", gross);
    printf("Anzahl der Kleinbuchstaben:\t %d\n", klein);
    printf("Anzahl Buchstaben insgesamt:\t %d\n", gross + klein);
}
