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
