// The console layer: everything the menu loop and the games do with the
// keyboard, standard input and the screen, on every platform.
//
// Escape sequences this layer writes (POSIX terminal only):
//   ESC [ H      cursor to the top left   } together: clear screen
//   ESC [ 2 J    erase the whole display  }
//   ESC [ ? 1000 ; 1002 ; 1003 ; 1004 ; 1006 ; 1015 ; 2004 l
//                mouse, focus and bracketed-paste reports off
//   ESC [ = 0 ; 1 u
//                the keyboard protocol's flags off: Ctrl-C is 0x03 again
//   These two go to the keyboard's terminal before the first key wait and
//   at every continue in the foreground, since another program may have
//   left the modes on; none is ever turned on.
// When standard output is not a terminal the clear is a form feed (0x0C);
// where TERM is unset, empty or dumb it is a line end, and nothing else the
// program writes is an escape sequence.
// Nothing else the program writes reaches a terminal as a control: see
// ausgabeform.
//
// Escape sequences it decodes from the keyboard (ESC = 0x1B), each into one
// key code sondertaste + n with the Windows console's code n for that key:
//   ESC [ A/B/C/D, ESC O A/B/C/D      Up 72, Down 80, Right 77, Left 75
//   ESC [ H/F, ESC O H/F              Home 71, End 79
//   ESC [ E, ESC O E                  keypad centre 76
//   ESC [ n ~   n = 1,7 Home 71; 2 Insert 82; 3 Delete 83; 4,8 End 79;
//               5 Page Up 73; 6 Page Down 81; 11-15 F1-F5 59-63;
//               17-21 F6-F10 64-68; 23 F11 133; 24 F12 134
//   ESC O P/Q/R/S                     F1-F4 59-62
//   ESC [ [ A..E                      F1-F5 59-63 (Linux console)
//   ESC [ n $, ESC [ n ^, ESC [ n @   as ESC [ n ~ (rxvt's Shift, Ctrl,
//                                     Ctrl+Shift)
//   modifiers as parameters (ESC [ 1 ; 5 D, ESC [ 3 ; 2 ~) are dropped;
//   ESC [ M and three raw bytes (an X10 mouse report), and any other
//   complete CSI or SS3 sequence, are unbekanntetaste.
//   ESC and a letter in one burst (Alt+letter): the letter's scan code, as
//   the Windows console gives it (Alt+A 30, Alt+D 32; see alttaste); ESC
//   and any other key: unbekanntetaste.
// ESC with nothing behind it within escwartems is the Escape key, 27. Once
// ESC [ or ESC O has come, the rest is awaited for sequenzwartems; a [ or O
// within sequenzwartems after a lone Escape is taken as the rest of a
// sequence that a slow link split after its ESC.
//
// Character set: inside, one byte per character, in Windows-1252. On a
// UTF-8 terminal the keyboard and standard input are decoded into it and
// the output encoded back (zeichensatz.cpp).
#pragma once

#include <cstddef>

// Key codes beyond the 256 byte values.
constexpr int keinetaste = -1;           // the keyboard is gone or ended
constexpr int sondertaste = 0x100;       // + the key's Windows code
constexpr int unbekanntetaste = 0x1FF;   // a special key without a code
constexpr int escwartems = 50;           // a lone Escape, or a key's start
constexpr int sequenzwartems = 1000;     // the rest of a begun sequence

// ---- Console operations, as the menu loop and the games use them ----

