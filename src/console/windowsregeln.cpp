// The Windows console's rules, built and tested on every platform
// (windowsregeln.h).
#include "windowsregeln.h"

namespace {
constexpr int esc = 0x1B;
constexpr unsigned short alt = 0x12;              // the Alt key's virtual key
constexpr unsigned long alttasten = 0x1 | 0x2;    // right and left Alt held

// Input mode bits (SetConsoleMode on the input handle).
constexpr unsigned long verarbeitet = 0x1;     // ENABLE_PROCESSED_INPUT
constexpr unsigned long zeilenweise = 0x2;     // ENABLE_LINE_INPUT
constexpr unsigned long echo = 0x4;            // ENABLE_ECHO_INPUT
constexpr unsigned long terminalfolgen = 0x200;   // ENABLE_VIRTUAL_TERMINAL_INPUT

// The characters of the events that spell a key, as a terminal's bytes.
int folgebyte(void *kontext, int wartems)
{
    auto &q = *static_cast<ereignisquelle *>(kontext);
    konsolenereignis e;
    for (;;) {
        int r = q.lies(q.kontext, wartems, &e);
        if (r == 0)
            return zeitum;
        if (r < 0)
            return keinetaste;
        if (e.unten && e.zeichen) {
            int b = utf16nach1252(e.zeichen);
            if (b >= 0)
                return b;
        }
    }
}

// A typed character's key: its byte, none for the second half of a
// character beyond the BMP.
int zeichentaste(unsigned short zeichen)
{
    int b = utf16nach1252(zeichen);
    return b == keinzeichen ? keintastendruck : b;
}

// A key's press: its code, or keintastendruck where it is no key.
int ereignistasteunten(const konsolenereignis &e, altzustand &altgehalten)
{
    constexpr unsigned long strgtasten = 0x4 | 0x8;   // right and left Ctrl
    switch (e.virtuell) {
    case 0x1B: return esc;        // also where the event carries no character
    case 0x0D: return '\r';
    case 0x08: return '\b';
    case 0x09: return '\t';
    case 0x10: case 0x11: case alt: case 0x14: case 0x5B: case 0x5C: case 0x90: case 0x91:
        return keintastendruck;   // Shift, Ctrl, Alt, Caps, Windows, Num, Scroll
    }
    // Alt without Ctrl: AltGr is Ctrl+Alt and types characters (@, {).
    if ((e.zustand & alttasten) && !(e.zustand & strgtasten)) {
        constexpr unsigned long erweitert = 0x100;   // not on the keypad
        bool ziffernblock = (e.virtuell >= 0x60 && e.virtuell <= 0x69) ||
                            (!(e.zustand & erweitert) && e.scancode >= 71 && e.scancode <= 83);
        if (ziffernblock) {
            altgehalten.ziffern = true;
            return keintastendruck;   // a character code being typed
        }
        return alttaste(e.virtuell >= 'A' && e.virtuell <= 'Z' ? e.virtuell : 0);
    }
    if (e.zeichen)
        return zeichentaste(e.zeichen);
    // A special key a terminal also has; volume, media, browser, Apps and
    // IME keys and dead keys (the composed character follows) are none.
    for (const auto &z : taste::tabelle)
        if (z.virtuell == e.virtuell)
            return e.scancode ? z.code : unbekanntetaste;
    return keintastendruck;
}
}

int ereignistaste(const konsolenereignis &e, altzustand &altgehalten)
{
    if (!e.unten) {
        // A character on Alt's release: composed on the keypad, or put in
        // by the console for a character that is not on the keyboard (a
        // paste, a pseudo-console's input). Once a key came while Alt was
        // held it is that key's letter once more, already taken.
        bool zeichen = e.virtuell == alt && e.zeichen && altgehalten.gedrueckt &&
                       (altgehalten.ziffern || !altgehalten.taste);
        if (e.virtuell == alt)
            altgehalten = {};
        return zeichen ? zeichentaste(e.zeichen) : keintastendruck;
    }
    if (e.virtuell == alt)
        altgehalten.gedrueckt = true;
    int code = ereignistasteunten(e, altgehalten);
    if (code != keintastendruck && (e.zustand & alttasten))
        altgehalten.taste = true;
    return code;
}


