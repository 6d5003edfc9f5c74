// The letter games' evaluations. Each reads its whole buffer, not just the
// word, and writes its result to standard output.
#pragma once

// Every position of the 20-char word where the letter stands, or its
// capital when the letter is small.
void buchstabensuche(const char *word, const char *letter);

// How many capitals, small letters and letters in all the 30-char buffer
// holds; only the 26 ASCII letters in each case count.
void buchstabenzaehlung(const char *word);

// The 30-char buffer back to front, without the bytes below the closing
// parenthesis and those with the top bit set.
void wortinversion(const char *word);
