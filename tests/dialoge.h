// The dialogues of dialoge.txt, which every kind of terminal's driver
// runs: keys typed and what the screen shows for them; and the program's
// texts by name.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct dialogschritt {
    std::string tippt;   // empty before the first key
    std::string zeigt;
};

struct dialog {
    std::string name;
    std::vector<dialogschritt> schritte;
    std::string endet;                  // "" (status 0) or "strgc"
    std::vector<std::string> nur;       // the drivers that run it; empty: all
};

// Whether the driver named so runs the dialogue.
bool fuer(const dialog &d, const std::string &fahrer);

// dialoge.txt's dialogues, {loeschen} as this driver's terminal gets the
// clear; a fault in the file ends the test program with its line.
std::vector<dialog> dialogeladen(const std::string &loeschen);

// One of dialoge.txt's texts or keys, its tokens resolved: the program's
// texts for every C++ test, each once.
std::string dialogtext(const std::string &name);

// The count's three lines.
std::string zaehlung(int gross, int klein);

// Everything a dialogue shows, in order.
std::string ganzerbildschirm(const dialog &d);

// A dialogue's name, for the test's report.
void PrintTo(const dialog &d, std::ostream *os);
