// What each platform's console source (posix/, windows/) defines for the
// portable parts of the console.
#pragma once

#include <cstddef>

// Where the bildschirm texts go: the platform's screen buffer, which
// ausgabeabschicken sends.
void textablegen(const char *text, size_t n);
