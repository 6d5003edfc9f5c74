// The word inversion: the buffer back to front, some bytes left out.
#include "spiele.h"

#include "../console/konsole.h"

using bildschirm::printf;

void wortinversion(const char *word)
{
    char ausgabe[30];
    for (int i = 0; i < 30; i++) {
        // Signed on every platform: bytes from 0x80 up are negative and
        // left out. 41 is the closing parenthesis; a zero marks a place
        // left out.
        int c = static_cast<signed char>(word[i]);
        ausgabe[29 - i] = c >= 41 ? word[i] : 0;
    }
    for (int j = 0; j < 30; j++)
        if (ausgabe[j] != 0)
            printf("%c", ausgabe[j]);
}
