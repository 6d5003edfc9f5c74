// A terminal's line mode, for a platform whose screen has none.
#include "zeilendisziplin.h"

#include "tasten.h"
#include "zeichensatz.h"

#include <cstdlib>
#include <cstring>

namespace {
bool leer(char c)
{
    return c == ' ' || c == '\t';
}
}

// The character as the screen shows it: a control as ^X (a tab too: its
// width would depend on the column, and so would its erasing).
int zeilendisziplin::form(unsigned char b, char *ziel) const
{
    if (b == '\t') {
        ziel[0] = '^';
        ziel[1] = 'I';
        return 2;
    }
    return ausgabeform(b, utf8, true, ziel);
}

void zeilendisziplin::anhaengen(unsigned char b)
{
    if (laenge >= zeilenplatz - 1)
        return;   // full: only the line end has room
    zeile[laenge++] = static_cast<char>(b);
    char f[4];
    zeigen(kontext, f, form(b, f));
}

// The last character off the line and the screen: one step back, a blank
// and back again for each column it took.
void zeilendisziplin::loeschen()
{
    char f[4];
    int n = form(static_cast<unsigned char>(zeile[--laenge]), f);
    for (int i = 0; i < n; i++)
        if ((static_cast<unsigned char>(f[i]) & 0xC0) != 0x80)
            zeigen(kontext, "\b \b", 3);
}

zeilenstand zeilendisziplin::taste(int code)
{
    if (stand != zeilenstand::offen) {
        laenge = 0;
        stand = zeilenstand::offen;
    }
    switch (code) {
    case '\r':
    case '\n':
        zeile[laenge++] = '\n';
        zeigen(kontext, "\r\n", 2);
        return stand = zeilenstand::fertig;
    case 0x04:   // Ctrl-D
        return stand = laenge ? zeilenstand::fertig : zeilenstand::ende;
    case 0x03:   // Ctrl-C
    case 0x1C:   // Ctrl-\, echoed as a terminal does
        anhaengen(static_cast<unsigned char>(code));
        return stand = zeilenstand::abbruch;
    case 0x7F:
    case 0x08:
        if (laenge)
            loeschen();
        return stand;
    case 0x15:   // Ctrl-U
        while (laenge)
            loeschen();
        return stand;
    case 0x17:   // Ctrl-W
        while (laenge && leer(zeile[laenge - 1]))
            loeschen();
        while (laenge && !leer(zeile[laenge - 1]))
            loeschen();
        return stand;
    }
    if (code >= 0 && code <= 0xFF)
        anhaengen(static_cast<unsigned char>(code));
    return stand;
}

int zeilenquellefuellen(void *kontext, unsigned char *ziel, int platz)
{
    zeilenquelle &q = *static_cast<zeilenquelle *>(kontext);
    while (q.ausgegeben >= q.zeile.laenge) {
        q.ausgegeben = 0;
        zeilenstand stand = zeilenstand::offen;
        while (stand == zeilenstand::offen) {
            int taste = tastedekodieren(*q.tasten);
            if (taste == keinetaste) {
                q.zeile.laenge = 0;   // the keyboard is gone, and the line begun with it;
                return 0;             // the key read after it ends the run
            }
            stand = q.zeile.taste(taste);
        }
        if (stand == zeilenstand::ende)
            return 0;
        if (stand == zeilenstand::abbruch)
            std::exit(130);
    }
    int n = q.zeile.laenge - q.ausgegeben < platz ? q.zeile.laenge - q.ausgegeben : platz;
    std::memcpy(ziel, q.zeile.zeile + q.ausgegeben, static_cast<size_t>(n));
    q.ausgegeben += n;
    return n;
}
