// The program's texts, formatted as stdio would, into the platform's screen
// buffer: no stream of the C library is redirected, so this works with any
// of them.
#include "konsole.h"
#include "plattform.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace bildschirm {

int printf(const char *format, ...)
{
    char text[4096];
    va_list werte;
    va_start(werte, format);
    int n = std::vsnprintf(text, sizeof text, format, werte);
    va_end(werte);
    if (n > 0)
        textablegen(text, n < static_cast<int>(sizeof text) ? static_cast<size_t>(n) : sizeof text - 1);
    return n;
}

int puts(const char *text)
{
    textablegen(text, std::strlen(text));
    textablegen("\n", 1);
    return 1;
}

int putchar(int c)
{
    char zeichen = static_cast<char>(c);
    textablegen(&zeichen, 1);
    return static_cast<unsigned char>(zeichen);
}

}
