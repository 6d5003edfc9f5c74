// The browser's output path: each screen in one write onto the page's
// terminal, in UTF-8, every control in its visible form, each line end
// CR LF (xterm.js moves only down for a bare LF).
#include "zustand.h"

#include "../zeichensatz.h"

#include <cstring>
#include <emscripten.h>

EM_JS(void, seitebytes, (const char *bytes, int n), { buchstabenspiele.schreiben(HEAPU8.slice(bytes, bytes + n)); });

void seiteschreiben(const char *bytes, int n)
{
    seitebytes(bytes, n);
}

void bildschirmsenden(bool loeschen, const char *text, size_t n)
{
    static char kodiert[8 + 3 * bildschirmgroesse];
    size_t laenge = 0;
    if (loeschen) {
        std::memcpy(kodiert, "\x1b[H\x1b[2J", 7);
        laenge = 7;
    }
    for (size_t i = 0; i < n; i++) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '\n')
            kodiert[laenge++] = '\r';
        laenge += static_cast<size_t>(ausgabeform(b, true, true, kodiert + laenge));
    }
    seiteschreiben(kodiert, static_cast<int>(laenge));
}
