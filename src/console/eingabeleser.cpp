// The reader behind the word, character and discard reads: one fixed
// buffer over standard input, so a line of any length costs no more memory.
#include "eingabeleser.h"
#include "konsole.h"

namespace {
bool leerzeichen(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}

bool eingabeleser::nachladen()
{
    anfang = ende = 0;
    while (ende == 0) {
        // One place in front stays free: a character broken at the end of
        // the last fill may add its substitute before this fill's bytes.
        // Decoding never writes ahead of what it has read.
        int n = fuellen ? fuellen(kontext, puffer + 1, static_cast<int>(sizeof puffer) - 1) : 0;
        if (n <= 0) {
            if (!utf8 || dekodierer.fehlt == 0)
                return false;
            dekodierer = {};              // cut off by the end
            puffer[ende++] = ersatzzeichen;
            return true;
        }
        if (!utf8) {
            anfang = 1;
            ende = n + 1;
            return true;
        }
        // Locals: the writes into the buffer could alias the members.
        utf8dekodierer d = dekodierer;
        int e = 0;
        for (int i = 1; i <= n; i++) {
            unsigned char b = puffer[i];
            if (b < 0x80 && d.fehlt == 0) {   // the common case
                puffer[e++] = b;
                continue;
            }
            int c = d.weiter(b);
            if (c == utf8abbruch) {
                puffer[e++] = ersatzzeichen;
                c = d.weiter(b);
            }
            if (c >= 0)
                puffer[e++] = static_cast<unsigned char>(c);
        }
        dekodierer = d;
        ende = e;
    }
    return true;
}

int eingabeleser::vorschau()
{
    if (anfang == ende) {
        if (amende)
            return -1;
        if (!nachladen()) {
            amende = true;
            return -1;
        }
    }
    return puffer[anfang];
}

// Every read starts here: on a terminal an end (Ctrl-D) ends only the read
// in progress; an LF straight behind a line's CR belongs to that line.
void eingabeleser::beginnen()
{
    if (!endebleibt)
        amende = false;
    nichtsverwerfen = false;
    if (nachcr) {
        nachcr = false;
        if (vorschau() == '\n')
            anfang++;
    }
}

int eingabeleser::byte()
{
    beginnen();
    int c = vorschau();
    if (c >= 0)
        anfang++;
    return c;
}

void eingabeleser::wort(char *ziel, int groesse)
{
    beginnen();
    int c;
    while (leerzeichen(c = vorschau()))
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
    // Enter is the line end however it came: CR, LF or CR LF.
    if (c == '\r') {
        c = '\n';
        nachcr = true;
    }
    *ziel = static_cast<char>(c);
    nichtsverwerfen = (c == '\n');
}

void eingabeleser::verwerfen()
{
    if (nichtsverwerfen)   // every read clears it again
        return;
    int c;
    while ((c = vorschau()) >= 0) {
        anfang++;
        if (c == '\n')
            break;
        if (c == '\r') {
            nachcr = true;
            break;
        }
    }
}

// Standard input, for the dialogues; each platform sets up its source.
eingabeleser standardeingabe;

// Output goes out before every read, so a prompt is seen before the wait.
void wortlesen(char *wort, int groesse)
{
    ausgabeabschicken();
    standardeingabe.wort(wort, groesse);
}

void zeichenlesen(char *zeichen)
{
    ausgabeabschicken();
    standardeingabe.zeichen(zeichen);
}

void zeileverwerfen()
{
    ausgabeabschicken();
    standardeingabe.verwerfen();
}
