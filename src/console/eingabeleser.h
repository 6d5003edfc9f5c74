// Standard input as the dialogues read it: words, single characters and
// the rest of a line, over any byte source, without ever holding more than
// one buffer.
#pragma once

#include "zeichensatz.h"

// Buffered reader over a byte source. Holds at most one buffer of input,
// whatever the length of a line. A line ends with LF, CR or CR LF.
struct eingabeleser {
    // Fills up to platz bytes; 0 means end of input, and so does none.
    int (*fuellen)(void *kontext, unsigned char *ziel, int platz) = nullptr;
    void *kontext;
    bool endebleibt;       // end is final (file, pipe); not on a terminal
    bool utf8 = false;     // the source speaks UTF-8

    unsigned char puffer[4096];
    int anfang = 0, ende = 0;
    bool amende = false;        // the source has reported its end
    bool nichtsverwerfen = false; // last read took the line end or met the end
    bool nachcr = false;        // a line ended in CR; an LF right behind it
                                // belongs to that line end
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
