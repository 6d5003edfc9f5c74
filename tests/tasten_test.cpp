// Key decoding on byte strings: one code per key, nothing of a special key
// left over to act as a menu letter.
#include "bytequelle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int pause = bytequelle::pause;     // the user stopped typing for a while
constexpr int luecke = bytequelle::luecke;   // bytes of one key 100 ms apart
constexpr int U = unbekanntetaste;

std::vector<int> alletasten(std::vector<int> bytes, bool utf8 = false)
{
    bytequelle q;
    q.mitmarken(bytes);
    tastenleser t{bytequelle::lies, &q, utf8};
    std::vector<int> codes;
    for (int c; (c = tastedekodieren(t)) != keinetaste;)
        codes.push_back(c);
    return codes;
}

std::vector<int> bytesvon(const char *s)
{
    std::vector<int> v;
    for (; *s; s++)
        v.push_back(static_cast<unsigned char>(*s));
    return v;
}

struct fall {
    const char *eingabe;
    std::vector<int> codes;
};

const fall folgen[] = {
    {"a", {'a'}},
    {"\x03\x1a\x1c\x13\x11", {3, 26, 28, 19, 17}},
    {"\xc3\xa4", {0xC3, 0xA4}},
    {"\x1b[A\x1b[B\x1b[C\x1b[D", {taste::hoch, taste::runter, taste::rechts, taste::links}},
    {"\x1bOA\x1bOD", {taste::hoch, taste::links}},
    {"\x1b[1;5D\x1b[1;2A", {taste::links, taste::hoch}},
    {"\x1b[H\x1b[F\x1bOH\x1bOF\x1b[1~\x1b[4~\x1b[7~\x1b[8~",
     {taste::pos1, taste::ende, taste::pos1, taste::ende, taste::pos1, taste::ende, taste::pos1, taste::ende}},
    {"\x1b[2~\x1b[3~\x1b[3;2~\x1b[5~\x1b[6~", {taste::einfuegen, taste::entfernen, taste::entfernen, taste::bildhoch, taste::bildrunter}},
    {"\x1bOP\x1bOQ\x1bOR\x1bOS", {taste::f1, taste::f2, taste::f3, taste::f4}},
    {"\x1b[[A\x1b[[E", {taste::f1, taste::f5}},
    {"\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[23~\x1b[24~",
     {taste::f5, taste::f6, taste::f7, taste::f8, taste::f9, taste::f10, taste::f11, taste::f12}},
    {"\x1b[1;2P\x1b[15;5~", {taste::f1, taste::f5}},
    {"\x1b[200~\x1b[?25h\x1bOx", {U, U, U}},
    {"\x1b[E\x1bOE\x1b[11~\x1b[3:2~", {taste::mitte, taste::mitte, taste::f1, taste::entfernen}},
    // Unknown and odd sequences are consumed whole, and nothing more.
    {"\x1b[[F\x1b[[@\x1b[[~\x1b[11@\x1b[ q\x1b[1/xd", {U, U, U, taste::f1, U, U, 'd'}},
    {"\x1b[11@d\x1b[16~\x1b[22~\x1b[1\x1f\x1bO2~\x1b[[?", {taste::f1, 'd', U, U, U, 0x1F, U, U, '?'}},
    // Alt with a key, as ESC and the key in one burst: one key; a letter
    // as the Windows console gives it.
    {"\x1bq\x1bw\x1b" "e\x1br\x1bt\x1by\x1bu\x1bi\x1bo\x1bp", {alttaste('q'), alttaste('w'), alttaste('e'), alttaste('r'), alttaste('t'), alttaste('y'), alttaste('u'), alttaste('i'), alttaste('o'), alttaste('p')}},
    {"\x1b" "a\x1bs\x1b" "d\x1b" "f\x1bg\x1bh\x1bj\x1bk\x1bl", {alttaste('a'), alttaste('s'), alttaste('d'), alttaste('f'), alttaste('g'), alttaste('h'), alttaste('j'), alttaste('k'), alttaste('l')}},
    {"\x1bz\x1bx\x1b" "c\x1bv\x1b" "b\x1bn\x1bm\x1bQ\x1b" "D", {alttaste('z'), alttaste('x'), alttaste('c'), alttaste('v'), alttaste('b'), alttaste('n'), alttaste('m'), alttaste('q'), alttaste('d')}},
    {"\x1b" "1\x1b\x7f\x1b\r", {U, U, U}},
    // X10 mouse reports, whatever their three bytes; rxvt's $ ^ @ endings.
    {"\x1b[M D!\x1b[M`a!d\x1b[<0;10;5M", {U, U, 'd', U}},
    {"\x1b[3$x\x1b[7^x\x1b[23$x\x1b[2@\x1b[$x", {taste::entfernen, 'x', taste::pos1, 'x', taste::f11, 'x', taste::einfuegen, U}},
    // Keys typed ahead behind a sequence stay keys of their own.
    {"\x1b[Ad\x1b[24~b", {taste::hoch, 'd', taste::f12, 'b'}},
    {"\x1b\x1b[A", {U}},
    {"\x1b[\n", {U, '\n'}},
    {"\x1b[[\x1b", {U, 27}},
    {"\x1b", {27}},
    {"\x1b[", {U}},
};