// The program's texts, written as stdio's printf, puts and putchar would
// write them to standard output, but into the console's own screen buffer:
// the console encodes them for the terminal or stream and sends each
// screen in one go. No text is longer than the help (under 1 KB); a
// formatted text beyond 4 KB would be cut.
namespace bildschirm {
int printf(const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
int puts(const char *text);
int putchar(int c);
}

// Once before the first output: one write per screen, keyboard found.
void konsolebeginnen();

// One keystroke, unechoed, without Enter; keys typed ahead come one per
// call. keinetaste when there is no keyboard left to read.
int tastelesen();

// Clear the screen, cursor to the top left.
void bildschirmloeschen();

// "Druecken Sie eine beliebige Taste . . . ", one key, line end.
void abschlusspause();

// Skip whitespace, then store the next word with its terminator, cut to
// groesse - 1 characters; the rest stays unread. At the end of input
// nothing is stored.
void wortlesen(char *wort, int groesse);

// Store the next character of standard input, whatever it is; a line end
// as '\n'.
void zeichenlesen(char *zeichen);

// Throw away the rest of the line read last, its line end included.
void zeileverwerfen();

// Everything written so far goes out, in one write (each platform). A
// failed write ends the program with status 1: the terminal's modes back,
// one line on standard error (none when the reader left).
void ausgabeabschicken();

// Where the bildschirm texts go: each platform's screen buffer.
void textablegen(const char *text, size_t n);

// ---- Character set, shared by the platforms ----

constexpr unsigned char ersatzzeichen = 0x8F;  // what has no place in the set
constexpr int utf8mehr = -1;     // byte taken, the character is not complete
constexpr int utf8abbruch = -2;  // the begun character is broken before this
                                 // byte: it is one ersatzzeichen, and the
                                 // byte must be given again

// UTF-8 into the single-byte set, one byte at a time: each character one
// byte, each malformed piece one ersatzzeichen.
struct utf8dekodierer {
    unsigned wert = 0;
    int fehlt = 0;                   // continuation bytes still to come
    unsigned char unten = 0x80, oben = 0xBF;   // range of the next one

    int weiter(unsigned char b);     // a byte 0-255, utf8mehr or utf8abbruch
};

// A Unicode code point as its byte in the set inside, or ersatzzeichen;
// and back (the unassigned bytes as U+FFFD).
int nach1252(unsigned punkt);
unsigned aus1252(unsigned char b);

// One UTF-16 unit: its byte in the set; a character beyond the BMP is one
// ersatzzeichen for its first half and keinbyte (nothing) for its second.
int utf16nach1252(unsigned einheit);

// What the locale the environment names (the first of LC_ALL, LC_CTYPE
// and LANG that is set and not empty) says of its codeset: 1 UTF-8, in
// any case (de_DE.UTF-8, en_US.utf8@euro, UTF-8 alone); 0 another codeset
// (de_DE.ISO-8859-1), or no name at all; -1 a name without one (C, de_DE),
// where the installed locale knows. The name decides wherever it says, so
// that every C library agrees, those whose locales all "exist" too.
int utf8gebietsname();

// How one byte the program writes goes out: with utf8 a byte from 0x80 up
// as its UTF-8 form; with sichtbar (a terminal) a control byte as caret
// notation (^N, ^?) and, without utf8, 0x80-0x9F as M-^X, so that nothing
// can act on the terminal. Tab and line end pass. Writes 1 to 4 bytes to
// ziel and returns their number.
int ausgabeform(unsigned char b, bool utf8, bool sichtbar, char *ziel);

// How one byte the program writes goes to the Windows console, as UTF-16:
// a control byte as caret notation (^G, ^[) whatever the console's output
// mode, so that no console acts on it; tab passes, a line end is CR LF,
// and every other byte its Windows-1252 character. Writes 1 or 2 units to
// ziel and returns their number.
int konsolenform(unsigned char b, unsigned short *ziel);

// ---- Building blocks, shared by the platforms and tested on their own ----

// Buffered reader over a byte source. Holds at most one buffer of input,
// whatever the length of a line. A line ends with LF, CR or CR LF.
struct eingabeleser {
    // Fills up to platz bytes; 0 means end of input.
    int (*fuellen)(void *kontext, unsigned char *ziel, int platz);
    void *kontext;
    bool endebleibt;       // end is final (file, pipe); not on a terminal
    bool utf8 = false;     // the source speaks UTF-8

    unsigned char puffer[4096];
    int anfang = 0, ende = 0;
    bool amende = false;        // the source has reported its end
    bool nichtsverwerfen = false; // last read took the line end or met the end
    bool nachcr = false;        // a line ended in CR; an LF behind it is its
    utf8dekodierer dekodierer;

