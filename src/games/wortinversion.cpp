// The word inversion: the buffer back to front, some bytes left out.
#include "spiele.h"

#include "../console/konsole.h"

using bildschirm::printf;

void wortinversion(const char *wort)
{
    char ausgabe[wortgroesse];
    for (int i = 0; i < wortgroesse; i++) {
        // Signed on every platform: bytes from 0x80 up are negative and
        // left out. 41 is the closing parenthesis; a zero marks a place
        // left out.
        int c = static_cast<signed char>(wort[i]);
        ausgabe[wortgroesse - 1 - i] = c >= 41 ? wort[i] : 0;
    }
    for (int j = 0; j < wortgroesse; j++)
        if (ausgabe[j] != 0)
            printf("%c", ausgabe[j]);
}
