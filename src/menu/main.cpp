// The main menu: shows the choices, takes one key, runs the game.
#include "../console/konsole.h"
#include "../games/spiele.h"
#include "befehlszeile.h"

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

// A game's dialogue up to its word: its title, the prompt, the word into
// the game's buffer, the rest of the line thrown away.
void wortfragen(const char *titel, char *wort, int groesse)
{
    printf("%s\n", titel);
    printf("Geben Sie ein Wort ein\n");
    wortlesen(wort, groesse);
    zeileverwerfen();
}

int main(int argc, char **argv)
{
    if (int status = befehlszeile(argc, argv); status >= 0) {
        ausgabeabschicken();
        return status;
    }

    int auswahl = 0;
    char eingabe[suchwortgroesse];
    char suche;
    char wortzaehl[wortgroesse];
    char wortinv[wortgroesse];
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
            wortfragen("Buchstabenspiel", eingabe, sizeof eingabe);
            printf("Geben Sie den zu suchenden Buchstaben ein\n");
            zeichenlesen(&suche);
            zeileverwerfen();
            buchstabensuche(eingabe, &suche);
            break;
        case 'B':
        case 'b':
            wortfragen("Buchstabenzaehlspiel", wortzaehl, sizeof wortzaehl);
            buchstabenzaehlung(wortzaehl);
            break;
        case 'C':
        case 'c':
            wortfragen("Buchstabeninversion", wortinv, sizeof wortinv);
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
