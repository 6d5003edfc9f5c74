#include "spiele.h"

#include <cstdio>

void buchstabensuche(const char *word, const char *letter)
{
    int s = *letter;
    for (int i = 0; i < 20; i++) {
        int w = word[i];
        // One-sided on purpose: a capital does not find its small form.
        if (w == s || w == s - 32)
            printf("Der %d. Buchstabe ist ein %c\n", i + 1, s);
    }
}