TEST(tastedekodieren, folgen)
{
    for (const fall &f : folgen)
        EXPECT_EQ(alletasten(bytesvon(f.eingabe)), f.codes) << "Eingabe: " << f.eingabe;
}

TEST(tastedekodieren, pausen)
{
    const struct {
        std::vector<int> bytes;
        std::vector<int> codes;
    } faelle[] = {
        {{27, pause, 'a'}, {27, 'a'}},
        {{27, pause, pause, '[', 'A'}, {27, '[', 'A'}},
        {{27, '[', '1', pause, 'a'}, {U, 'a'}},
        {{27, 'O', pause, 'P'}, {U, 'P'}},
        {{'a', pause, 'b'}, {'a', 'b'}},
        // A NUL that breaks a sequence is a key of its own.
        {{27, 0, 27, '[', 0, 27, '[', '[', 0}, {U, U, 0, U, 0}},
        {{27, 27, 0, 'd'}, {U, 0, 'd'}},
        // A begun sequence is waited for, a lone Escape is not.
        {{27, '[', luecke, 'D'}, {taste::links}},
        {{27, 'O', luecke, 'P'}, {taste::f1}},
        // A sequence split after its Escape: never a letter.
        {{27, luecke, '[', 'D', 'd'}, {27, taste::links, 'd'}},
        {{27, luecke, 'O', 'P'}, {27, taste::f1}},
        {{27, luecke, 'D'}, {27, 'D'}},
        {{27, luecke, '['}, {27, U}},
    };
    for (const auto &f : faelle)
        EXPECT_EQ(alletasten(f.bytes), f.codes);
}

TEST(tastedekodieren, utf8)
{
    const struct {
        std::vector<int> bytes;
        std::vector<int> codes;
    } faelle[] = {
        {{0xC3, 0xBC, 'd'}, {0xFC, 'd'}},
        {{0xE2, 0x82, 0xAC}, {0x80}},
        {{0xF0, 0x9F, 0x98, 0x80, 0xD0, 0xAF}, {0x8F, 0x8F}},
        {{0x80, 0xBC}, {0x8F, 0x8F}},
        {{0xF0, 0x8F, 0xBF, 0xBF}, {0x8F, 0x8F, 0x8F, 0x8F}},   // overlong: no character
        {{0xC3, 'a'}, {0x8F, 'a'}},
        {{0xC3, 0x1B, '[', 'A'}, {0x8F, taste::hoch}},
        {{0xC3, pause, 0xBC}, {0x8F, 0x8F}},
        {{0xC3}, {0x8F}},
        {{0xC3, 0}, {0x8F, 0}},
        {{0x1B, 0xC3, 0xA4, 'd'}, {U, 'd'}},   // Alt with an umlaut
    };
    for (const auto &f : faelle)
        EXPECT_EQ(alletasten(f.bytes, true), f.codes);
}

// A key is one row: no two rows share a code, a virtual key or a sequence,
// or one of the two would never be given.
TEST(tastentabelle, eindeutig)
{
    const auto &t = taste::tabelle;
    // A special key is never a character, and Alt with a letter is no
    // other key with it.
    for (const auto &zeile : t)
        EXPECT_GT(zeile.code, 0xFF) << zeile.code;
    const auto &alt = taste::altscancodes;
    for (size_t i = 0; i < std::size(alt); i++)
        for (size_t j = i + 1; j < std::size(alt); j++)
            EXPECT_NE(alt[i], alt[j]) << static_cast<char>('a' + i) << " " << static_cast<char>('a' + j);
    for (size_t i = 0; i < std::size(t); i++)
        for (size_t j = i + 1; j < std::size(t); j++) {
            EXPECT_NE(t[i].code, t[j].code) << i << " " << j;
            EXPECT_NE(t[i].virtuell, t[j].virtuell) << i << " " << j;
            EXPECT_TRUE(!t[i].endbuchstabe || t[i].endbuchstabe != t[j].endbuchstabe) << i << " " << j;
            EXPECT_TRUE(!t[i].linuxkonsole || t[i].linuxkonsole != t[j].linuxkonsole) << i << " " << j;
            for (unsigned char n : t[i].nummern)
                for (unsigned char m : t[j].nummern)
                    EXPECT_TRUE(!n || n != m) << i << " " << j;
        }
}

}
