// The line being typed where no terminal or console keeps it (a browser's
// page): the keys of a line read in, the line and its echo out, as a
// terminal's line mode gives them. The keys come decoded (tasten.h), each
// character one byte in the set inside, so that Backspace always takes a
// whole character.
#pragma once

constexpr int zeilenplatz = 4096;   // a line with its line end

enum class zeilenstand {
    offen,     // the line goes on
    fertig,    // Enter: the line, its '\n' last; or Ctrl-D behind text
    ende,      // Ctrl-D on an empty line: the end of input
    abbruch,   // Ctrl-C or Ctrl-\: the program ends, as by the signal
};

struct zeilendisziplin {
    // The echo, in the terminal's bytes, as it arises.
    void (*zeigen)(void *kontext, const char *bytes, int n) = nullptr;
    void *kontext = nullptr;
    bool utf8 = true;   // the terminal speaks UTF-8

    char zeile[zeilenplatz];
    int laenge = 0;

    // One key: a printable character echoes and enters the line, another
    // control character too, as ^X; Backspace (DEL, ^H) erases the last
    // character, Ctrl-U the line, Ctrl-W the last word, on the screen and
    // in the line; special keys do nothing. Once fertig or ende, the next
    // key begins a new line.
    zeilenstand taste(int code);

private:
    zeilenstand stand = zeilenstand::offen;
    void anhaengen(unsigned char b);
    void loeschen();
    int form(unsigned char b, char *ziel) const;
};

struct tastenleser;

// Standard input's source for a platform without a line mode: all it does
// is give the keys' reader and the echo's way (zeile.zeigen). Put
// zeilenquellefuellen and the zeilenquelle into standardeingabe's fuellen
// and kontext, endebleibt false: each finished line is handed out as the
// reader asks for it, the rest of it first; Ctrl-D on an empty line is 0,
// the end of this one read, and so is a keyboard that is gone; Ctrl-C and
// Ctrl-\ end the program with status 130, as a shell reports a program
// ended by Ctrl-C.
struct zeilenquelle {
    zeilendisziplin zeile;
    tastenleser *tasten = nullptr;
    int ausgegeben = 0;   // of the finished line, handed out so far
};
int zeilenquellefuellen(void *quelle, unsigned char *ziel, int platz);
