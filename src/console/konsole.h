// The console's face: everything the menu loop and the games do with the
// keyboard, standard input and the screen, on every platform. Nothing else
// of the console layer is theirs to touch.
//
// Inside, the program works in one byte per character, Windows-1252; the
// console translates from and to the terminal's or console's own set
// (zeichensatz.h).
#pragma once

// Keys come as their byte (0-255), as a special key's code above 255
// (tasten.h), or as keinetaste: the keyboard is gone or ended.
constexpr int keinetaste = -1;

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

// Once before the first key or line is read: the keyboard found, the
// screen's way set up. What is written before it (the help, the version)
// goes out as to a file.
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

// Everything written so far goes out, in one go. A failed write ends the
// program with status 1: the terminal's modes back, one line on standard
// error (none when the reader left).
void ausgabeabschicken();
