// The real program in a pseudo-terminal: keys pressed, lines typed, the
// screen read back byte for byte.
#include "terminalfahrer.h"

#include "testname.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

const std::string menue =
    "\nWillkommen im Hauptmenue\n\nWaehlen Sie:\n"
    "A - Buchstabensuchspiel\nB - Buchstabenzaehlspiel\nC - Wortinversion\nD - Ende\n\n";
const std::string cls = "\x1b[H\x1b[2J";
const std::string ungueltig = "Der eingegeben Buchstabe entspricht keinem der Menuepunkte";
const std::string ende = "Programm wird beendet\n";
const std::string pause = "Druecken Sie eine beliebige Taste . . . ";
const std::string suchspiel = "Buchstabenspiel\nGeben Sie ein Wort ein\n";
const std::string buchstabenfrage = "Geben Sie den zu suchenden Buchstaben ein\n";
const std::string schluss = cls + ende + pause + "\n";

std::string mal(const std::string &text, int n)
{
    std::string s;
    while (n-- > 0)
        s += text;
    return s;
}

// Each step waits for a text, then types; the whole screen is compared.
struct szenario {
    const char *name;
    std::vector<std::pair<std::string, std::string>> schritte;
    std::string bildschirm;
};

const std::string wortfrage = "Wort ein\n";
const std::string buchstabe = "Buchstaben ein\n";

