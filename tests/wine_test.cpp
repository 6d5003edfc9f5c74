// The Windows executable named by WINDOWSPROGRAMM, under the Wine loader
// WINDOWSLADER (or wine): in a pseudo-terminal, where Wine's console host
// repaints the screen, and without any console, against this platform's
// program.
#include "terminalfahrer.h"

#include "dialoge.h"
#include "testname.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

// The menu between its leading and its closing blank line, as the
// repainted console shows it; its first line; and what ends it, whatever
// games stand before.
const std::string menue = dialogtext("menue").substr(1, dialogtext("menue").size() - 3);
const std::string menuekopf = menue.substr(0, menue.find('\n'));
const std::string menueende = menue.substr(menue.rfind('\n') + 2);
const std::string keinewahl = dialogtext("keinewahl");
const std::string ungueltig = dialogtext("ungueltig") + "\n" + menue;

// The shell command that starts the executable under Wine: vorn before it
// (variables, exec), hinten behind it (redirections).
std::string unterwine(const std::string &vorn = "exec ", const std::string &hinten = "")
{
    return vorn + "\"${WINDOWSLADER:-wine}\" \"$WINDOWSPROGRAMM\"" + hinten;
}

size_t anzahl(const std::string &text, const std::string &teil)
{
    size_t n = 0;
    for (size_t i = text.find(teil); i != std::string::npos; i = text.find(teil, i + 1))
        n++;
    return n;
}

// Every scenario drives the executable WINDOWSPROGRAMM names.
class wine : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("WINDOWSPROGRAMM"))
            GTEST_SKIP() << "WINDOWSPROGRAMM not set";
    }
};

// What the console has beyond the dialogues every terminal runs (below):
// an umlaut typed at the menu is one key in its UTF-8 code page, one pass.
TEST_F(wine, konsole)
{
    terminalsitzung t(unterwine("LC_ALL=C.UTF-8 exec ").c_str());
    ASSERT_TRUE(t.wartenbis("\n" + menue)) << t.angezeigt();
    t.tippen("\xc3\xa4");
    ASSERT_TRUE(t.wartenbis(ungueltig)) << t.angezeigt();
    t.tippen("d");
    ASSERT_TRUE(t.wartenbis(dialogtext("ende") + dialogtext("pause").substr(0, dialogtext("pause").size() - 1)))
        << t.angezeigt();
    t.tippen("x");
    int status = t.ende();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(anzahl(t.bildschirm(), menuekopf), 2u);
}

bool zeigt(terminalsitzung &t, const std::string &teil)
{
    return t.bis([&] { return t.angezeigt().find(teil) != std::string::npos; });
}

// The same keys and words in every console code page: Windows-1252 inside,
// the console's wide characters outside.
TEST_F(wine, codeseiten)
{
    // Each row: keys typed in one write, then a text the screen shows.
    // Escape comes after a screen of its own; à must not
    // swallow the b behind it, nor F1 the c, nor Alt+a start a game.
    const std::vector<std::pair<std::string, std::string>> schritte = {
        {"a", "Wort ein"}, {"B\xc3\xa4" "cker\r", "Buchstaben ein"}, {"k\r", "Der 4. Buchstabe ist ein k"},
        {"a", "Wort ein"}, {"B\xc3\xa4" "cker\r", "Buchstaben ein"}, {"\xc3\xa4\r", "Der 2. Buchstabe ist ein \xc3\xa4"},
        {"\x1b", ungueltig},
        {"a", "Wort ein"}, {"\xc3\x84pfel\r", "Buchstaben ein"}, {"\xc3\xa4\r", "Der 1. Buchstabe ist ein \xc3\xa4"},
        {"\x1b" "a", ungueltig},
        {"\xc3\xa0" "b", "Buchstabenzaehlspiel"}, {"Hallo\r", "insgesamt"},
        {"\x1bOP" "c", "Buchstabeninversion"}, {"Hallo\r", "ollaH"},
        {"d", "Programm wird beendet"},
    };
    for (int seite : {437, 850, 1252, 65001}) {
        // The path in quotes through the environment: it may hold blanks
        // ("Program Files"), and cmd reads its line after expanding it.
        std::string befehl = "WINDOWSBEFEHL=\"\\\"Z:$(printf %s \"$WINDOWSPROGRAMM\" | tr / '\\\\')\\\"\" "
                             "LC_ALL=C.UTF-8 exec \"${WINDOWSLADER:-wine}\" cmd /c \"chcp " + std::to_string(seite) +
                             " >nul & %WINDOWSBEFEHL%\"";
        terminalsitzung t(befehl.c_str());
        ASSERT_TRUE(zeigt(t, menueende)) << seite << "\n" << t.angezeigt();
        for (const auto &[tasten, text] : schritte) {
            t.tippen(tasten);
            ASSERT_TRUE(zeigt(t, text)) << seite << " nach " << tasten << ":\n" << t.angezeigt();
        }
        t.tippen("x");
        int status = t.ende();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << seite << ": " << status;
    }
}

