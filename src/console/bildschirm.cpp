// The program's texts, formatted as stdio would, into the one screen
// buffer, which leaves for the platform in one go: no stream of the C
// library is redirected, so this works with any of them.
#include "konsole.h"
#include "plattform.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char text[bildschirmgroesse];
size_t laenge = 0;
bool loeschen = false;   // the screen is cleared before the text

void ablegen(const char *neu, size_t n)
{
    while (n > 0) {
        if (laenge == sizeof text)
            ausgabeabschicken();
        size_t stueck = sizeof text - laenge < n ? sizeof text - laenge : n;
        std::memcpy(text + laenge, neu, stueck);
        laenge += stueck;
        neu += stueck;
        n -= stueck;
    }
}

}

void ausgabeabschicken()
{
    if (laenge == 0 && !loeschen)
        return;
    bildschirmsenden(loeschen, text, laenge);
    laenge = 0;
    loeschen = false;
}

// The text before the clear leaves first, in order.
void bildschirmloeschen()
{
    ausgabeabschicken();
    loeschen = true;
}

namespace bildschirm {

int printf(const char *format, ...)
{
    char zeile[4096];
    va_list werte;
    va_start(werte, format);
    int n = std::vsnprintf(zeile, sizeof zeile, format, werte);
    va_end(werte);
    if (n > 0)
        ablegen(zeile, n < static_cast<int>(sizeof zeile) ? static_cast<size_t>(n) : sizeof zeile - 1);
    return n;
}

int puts(const char *zeile)
{
    ablegen(zeile, std::strlen(zeile));
    ablegen("\n", 1);
    return 1;
}

int putchar(int c)
{
    char zeichen = static_cast<char>(c);
    ablegen(&zeichen, 1);
    return static_cast<unsigned char>(zeichen);
}

}
