// The single-byte character set inside (Windows-1252) against UTF-8 outside,
// and the form in which a written byte may reach a terminal.
#include "zeichensatz.h"

#include <cstdlib>

namespace {

// Windows-1252 from 0x80 to 0x9F; 0 where the set has no character.
constexpr unsigned short obererbereich[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr unsigned ersatzpunkt = 0xFFFD;   // the replacement character
}

int nach1252(unsigned punkt)
{
    if (punkt < 0x80 || (punkt >= 0xA0 && punkt <= 0xFF))
        return static_cast<int>(punkt);
    for (int i = 0; i < 32; i++)
        if (obererbereich[i] == punkt)
            return 0x80 + i;
    return ersatzzeichen;
}

unsigned aus1252(unsigned char b)
{
    if (b < 0x80 || b >= 0xA0)
        return b;
    unsigned punkt = obererbereich[b - 0x80];
    return punkt ? punkt : ersatzpunkt;
}

int utf16nach1252(unsigned einheit)
{
    // The second half of a pair: its first half gave the substitute.
    if (einheit >= 0xDC00 && einheit <= 0xDFFF)
        return keinzeichen;
    return nach1252(einheit);
}

int utf8dekodierer::weiter(unsigned char b)
{
    if (fehlt == 0) {
        if (b < 0x80)
            return b;
        if (b >= 0xC2 && b <= 0xDF)
            fehlt = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            fehlt = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            fehlt = 3;
        else
            return ersatzzeichen;   // a stray continuation, C0, C1, F5-FF
        wert = b & (0x3F >> fehlt);
        // Overlong forms, surrogates and code points past U+10FFFF are
        // excluded by the range of the second byte.
        unten = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        oben = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        return utf8mehr;
    }
    if (b < unten || b > oben) {
        fehlt = 0;
        return utf8abbruch;
    }
    wert = (wert << 6) | (b & 0x3Fu);
    unten = 0x80;
    oben = 0xBF;
    return --fehlt > 0 ? utf8mehr : nach1252(wert);
}

int ausgabeform(unsigned char b, bool utf8, bool sichtbar, char *ziel)
{
    if (b >= 0x80 && utf8) {
        unsigned p = aus1252(b);
        if (p < 0x800) {
            ziel[0] = static_cast<char>(0xC0 | (p >> 6));
            ziel[1] = static_cast<char>(0x80 | (p & 0x3F));
            return 2;
        }
        ziel[0] = static_cast<char>(0xE0 | (p >> 12));
        ziel[1] = static_cast<char>(0x80 | ((p >> 6) & 0x3F));
        ziel[2] = static_cast<char>(0x80 | (p & 0x3F));
        return 3;
    }
    int n = 0;
    unsigned char c = b;
    if (sichtbar && b >= 0x80 && b < 0xA0) {   // C1 controls on 8-bit terminals
        ziel[n++] = 'M';
        ziel[n++] = '-';
        c = b & 0x7F;
    }
    if (sichtbar && (c < 0x20 || c == 0x7F) && b != '\t' && b != '\n') {
        ziel[n++] = '^';
        c ^= 0x40;
    }
    ziel[n++] = static_cast<char>(c);
    return n;
}

int konsolenform(unsigned char b, unsigned short *ziel)
{
    if (b == '\n') {
        ziel[0] = '\r';
        ziel[1] = '\n';
        return 2;
    }
    if ((b < 0x20 || b == 0x7F) && b != '\t') {
        ziel[0] = '^';
        ziel[1] = static_cast<unsigned short>(b ^ 0x40);
        return 2;
    }
    ziel[0] = static_cast<unsigned short>(aus1252(b));
    return 1;
}

int utf8gebietsname()
{
    const char *name = nullptr;
    static const char *const variablen[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char *variable : variablen) {
        name = std::getenv(variable);
        if (name && *name)
            break;
    }
    if (!name || !*name)
        return 0;
    // The codeset stands behind the dot, or is the whole name (UTF-8 as
    // macOS sends it); a modifier behind @ is no part of it.
    const char *punkt = name;
    while (*punkt && *punkt != '.' && *punkt != '@')
        punkt++;
    const char *satz = *punkt == '.' ? punkt + 1 : name;
    const char *ende = satz;
    while (*ende && *ende != '@')
        ende++;
    auto gleich = [&](const char *wort) {
        const char *z = satz;
        for (; z < ende && *wort; z++, wort++)
            if ((*z | 0x20) != *wort)
                return false;
        return z == ende && !*wort;
    };
    if (gleich("utf-8") || gleich("utf8"))
        return 1;
    return *punkt == '.' ? 0 : -1;
}
