// Forced in front of the POSIX console's sources to build them as on
// OpenBSD, NetBSD and older FreeBSD, whose terminals have no IUTF8 mode.
#pragma once
#include <termios.h>
#undef IUTF8
