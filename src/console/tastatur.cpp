// The menu's key reads on every platform: from the keyboard, or where
// there is none, from standard input, a byte each.
#include "eingabeleser.h"
#include "konsole.h"
#include "plattform.h"

namespace {
// The keyboard in its key mode for one read, back after it whatever the
// read gave.
struct tastenmodus {
    tastenmodus() { tastaturmodus(true); }
    ~tastenmodus() { tastaturmodus(false); }
    tastenmodus(const tastenmodus &) = delete;
    tastenmodus &operator=(const tastenmodus &) = delete;
};

// The screen goes out before every key read, after the key mode is taken:
// a key typed the moment the screen appears is neither echoed nor held.
int taste(bool letzte)
{
    if (!tastaturda()) {
        ausgabeabschicken();
        int c = standardeingabe.byte();
        return c < 0 ? keinetaste : c;
    }
    tastenmodus modus;
    ausgabeabschicken();
    return tastaturtaste(letzte);
}
}

int tastelesen()
{
    return taste(false);
}

void abschlusspause()
{
    bildschirm::printf("Druecken Sie eine beliebige Taste . . . ");
    taste(true);
    bildschirm::putchar('\n');
    ausgabeabschicken();
}
