// The character set: inside, one byte per character in Windows-1252; UTF-8
// and UTF-16 in and out, the locale's codeset, and how each byte the
// program writes reaches a terminal, a file or the Windows console.
#pragma once

constexpr int keinzeichen = -3;   // a UTF-16 unit that stands for no byte
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
// ersatzzeichen for its first half and keinzeichen for its second.
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
