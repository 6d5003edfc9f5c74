// The letter games' evaluations. Each reads its whole buffer, not just the
// word, and writes its result to the console's screen (konsole.h).
#pragma once

// The games' buffers, owned by the menu loop: the search word's, and the
// count's and the inversion's.
constexpr int suchwortgroesse = 20;
constexpr int wortgroesse = 30;

// Every position of the word (suchwortgroesse chars) where the letter
// stands, or the byte 32 below it (for a small letter, its capital).
void buchstabensuche(const char *wort, const char *buchstabe);

// How many capitals, small letters and letters in all the buffer
// (wortgroesse chars) holds; only the 26 ASCII letters in each case count.
void buchstabenzaehlung(const char *wort);

// The buffer (wortgroesse chars) back to front, without the bytes below
// the closing parenthesis and those with the top bit set.
void wortinversion(const char *wort);
