// The letter games' evaluations. Each reads its whole buffer, not just the
// word, and writes its result to standard output.
#pragma once

// Every position of the 20-char word where the letter stands, or its
// capital when the letter is small.
void buchstabensuche(const char *word, const char *letter);
