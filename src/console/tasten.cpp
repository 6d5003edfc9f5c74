// The terminal's key decoder; the sequences it knows are listed in tasten.h.
#include "tasten.h"

namespace {
constexpr int esc = 0x1B;

// The key of the table's row that fits, or unbekanntetaste.
template <typename Passt> int zeilentaste(Passt passt)
{
    for (const auto &z : taste::tabelle)
        if (passt(z))
            return z.code;
    return unbekanntetaste;
}

// ESC [ n ~: the row with n among its numbers (0 is none).
int nummerntaste(int n)
{
    return zeilentaste([n](const auto &z) { return n && (z.nummern[0] == n || z.nummern[1] == n); });
}

int naechstes(tastenleser &t, int wartems)
{
    if (t.zurueck >= 0) {
        int c = t.zurueck;
        t.zurueck = -1;
        return c;
    }
    return t.lies(t.kontext, wartems);
}

// The rest of a sequence after ESC [ or ESC O: parameter bytes, then
// intermediate bytes, then one final byte. Consumed whole even when unknown,
// so none of its bytes turns into a key of its own.
int sequenz(tastenleser &t, bool ss3)
{
    int c = naechstes(t, sequenzwartems);
    if (!ss3 && c == '[') {           // Linux console F1-F5
        c = naechstes(t, sequenzwartems);
        if (c >= 0x40 && c <= 0x7E)
            return zeilentaste([c](const auto &z) { return z.linuxkonsole == c; });
        if (c >= 0)
            t.zurueck = c;
        return unbekanntetaste;
    }
    int erste = 0;          // the first parameter: the key's number
    bool ersteoffen = true;
    bool parameter = false;
    if (!ss3 && c == 'M') {   // an X10 mouse report: three raw bytes follow
        for (int i = 0; i < 3 && c >= 0; i++)
            c = naechstes(t, sequenzwartems);
        return unbekanntetaste;
    }
    while (c >= 0x30 && c <= 0x3F) {
        parameter = true;
        if (c >= '0' && c <= '9' && ersteoffen) {
            if (erste < 1000)
                erste = erste * 10 + (c - '0');
        } else {
            ersteoffen = false;
        }
        c = naechstes(t, sequenzwartems);
    }
    // rxvt ends a key with a number in $ (Shift), ^ (Ctrl) or @ (both).
    while (c >= 0x20 && c <= 0x2F && !(c == '$' && parameter))
        c = naechstes(t, sequenzwartems);
    if (c == '$' || c == '^' || c == '@')
        return parameter && !ss3 ? nummerntaste(erste) : unbekanntetaste;
    if (c < 0x40 || c > 0x7E) {
        // Cut off or broken: what came is dropped, a foreign byte stays.
        if (c >= 0)
            t.zurueck = c;
        return unbekanntetaste;
    }
    if (c == '~')
        return ss3 ? unbekanntetaste : nummerntaste(erste);
    return zeilentaste([c](const auto &z) { return z.endbuchstabe == c; });
}

// A character typed on a UTF-8 keyboard: one key, its byte in the set
// inside. What breaks it off stays for the next key.
int utf8taste(tastenleser &t, int erstes)
{
    utf8dekodierer d;
    int c = d.weiter(static_cast<unsigned char>(erstes));
    while (c == utf8mehr) {
        int b = naechstes(t, escwartems);
        if (b < 0)
            return ersatzzeichen;
        c = d.weiter(static_cast<unsigned char>(b));
        if (c == utf8abbruch) {
            t.zurueck = b;
            return ersatzzeichen;
        }
    }
    return c;
}
}

int tastedekodieren(tastenleser &t)
{
    int c = zeitum;
    // A [ or O soon after a lone Escape is the rest of a sequence that a
    // slow link split: swallowed with it, so that its final byte never
    // counts as a letter.
    if (t.nachesc) {
        t.nachesc = false;
        c = naechstes(t, sequenzwartems);
        if (c == '[' || c == 'O')
            return sequenz(t, c == 'O');
    }
    if (c == zeitum)
        c = naechstes(t, -1);
    if (c < 0)
        return keinetaste;
    if (c >= 0x80 && t.utf8)
        return utf8taste(t, c);
    if (c != esc)
        return c;
    int nach = naechstes(t, escwartems);
    if (nach == '[' || nach == 'O')
        return sequenz(t, nach == 'O');
    if (nach < 0) {   // a lone Escape
        t.nachesc = nach == zeitum;
        return esc;
    }
    // Alt (Meta) with a key: ESC and the key's bytes in one burst.
    if (nach == esc) {   // Alt with a special key: ESC ESC [ A
        int c2 = naechstes(t, escwartems);
        if (c2 == '[' || c2 == 'O')
            sequenz(t, c2 == 'O');
        else if (c2 >= 0)
            t.zurueck = c2;
        return unbekanntetaste;
    }
    if (nach >= 0x80 && t.utf8)
        utf8taste(t, nach);
    return alttaste(nach);
}
