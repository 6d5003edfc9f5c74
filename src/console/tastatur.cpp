// The menu's key reads on every platform: from the keyboard, or where
// there is none, from standard input, a byte each.
#include "eingabeleser.h"
#include "konsole.h"
#include "plattform.h"

namespace {
int taste(bool letzte)
{
    if (tastaturda())
        return tastaturtaste(letzte);
    ausgabeabschicken();
    int c = standardeingabe.byte();
    return c < 0 ? keinetaste : c;
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
