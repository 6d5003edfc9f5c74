// Reads dialoge.txt, built into the tests: one word a line, a name, a
// JSON string.
#include "dialoge.h"

#include "dialogedatei.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <sstream>

namespace {

struct datei {
    std::map<std::string, std::string> namen;   // texts and keys
    std::vector<dialog> dialoge;
};

// A JSON string's value from its opening quote on; bytes as \u00XX.
bool stringlesen(const std::string &zeile, size_t i, std::string &wert)
{
    if (i >= zeile.size() || zeile[i] != '"')
        return false;
    for (i++; i < zeile.size() && zeile[i] != '"'; i++) {
        char c = zeile[i];
        if (c != '\\') {
            wert += c;
            continue;
        }
        if (++i >= zeile.size())
            return false;
        switch (zeile[i]) {
        case 'n': wert += '\n'; break;
        case 'r': wert += '\r'; break;
        case 't': wert += '\t'; break;
        case 'b': wert += '\b'; break;
        case 'f': wert += '\f'; break;
        case 'u': {
            long code = std::strtol(zeile.substr(i + 1, 4).c_str(), nullptr, 16);
            if (i + 4 >= zeile.size() || code > 0xFF)
                return false;
            wert += static_cast<char>(code);
            i += 4;
            break;
        }
        default: wert += zeile[i]; break;   // \" \\ \/
        }
    }
    return i + 1 == zeile.size();
}

// {NAME} replaced by what the file or the driver names so.
std::string aufloesen(const std::string &wert, const std::map<std::string, std::string> &namen, bool &gut)
{
    std::string text;
    for (size_t i = 0; i < wert.size(); i++) {
        size_t zu = wert[i] == '{' ? wert.find('}', i) : std::string::npos;
        if (wert[i] != '{') {
            text += wert[i];
        } else if (auto n = namen.find(wert.substr(i + 1, zu - i - 1)); zu != std::string::npos && n != namen.end()) {
            text += n->second;
            i = zu;
        } else {
            gut = false;
            return text;
        }
    }
    return text;
}

// Read while the tests are listed: a fault in the file fails the build.
[[noreturn]] void falsch(int nummer, const std::string &was)
{
    std::fprintf(stderr, "tests/dialoge.txt:%d: %s\n", nummer, was.c_str());
    std::exit(1);
}

datei lesen(const std::string &loeschen)
{
    datei d;
    d.namen["loeschen"] = loeschen;
    std::istringstream ein(dialogedatei);
    int nummer = 0;
    for (std::string zeile; std::getline(ein, zeile);) {
        nummer++;
        if (zeile.empty() || zeile[0] == '#')
            continue;
        std::istringstream woerter(zeile);
        std::string wort, name, wert;
        woerter >> wort;
        bool gut = true;
        if (wort == "dialog") {
            d.dialoge.push_back({zeile.substr(7), {}, {}, {}});
            continue;
        }
        if ((wort == "endet" || wort == "nur") && !d.dialoge.empty()) {
            while (woerter >> name)
                if (wort == "nur")
                    d.dialoge.back().nur.push_back(name);
                else if (name == "strgc" && d.dialoge.back().endet.empty())
                    d.dialoge.back().endet = name;
                else
                    falsch(nummer, zeile);
            continue;
        }
        size_t stelle = zeile.find('"');
        if (wort == "text" || wort == "taste") {
            woerter >> name;
            gut = stringlesen(zeile, stelle, wert);
            d.namen[name] = aufloesen(wert, d.namen, gut);
        } else if ((wort == "zeigt" || wort == "tippt") && !d.dialoge.empty()) {
            gut = stringlesen(zeile, stelle, wert);
            wert = aufloesen(wert, d.namen, gut);
            auto &schritte = d.dialoge.back().schritte;
            if (wort == "tippt")
                schritte.push_back({wert, ""});
            else if (schritte.empty() || !schritte.back().zeigt.empty())
                schritte.push_back({"", wert});
            else
                schritte.back().zeigt = wert;
        } else {
            gut = false;
        }
        if (!gut)
            falsch(nummer, zeile);
    }
    return d;
}

}

std::vector<dialog> dialogeladen(const std::string &loeschen)
{
    return lesen(loeschen).dialoge;
}

std::string dialogtext(const std::string &name)
{
    return lesen("").namen[name];
}

bool fuer(const dialog &d, const std::string &fahrer)
{
    return d.nur.empty() || std::find(d.nur.begin(), d.nur.end(), fahrer) != d.nur.end();
}

std::string zaehlung(int gross, int klein)
{
    return dialogtext("gross") + std::to_string(gross) + "\n" + dialogtext("klein") + std::to_string(klein) + "\n" +
           dialogtext("insgesamt") + std::to_string(gross + klein) + "\n";
}

std::string ganzerbildschirm(const dialog &d)
{
    std::string text;
    for (const dialogschritt &s : d.schritte)
        text += s.zeigt;
    return text;
}

void PrintTo(const dialog &d, std::ostream *os)
{
    *os << d.name;
}