    int byte();                            // next byte, or -1 at the end
    void wort(char *ziel, int groesse);
    void zeichen(char *ziel);
    void verwerfen();

private:
    void beginnen();
    bool nachladen();
    int vorschau();                        // next byte without taking it
};

// Standard input as the dialogues read it; konsolebeginnen sets its source.
extern eingabeleser standardeingabe;

// Byte source of the keyboard: a byte 0-255, keinbyte when nothing came
// within wartems (-1: wait without limit), keinetaste at its end.
constexpr int keinbyte = -2;
struct tastenleser {
    int (*lies)(void *kontext, int wartems);
    void *kontext;
    bool utf8 = false;     // a UTF-8 character is one key
    int zurueck = -1;      // a byte read ahead that belongs to the next key
    bool nachesc = false;  // the last key was an Escape that stood alone
};

// Alt with the key c: for a letter the Windows console's code (sondertaste
// + the letter's scan code, Alt+A 30), else unbekanntetaste.
int alttaste(int c);

// One key from a terminal's byte stream, escape sequences decoded.
int tastedekodieren(tastenleser &t);

// ---- The Windows console's rules, portable so that they are tested on
// every platform (konsolenregeln.cpp) ----

// A key event of the Windows console, as ReadConsoleInputW reports it.
struct konsolenereignis {
    bool unten;                  // pressed, not released
    unsigned short virtuell;     // virtual key code
    unsigned short scancode;
    unsigned short zeichen;      // UTF-16 unit; 0 for a key without one
    unsigned long zustand;       // modifier keys (dwControlKeyState)
};

// What happened while Alt was held, carried from one event to the next.
struct altzustand {
    bool gedrueckt = false; // Alt went down: its release is not a stray one
    bool ziffern = false;   // digits typed on the keypad
    bool taste = false;     // a key reported
};

// Its key code, as the POSIX keyboard gives the same key (Windows-1252,
// sondertaste + the key's code, alttaste), or keinbyte where it is no key:
// a release, a modifier alone, a dead key awaiting its letter, a key a
// terminal does not have (volume, media, Apps). A character on Alt's
// release is a key where digits were typed meanwhile, or no key was
// reported while Alt was held (the console's way to put in a character
// that is not on the keyboard).
int ereignistaste(const konsolenereignis &e, altzustand &altgehalten);

// The console's key events, one at a time: 1 and the event in e, 0 when
// none came within wartems (-1: wait without limit), -1 when the console
// is gone. A key held down is reported once per repeat.
struct ereignisquelle {
    int (*lies)(void *kontext, int wartems, konsolenereignis *e);
    void *kontext;
    altzustand altgehalten {};
    tastenleser folge {nullptr, nullptr};   // a key spelled as a sequence
};

// One key from the console's key events. Where a console spells a key as
// an escape sequence (virtual-terminal input left on: key events without a
// virtual key, with the characters ESC [ A for Up), the characters are a
// terminal's bytes and go through tastedekodieren: one key, as there.
int ereignisdekodieren(ereignisquelle &q);

// The input modes for a key wait and for a line read, from the mode found
// (the console's, shared with every program on it): each sets or clears
// the bits it relies on, processed input, line input, echo and
// virtual-terminal input, and keeps the rest (quick edit, insert mode).
unsigned long tastenwartemodus(unsigned long gefunden);
unsigned long zeilenlesemodus(unsigned long gefunden);
// Between reads, from the first key wait to the end: Ctrl-C the console's
// signal, even where another program left processed input off.
unsigned long zwischenmodus(unsigned long gefunden);
// The output mode for the program's run: line ends and tabs act and lines
// wrap, whatever another program left on the screen buffer.
unsigned long ausgabemodus(unsigned long gefunden);

// Where a keyboard is, as the console's APIs report it.
struct tastenquelle {
    bool eingabekonsole;    // standard input is the console
    bool pseudokonsole;     // a terminal (Windows Terminal, ssh -t) is behind it
    bool stationsichtbar;   // the window station is shown (not a service's)
    bool fenstersichtbar;   // the console window is a real, shown window
};
// Whether keys come from the console; otherwise from standard input, since
// nobody can type into it (a service, a scheduled task, ssh without a
// terminal).
bool tastenvonkonsole(const tastenquelle &q);

// What a line read from the console gave: a word (or a letter), nothing
// yet (read again), Ctrl-C (end as the console does), or the end of input.
enum class zeilenausgang { wort, nochmal, strgc, ende };
// gelesen: the read succeeded; fehler: its error when not; anzahl and
// erstes: the units read and the first of them; strgc: Ctrl-C came.
zeilenausgang zeilelesenausgang(bool gelesen, unsigned long fehler, unsigned long anzahl,
                                unsigned short erstes, bool strgc);

// What a console control event does, by where the program stands.
enum class steuerfolge {
    taste,       // Ctrl-C in a key wait: the key 3, put into the input
    vormerken,   // Ctrl-C between reads: the next read decides
    abbruch,     // the mode back, then end as the console's default does
    schluss,     // the window closed, logoff, shutdown: end at once, status 0
    standard,    // not the program's: the next handler's
};
steuerfolge steuerereignisfolge(unsigned long ereignis, bool tastenwartet, bool zeileliest);
