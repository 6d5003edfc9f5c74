// The letter search: every position where the letter stands.
#include "spiele.h"

#include "../console/konsole.h"

using bildschirm::printf;

void buchstabensuche(const char *wort, const char *buchstabe)
{
    // Character values are signed bytes on every platform (plain char is
    // unsigned on ARM): bytes from 0x80 up are negative, so a letter from
    // 0x80 to 0x9F never finds an ASCII byte 32 below it.
    int s = static_cast<signed char>(*buchstabe);
    for (int i = 0; i < suchwortgroesse; i++) {
        int w = static_cast<signed char>(wort[i]);
        // One-sided on purpose: a capital does not find its small form.
        if (w == s || w == s - 32)
            printf("Der %d. Buchstabe ist ein %c\n", i + 1, s);
    }
}