// The console goes away while the program lives on: it ends, as at D.
TEST_F(wine, konsoleweg)
{
    terminalsitzung t(unterwine("trap '' HUP; LC_ALL=C.UTF-8 exec ").c_str());
    ASSERT_TRUE(zeigt(t, menueende));
    t.auflegen();
    int status = t.ende();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A control character typed as the search letter reaches the console
// visibly, whatever its output mode; Ctrl-C at a word prompt ends the program as
// the console does (STATUS_CONTROL_C_EXIT, whose low byte is the status);
// keys come from the console only where a person can type into it.
TEST_F(wine, steuerzeichenundstrgc)
{
    const struct {
        std::string befehl;
        std::vector<std::pair<std::string, std::string>> schritte;   // keys, then a text shown
        int status;
    } faelle[] = {
        {unterwine(),
         {{"a", "Wort ein"}, {"x\x07\r", "Buchstaben ein"}, {"\x07\r", "Der 2. Buchstabe ist ein ^G"}, {"d", "Taste"},
          {"x", ""}},
         0},
        {unterwine(), {{"b", "Wort ein"}, {"Ha\x03", ""}}, 0x3A},
        // Standard input redirected: Wine's console in the terminal passes
        // no keys on, so they come from standard input, here at its end.
        {unterwine("exec ", " < /dev/null"), {{"", "Taste"}}, 0},
    };
    for (const auto &f : faelle) {
        terminalsitzung t(("LC_ALL=C.UTF-8 " + f.befehl).c_str());
        ASSERT_TRUE(zeigt(t, menueende)) << t.angezeigt();
        for (const auto &[tasten, text] : f.schritte) {
            t.tippen(tasten);
            ASSERT_TRUE(text.empty() || zeigt(t, text)) << f.befehl << " nach " << tasten << ":\n" << t.angezeigt();
        }
        int status = t.ende();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == f.status) << f.befehl << ": " << status;
    }
}

// Another program on the same console (konsolenpartner.exe, named by
// WINDOWSPARTNER) leaves its modes changed, types key events and reads the
// screen back; in a German locale, for the failure line's umlaut.
TEST_F(wine, anderesprogramm)
{
    if (!std::getenv("WINDOWSPARTNER"))
        GTEST_SKIP() << "WINDOWSPARTNER not set";
    terminalsitzung t("LC_ALL=de_DE.UTF-8 exec \"${WINDOWSLADER:-wine}\" \"$WINDOWSPARTNER\""
                      " \"Z:$(printf %s \"$WINDOWSPROGRAMM\" | tr / '\\\\')\"");
    bool fertig = false;
    for (int runde = 0; runde < 12 && !fertig; runde++)   // about 10 s in all
        fertig = zeigt(t, " failed");
    EXPECT_NE(t.angezeigt().find(" passed, 0 failed"), std::string::npos) << t.angezeigt();
    EXPECT_EQ(t.ende(), 0);
}

TEST_F(wine, ohnekonsole)
{
    const std::string eingabe = "bHallo\naHallo\nl\ncHallo!\n" + keinewahl + "\xe4" "d";
    ohneterminal hier = ohneterminallaufen(eingabe);
    ohneterminal windows = ohneterminallaufen(eingabe, unterwine().c_str());
    std::string text;
    for (size_t i = 0; i < windows.ausgabe.size(); i++)
        if (windows.ausgabe.compare(i, 2, "\r\n") != 0)
            text += windows.ausgabe[i];
    EXPECT_EQ(text, hier.ausgabe);
    EXPECT_EQ(anzahl(windows.ausgabe, "\r\n"), anzahl(hier.ausgabe, "\n"));
    EXPECT_TRUE(WIFEXITED(windows.status) && WEXITSTATUS(windows.status) == 0) << windows.status;
    // Output that cannot be written: one line with the system's text, status 1.
    ohneterminal voll = ohneterminallaufen(eingabe, unterwine("exec ", " 2>&1 > /dev/full").c_str());
    EXPECT_EQ(voll.ausgabe.rfind("buchstabenspiele: Ausgabe nicht moeglich: ", 0), 0u) << voll.ausgabe;
    EXPECT_TRUE(WIFEXITED(voll.status) && WEXITSTATUS(voll.status) == 1) << voll.status;
}

// dialoge.txt's dialogues in Wine's console, which repaints: after each
// step the screen must show what the dialogue has shown so far, as a
// terminal shows it with each line end a CR LF.
std::string wieangezeigt(const std::string &text)
{
    std::string mitcr;
    for (char c : text)
        mitcr += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return darstellen(mitcr);
}

class winedialog : public testing::TestWithParam<dialog> {
protected:
    void SetUp() override
    {
        if (!std::getenv("WINDOWSPROGRAMM"))
            GTEST_SKIP() << "WINDOWSPROGRAMM not set";
    }
};

TEST_P(winedialog, bildschirm)
{
    const dialog &d = GetParam();
    terminalsitzung t(unterwine("LC_ALL=C.UTF-8 exec ").c_str());
    std::string bisher;
    // The last key ends the program: its exit is checked, not the screen
    // that Wine leaves behind.
    for (size_t i = 0; i + 1 < d.schritte.size(); i++) {
        t.tippen(d.schritte[i].tippt);
        bisher += d.schritte[i].zeigt;
        ASSERT_TRUE(t.wartenbis(wieangezeigt(bisher)))
            << "nach " << d.schritte[i].tippt << ", erwartet:\n" << wieangezeigt(bisher) << "\nangezeigt:\n" << t.angezeigt();
    }
    t.tippen(d.schritte.back().tippt);
    int status = t.ende();
    int soll = d.endet == "strgc" ? 0x3A : 0;   // STATUS_CONTROL_C_EXIT's low byte
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == soll) << status;
}

// Only the console's: a skipped scenario means a Wine that was not found.
std::vector<dialog> winedialoge()
{
    std::vector<dialog> alle = dialogeladen("\x1b[H\x1b[2J"), diese;
    std::copy_if(alle.begin(), alle.end(), std::back_inserter(diese), [](const dialog &d) { return fuer(d, "wine"); });
    return diese;
}

INSTANTIATE_TEST_SUITE_P(wine, winedialog, testing::ValuesIn(winedialoge()),
                         [](const auto &info) { return testname(info.param.name); });

}
