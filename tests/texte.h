// The program's texts as the tests see them, each once: the menu, the
// prompts, the result lines. A new game changes them here only.
#pragma once

#include <string>

namespace texte {
// The menu between its leading blank line and its closing blank line.
inline const std::string menuekopf = "Willkommen im Hauptmenue";
inline const std::string menue =
    menuekopf + "\n\nWaehlen Sie:\nA - Buchstabensuchspiel\nB - Buchstabenzaehlspiel\nC - Wortinversion\nD - Ende";
// Where the menu is complete, whatever games stand before it.
inline const std::string menueende = " - Ende";
inline const std::string ungueltig = "Der eingegeben Buchstabe entspricht keinem der Menuepunkte";
// A key that is never a menu choice.
inline const std::string keinewahl = "!";
inline const std::string ende = "Programm wird beendet\n";
inline const std::string pause = "Druecken Sie eine beliebige Taste . . . ";
inline const std::string wortaufforderung = "Geben Sie ein Wort ein\n";
inline const std::string suchspiel = "Buchstabenspiel\n" + wortaufforderung;
inline const std::string buchstabenfrage = "Geben Sie den zu suchenden Buchstaben ein\n";
inline const std::string zaehlspiel = "Buchstabenzaehlspiel\n" + wortaufforderung;
inline const std::string inversion = "Buchstabeninversion\n" + wortaufforderung;

// The count's three lines.
inline std::string zaehlung(int gross, int klein)
{
    return "Anzahl der Grossbuchstaben:\t " + std::to_string(gross) + "\nAnzahl der Kleinbuchstaben:\t " +
           std::to_string(klein) + "\nAnzahl Buchstaben insgesamt:\t " + std::to_string(gross + klein) + "\n";
}
}
