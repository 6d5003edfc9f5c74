// Turns keyboard bytes into key codes: one code per key, so that no special
// key's bytes can be taken as menu letters. The sequences are listed in
// konsole.h.
#include "konsole.h"

namespace {
constexpr int esc = 0x1B;

// The Windows console's code for the key named by a final byte.
int buchstabentaste(int endbyte)
{
    switch (endbyte) {
    case 'A': return sondertaste + 72;
    case 'B': return sondertaste + 80;
    case 'C': return sondertaste + 77;
    case 'D': return sondertaste + 75;
    case 'E': return sondertaste + 76;
    case 'H': return sondertaste + 71;
    case 'F': return sondertaste + 79;
    case 'P': return sondertaste + 59;
    case 'Q': return sondertaste + 60;
    case 'R': return sondertaste + 61;
    case 'S': return sondertaste + 62;
    default: return unbekanntetaste;
    }
}

// The Windows console's code for ESC [ n ~.
int nummerntaste(int n)
{
    switch (n) {
    case 1: case 7: return sondertaste + 71;
    case 2: return sondertaste + 82;
    case 3: return sondertaste + 83;
    case 4: case 8: return sondertaste + 79;
    case 5: return sondertaste + 73;
    case 6: return sondertaste + 81;
    case 23: return sondertaste + 133;
    case 24: return sondertaste + 134;
    }
    if (n >= 11 && n <= 15)
        return sondertaste + 59 + (n - 11);
    if (n >= 17 && n <= 21)
        return sondertaste + 64 + (n - 17);
    return unbekanntetaste;
}

// The scan codes of the letters A to Z, which the Windows console gives
// for Alt with a letter.
constexpr unsigned char scancodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                         49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

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
        if (c >= 'A' && c <= 'E')
            return sondertaste + 59 + (c - 'A');
        if (c >= 0 && (c < 0x40 || c > 0x7E))
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
    return buchstabentaste(c);
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

int alttaste(int c)
{
    if (c >= 'a' && c <= 'z')
        return sondertaste + scancodes[c - 'a'];
    if (c >= 'A' && c <= 'Z')
        return sondertaste + scancodes[c - 'A'];
    return unbekanntetaste;
}

int tastedekodieren(tastenleser &t)
{
    int c = keinbyte;
    // A [ or O soon after a lone Escape is the rest of a sequence that a
    // slow link split: swallowed with it, so that its final byte never
    // counts as a letter.
    if (t.nachesc) {
        t.nachesc = false;
        c = naechstes(t, sequenzwartems);
        if (c == '[' || c == 'O')
            return sequenz(t, c == 'O');
    }
    if (c == keinbyte)
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
        t.nachesc = nach == keinbyte;
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
