// The command line: help, version, and unknown options.
#include "befehlszeile.h"

#include "../console/konsole.h"

#include <cstdio>
#include <cstring>

#ifndef VERSION
#define VERSION "?"
#endif

// --help (-h, on Windows also /?) and --version are answered without
// touching the terminal: 0 after the answer. An unknown option gets one
// line on standard error and 2, so that a typing error is not taken for a
// start. Words that are no options are ignored, as they always were; after
// "--" every argument is such a word. -1: start the menu.
int befehlszeile(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        if (std::strcmp(a, "--") == 0)
            break;
        if (std::strcmp(a, "--version") == 0) {
            bildschirm::printf("buchstabenspiele %s\n", VERSION);
            return 0;
        }
        bool hilfe = std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0;
#ifdef _WIN32
        hilfe = hilfe || std::strcmp(a, "/?") == 0;
#endif
        if (hilfe) {
            bildschirm::printf("Aufruf: buchstabenspiele [--help | --version]\n\n"
                   "Drei Buchstabenspiele auf eingetippten Woertern. Im Hauptmenue waehlt\n"
                   "ein Tastendruck, ohne Enter:\n"
                   "  A  Buchstabensuchspiel: jede Stelle eines Buchstabens im Wort\n"
                   "  B  Buchstabenzaehlspiel: Gross-, Klein- und alle Buchstaben\n"
                   "  C  Wortinversion: das Wort rueckwaerts\n"
                   "  D  Ende\n\n"
                   "  -h, --help  diese Hilfe zeigen\n"
                   "  --version   Name und Version zeigen\n\n"
#ifdef _WIN32
                   "Mehr in LIESMICH.txt.\n");
#else
                   "Mehr in der Handbuchseite: man 6 buchstabenspiele\n");
#endif
            return 0;
        }
        if (a[0] == '-' && a[1] != '\0') {
            std::fprintf(stderr, "buchstabenspiele: unbekannte Option %s (Hilfe: buchstabenspiele --help)\n", a);
            return 2;
        }
    }
    return -1;
}