int ereignisdekodieren(ereignisquelle &q)
{
    q.folge.lies = folgebyte;
    q.folge.kontext = &q;
    if (q.folge.zurueck >= 0)   // a byte that broke off the last sequence
        return tastedekodieren(q.folge);
    konsolenereignis e;
    for (;;) {
        if (q.lies(q.kontext, -1, &e) < 0)
            return keinetaste;
        if (e.unten && e.virtuell == 0 && e.zeichen == esc) {
            q.folge.zurueck = esc;
            return tastedekodieren(q.folge);
        }
        int code = ereignistaste(e, q.altgehalten);
        if (code != keintastendruck)
            return code;
    }
}

unsigned long tastenwartemodus(unsigned long gefunden)
{
    // Ctrl-C a key (3), keys one at a time, no echo, special keys as key
    // events rather than escape sequences.
    return gefunden & ~(verarbeitet | zeilenweise | echo | terminalfolgen);
}

unsigned long zeilenlesemodus(unsigned long gefunden)
{
    // The console's own line editing with echo; Ctrl-C its signal.
    return (gefunden | verarbeitet | zeilenweise | echo) & ~terminalfolgen;
}

unsigned long zwischenmodus(unsigned long gefunden)
{
    // Between reads Ctrl-C is the console's signal, whatever was found.
    return zeilenlesemodus(gefunden);
}

unsigned long ausgabemodus(unsigned long gefunden)
{
    constexpr unsigned long zeilenenden = 0x1;   // ENABLE_PROCESSED_OUTPUT: CR, LF, tab act
    constexpr unsigned long umbruch = 0x2;       // ENABLE_WRAP_AT_EOL_OUTPUT
    constexpr unsigned long ohnewagenruecklauf = 0x8;   // DISABLE_NEWLINE_AUTO_RETURN
    return (gefunden | zeilenenden | umbruch) & ~ohnewagenruecklauf;
}

bool tastenvonkonsole(const tastenquelle &q)
{
    if (q.eingabekonsole || q.pseudokonsole)
        return true;   // someone types at the console, or through a terminal
    return q.stationsichtbar && q.fenstersichtbar;
}

zeilenausgang zeilelesenausgang(bool gelesen, unsigned long fehler, unsigned long anzahl,
                                unsigned short erstes, bool strgc)
{
    constexpr unsigned long abgebrochen = 995;   // ERROR_OPERATION_ABORTED
    if (strgc)
        return zeilenausgang::strgc;
    if (!gelesen)   // aborted without Ctrl-C (it is ignored): the line goes on
        return fehler == abgebrochen ? zeilenausgang::nochmal : zeilenausgang::ende;
    if (anzahl == 0)
        return zeilenausgang::nochmal;
    return erstes == 0x1A ? zeilenausgang::ende : zeilenausgang::wort;   // Ctrl-Z at a line's start
}

steuerfolge steuerereignisfolge(unsigned long ereignis, bool tastenwartet, bool zeileliest)
{
    switch (ereignis) {
    case 0:   // CTRL_C_EVENT
        if (tastenwartet)
            return steuerfolge::taste;
        return zeileliest ? steuerfolge::abbruch : steuerfolge::vormerken;
    case 1:   // CTRL_BREAK_EVENT, raised whatever the mode
        return steuerfolge::abbruch;
    case 2:   // CTRL_CLOSE_EVENT
    case 5:   // CTRL_LOGOFF_EVENT
    case 6:   // CTRL_SHUTDOWN_EVENT
        return steuerfolge::schluss;
    }
    return steuerfolge::standard;
}
