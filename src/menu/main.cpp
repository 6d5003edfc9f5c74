// The main menu: shows the choices, takes one key, runs the game.
#include "../console/konsole.h"
#include "../games/spiele.h"

#include <cstring>

// The texts go to the console's screen buffer (konsole.h).
using bildschirm::printf;
using bildschirm::putchar;
using bildschirm::puts;

// Filler for word buffers no word has reached yet: a byte from 0x80 up is
// no letter, and this one has no character in the set inside, so untouched
// places never show (only its +32 partner, the invisible soft hyphen, or the
// raw byte itself finds them).
constexpr unsigned char fuellwert = 0x8D;
// The search letter before any was read: another byte without a character,
// and too low for its -32 to match any byte at all.
constexpr unsigned char ersterbuchstabe = 0x81;

#ifndef VERSION
#define VERSION "?"
#endif

// --help and --version (on Windows also /?) are answered without touching
// the terminal; every other argument is ignored, as it always was.
bool befehlszeile(int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--version") == 0) {
            printf("buchstabenspiele %s\n", VERSION);
            return true;
        }
        bool hilfe = std::strcmp(argv[i], "--help") == 0;
#ifdef _WIN32
        hilfe = hilfe || std::strcmp(argv[i], "/?") == 0;
#endif
        if (hilfe) {
            printf("Aufruf: buchstabenspiele [--help | --version]\n\n"
                   "Drei Buchstabenspiele auf eingetippten Woertern. Im Hauptmenue waehlt\n"
                   "ein Tastendruck, ohne Enter:\n"
                   "  A  Buchstabensuchspiel: jede Stelle eines Buchstabens im Wort\n"
                   "  B  Buchstabenzaehlspiel: Gross-, Klein- und alle Buchstaben\n"
                   "  C  Wortinversion: das Wort rueckwaerts\n"
                   "  D  Ende\n\n"
                   "  --help     diese Hilfe zeigen\n"
                   "  --version  Name und Version zeigen\n\n"
#ifdef _WIN32
                   "Mehr in README.md.\n");
#else
                   "Mehr in der Handbuchseite: man 6 buchstabenspiele\n");
#endif
            return true;
        }
    }
    return false;
}

int main(int argc, char **argv)
{
    if (befehlszeile(argc, argv)) {
        ausgabeabschicken();
        return 0;
    }

    int auswahl = 0;
    char eingabe[20];
    char suche;
    char wortzaehl[30];
    char wortinv[30];
    std::memset(eingabe, fuellwert, sizeof eingabe);
    suche = static_cast<char>(ersterbuchstabe);
    std::memset(wortzaehl, fuellwert, sizeof wortzaehl);
    std::memset(wortinv, fuellwert, sizeof wortinv);

    konsolebeginnen();
    do {
        printf("\nWillkommen im Hauptmenue\n\nWaehlen Sie:\n");
        puts("A - Buchstabensuchspiel");
        puts("B - Buchstabenzaehlspiel");
        puts("C - Wortinversion");
        puts("D - Ende");
        putchar('\n');

        auswahl = tastelesen();
        bildschirmloeschen();

        switch (auswahl) {
        case 'A':
        case 'a':
            printf("Buchstabenspiel\n");
            printf("Geben Sie ein Wort ein\n");
            wortlesen(eingabe, sizeof eingabe);
            zeileverwerfen();
            printf("Geben Sie den zu suchenden Buchstaben ein\n");
            zeichenlesen(&suche);
            zeileverwerfen();
            buchstabensuche(eingabe, &suche);
            break;
        case 'B':
        case 'b':
            printf("Buchstabenzaehlspiel\n");
            printf("Geben Sie ein Wort ein\n");
            wortlesen(wortzaehl, sizeof wortzaehl);
            zeileverwerfen();
            buchstabenzaehlung(wortzaehl);
            break;
        case 'C':
        case 'c':
            printf("Buchstabeninversion\n");
            printf("Geben Sie ein Wort ein\n");
            wortlesen(wortinv, sizeof wortinv);
            zeileverwerfen();
            wortinversion(wortinv);
            break;
        case 'D':
        case 'd':
        case keinetaste:   // no keyboard left: end as if D was pressed
            auswahl = 'D';
            printf("Programm wird beendet\n");
            break;
        default:
            printf("Der eingegeben Buchstabe entspricht keinem der Menuepunkte");
            break;
        }
    } while (auswahl != 'D' && auswahl != 'd');

    abschlusspause();
    return 0;
}
