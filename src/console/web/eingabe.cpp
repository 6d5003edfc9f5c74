// The browser's keyboard and standard input: both from the page's queue,
// through the key decoder; a line read through the portable line source
// (zeilendisziplin.h), which echoes and edits as a terminal's line mode
// does and hands over one line at a time, so that keys typed behind it
// stay for the menu.
#include "zustand.h"

#include "../eingabeleser.h"
#include "../konsole.h"
#include "../zeilendisziplin.h"

#include <cstdio>
#include <emscripten.h>

EM_ASYNC_JS(int, seitebyte, (int wartems), { return await buchstabenspiele.byte(wartems); });
EM_JS(void, seitetastegelesen, (int taste), { buchstabenspiele.tastegelesen(taste); });
EM_ASYNC_JS(void, seiteende, (int status), {
    buchstabenspiele.beendet(status);
    await new Promise(() => {});   // this run is over; a new start is a new instance
});

namespace {

int lies(void *, int wartems)
{
    return seitebyte(wartems);
}

void echo(void *, const char *bytes, int n)
{
    seiteschreiben(bytes, n);
}

zeilenquelle zeilen;

}

tastenleser seitentasten {lies, nullptr, true};

void seitebeenden(int status)
{
    seiteende(status);
    __builtin_unreachable();
}

void konsolebeginnen()
{
    zeilen.zeile.zeigen = echo;
    zeilen.tasten = &seitentasten;
    standardeingabe.fuellen = zeilenquellefuellen;
    standardeingabe.kontext = &zeilen;
    standardeingabe.endebleibt = false;   // Ctrl-D ends one read only
}

bool tastaturda()
{
    return true;
}

// The page echoes only what the line discipline gives it.
void tastaturmodus(bool) {}

// xterm.js sends whole characters: the last key leaves nothing behind. A
// key read echoes nothing, which the page tells its screen reader.
int tastaturtaste(bool)
{
    int taste = tastedekodieren(seitentasten);
    seitetastegelesen(taste);
    return taste;
}

// Nothing the page is given can fail; should it ever, the line and status
// 1 as everywhere.
void fehlerbeenden(const char *anfang, unsigned long fehler)
{
    char text[128];
    int n = std::snprintf(text, sizeof text, "%sFehler %lu\r\n", anfang, fehler);
    seiteschreiben(text, n < static_cast<int>(sizeof text) ? n : static_cast<int>(sizeof text) - 1);
    seitebeenden(1);
}
