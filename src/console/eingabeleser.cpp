// The reader behind the word, character and discard reads: one fixed
// buffer over standard input, so a line of any length costs no more memory.
#include "konsole.h"

#include <cstdio>

namespace {
bool leerzeichen(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}

int eingabeleser::vorschau()
{
    if (anfang == ende) {
        if (amende)
            return -1;
        int n = fuellen(kontext, puffer, sizeof puffer);
        if (n <= 0) {
            amende = true;
            return -1;
        }
        anfang = 0;
        ende = n;
    }
    return puffer[anfang];
}

int eingabeleser::byte()
{
    // On a terminal an end (Ctrl-D) ends only the read in progress.
    if (!endebleibt)
        amende = false;
    nichtsverwerfen = false;
    int c = vorschau();
    if (c >= 0)
        anfang++;
    return c;
}

void eingabeleser::wort(char *ziel, int groesse)
{
    if (!endebleibt)
        amende = false;
    nichtsverwerfen = false;
    int c;
    while ((c = vorschau()) >= 0 && leerzeichen(c))
        anfang++;
    if (c < 0)
        return;
    int laenge = 0;
    while (laenge < groesse - 1 && (c = vorschau()) >= 0 && !leerzeichen(c)) {
        ziel[laenge++] = static_cast<char>(c);
        anfang++;
    }
    ziel[laenge] = '\0';
}

void eingabeleser::zeichen(char *ziel)
{
    int c = byte();
    if (c < 0)
        return;
    *ziel = static_cast<char>(c);
    nichtsverwerfen = (c == '\n');
}

void eingabeleser::verwerfen()
{
    if (nichtsverwerfen) {
        nichtsverwerfen = false;
        return;
    }
    int c;
    while ((c = vorschau()) >= 0) {
        anfang++;
        if (c == '\n')
            break;
    }
}

// Standard input, for the dialogues; each platform sets up its source.
eingabeleser standardeingabe;

// Output is flushed before every read, so a prompt is seen before the wait.
void wortlesen(char *wort, int groesse)
{
    fflush(stdout);
    standardeingabe.wort(wort, groesse);
}

void zeichenlesen(char *zeichen)
{
    fflush(stdout);
    standardeingabe.zeichen(zeichen);
}

void zeileverwerfen()
{
    fflush(stdout);
    standardeingabe.verwerfen();
}