const szenario szenarien[] = {
    {"klein d endet mit pause", {{menue, "d"}, {pause, "x"}}, menue + schluss},
    {"gross D endet ebenso", {{menue, "D"}, {pause, "\x1b[A"}}, menue + schluss},
    {"ungueltige tasten",
     {{menue, "e"}, {menue, "1"}, {menue, " "}, {menue, "\x03"}, {menue, "\r"}, {menue, "d"}, {pause, "x"}},
     menue + cls + ungueltig + menue + cls + ungueltig + menue + cls + ungueltig + menue + cls +
         ungueltig + menue + cls + ungueltig + menue + schluss},
    {"sondertaste ist ein durchgang", {{menue, "\x1b[18~"}, {menue, "\x1bOP"}, {menue, "d"}, {pause, "x"}},
     menue + cls + ungueltig + menue + cls + ungueltig + menue + schluss},
    {"escape allein", {{menue, "\x1b"}, {menue, "d"}, {pause, "x"}},
     menue + cls + ungueltig + menue + schluss},
    // Control keys the terminal would otherwise act on, and each byte of an
    // umlaut, are keys of their own.
    {"tasten vorausgetippt", {{menue, "xyz\x03\x1a\x1c\x13\x11\x16\xc3\xa4" "d"}, {pause, "x"}},
     menue + mal(cls + ungueltig + menue, 11) + schluss},
    {"buchstabensuche",
     {{menue, "a"}, {wortfrage, "Hallo\n"}, {buchstabe, "l\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + "Hallo\n" + buchstabenfrage + "l\n" +
         "Der 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n" + menue + schluss},
    {"reste und frischer puffer",
     {{menue, "A"}, {wortfrage, "ab\n"}, {buchstabe, "b\n"}, {menue, "a"}, {wortfrage, "Hallo\n"},
      {buchstabe, "o\n"}, {menue, "a"}, {wortfrage, "ab\n"}, {buchstabe, "l\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + "ab\n" + buchstabenfrage + "b\n" + "Der 2. Buchstabe ist ein b\n" +
         menue + cls + suchspiel + "Hallo\n" + buchstabenfrage + "o\n" + "Der 5. Buchstabe ist ein o\n" +
         menue + cls + suchspiel + "ab\n" + buchstabenfrage + "l\n" + "Der 4. Buchstabe ist ein l\n" +
         menue + schluss},
    {"blank und enter als buchstabe",
     {{menue, "a"}, {wortfrage, "Hallo\n"}, {buchstabe, " \n"}, {menue, "a"}, {wortfrage, "Hallo\n"},
      {buchstabe, "\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + "Hallo\n" + buchstabenfrage + " \n" + "Der 6. Buchstabe ist ein  \n" +
         menue + cls + suchspiel + "Hallo\n" + buchstabenfrage + "\n" + menue + schluss},
    {"wort und buchstabe auf einer zeile, leere zeile davor",
     {{menue, "a"}, {wortfrage, "\n"}, {"\n", "Hallo l\n"}, {"Hallo l\n" + buchstabenfrage, "o\n"},
      {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + "\nHallo l\n" + buchstabenfrage + "o\n" + "Der 5. Buchstabe ist ein o\n" +
         menue + schluss},
    {"ueberlanges wort, rest wird keine menuewahl",
     {{menue, "a"}, {wortfrage, "abcdefghijklmnopqrsdcba\n"}, {buchstabe, "s\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + "abcdefghijklmnopqrsdcba\n" + buchstabenfrage + "s\n" +
         "Der 19. Buchstabe ist ein s\n" + menue + schluss},
    {"dialog vorausgetippt",
     {{menue, "aHallo\nl\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + buchstabenfrage +
         "Der 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n" + menue + schluss},
    {"ctrl-d beendet nur das wortlesen",
     {{menue, "a"}, {wortfrage, "\x04"}, {buchstabe, "x\n"}, {menue, "d"}, {pause, "x"}},
     menue + cls + suchspiel + buchstabenfrage + "x\n" + menue + schluss},
};

void PrintTo(const szenario &f, std::ostream *os)
{
    *os << f.name;
}

class terminalszenario : public testing::TestWithParam<szenario> {};

TEST_P(terminalszenario, bildschirm)
{
    const szenario &s = GetParam();
    terminalsitzung t;
    for (const auto &[text, tasten] : s.schritte) {
        ASSERT_TRUE(t.warten(text)) << "wartet auf: " << text << "\nbisher:\n" << t.bildschirm();
        t.tippen(tasten);
    }
    int status = t.ende();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(t.bildschirm(), s.bildschirm);
    struct termios nachher = t.modi();
    EXPECT_EQ(nachher.c_lflag, t.anfangsmodi.c_lflag);
    EXPECT_EQ(nachher.c_iflag, t.anfangsmodi.c_iflag);
}

INSTANTIATE_TEST_SUITE_P(programm, terminalszenario, testing::ValuesIn(szenarien),
                         [](const auto &info) { return testname(info.param.name); });

TEST(programm, eingabeumgeleitettastenvomterminal)
{
    char name[] = "/tmp/buchstabenspiele-eingabeXXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "Hallo\nl\n", 8), 8);
    close(fd);
    terminalsitzung t(name);
    // The second search meets the end of the file: the buffers keep what
    // the first one read.
    for (const char *taste : {"a", "a", "d"}) {
        ASSERT_TRUE(t.warten(menue));
        t.tippen(taste);
    }
    ASSERT_TRUE(t.warten(pause));
    t.tippen("x");
    int status = t.ende();
    unlink(name);
    const std::string treffer =
        suchspiel + buchstabenfrage + "Der 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(t.bildschirm(), menue + cls + treffer + menue + cls + treffer + menue + schluss);
}

TEST(programm, signalstelltterminalwiederher)
{
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
        terminalsitzung t;
        ASSERT_TRUE(t.warten(menue));
        t.signal(sig);
        int status = t.ende();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << ": " << status;
        struct termios nachher = t.modi();
        EXPECT_EQ(nachher.c_lflag, t.anfangsmodi.c_lflag) << sig;
        EXPECT_EQ(nachher.c_iflag, t.anfangsmodi.c_iflag) << sig;
    }
}

TEST(programm, terminalgehtweg)
{
    {
        terminalsitzung t;
        ASSERT_TRUE(t.warten(menue));
        t.auflegen();
        int status = t.ende();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGHUP) << status;
    }
    {
        // Under nohup the hang-up signal is ignored: the lost keyboard ends
        // the loop as D would.
        terminalsitzung t(nullptr, true);
        ASSERT_TRUE(t.warten(menue));
        t.auflegen();
        int status = t.ende();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

TEST(programm, ohneterminal)
{
    const std::string ff = "\f";
    const struct {
        std::string eingabe, ausgabe;
    } faelle[] = {
        {"", menue + ff + ende + pause + "\n"},
        {"aHallo\nl\nd", menue + ff + suchspiel + buchstabenfrage +
                             "Der 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n" + menue + ff +
                             ende + pause + "\n"},
        {"x", menue + ff + ungueltig + menue + ff + ende + pause + "\n"},
    };
    for (const auto &f : faelle) {
        ohneterminal e = ohneterminallaufen(f.eingabe);
        EXPECT_TRUE(WIFEXITED(e.status) && WEXITSTATUS(e.status) == 0) << e.status;
        EXPECT_EQ(e.ausgabe, f.ausgabe);
    }
}

}
