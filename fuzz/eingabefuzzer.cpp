// Arbitrary bytes through the input path: the reader's word, character and
// discard reads as the dialogues use them, each game on the buffers they
// leave, and both key decoders. Any broken invariant stops the run.
#include "../src/console/eingabeleser.h"
#include "../src/console/plattform.h"
#include "../src/console/windowsregeln.h"
#include "../src/games/spiele.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#define pruefen(bedingung) \
    do {                   \
        if (!(bedingung))  \
            __builtin_trap(); \
    } while (0)

namespace {

struct quelle {
    const uint8_t *daten;
    size_t groesse, pos, aufrufe;
    bool terminal;
};

// Pieces of changing length; on a "terminal" now and then an end that
// holds for one read only.
int fuellen(void *kontext, unsigned char *ziel, int platz)
{
    auto &q = *static_cast<quelle *>(kontext);
    size_t stueck = (q.aufrufe++ * 7919) % 5003;
    if (q.terminal && stueck % 11 == 0)
        return 0;
    size_t rest = q.groesse - q.pos;
    size_t n = stueck < rest ? stueck : rest;
    if (n > static_cast<size_t>(platz))
        n = static_cast<size_t>(platz);
    if (n == 0 && rest > 0)
        n = 1;
    std::memcpy(ziel, q.daten + q.pos, n);
    q.pos += n;
    return static_cast<int>(n);
}

// A word buffer between two guards: nothing may be written past either.
template <int n>
struct bewacht {
    unsigned char vor[16];
    char b[n];
    unsigned char nach[16];
    bewacht()
    {
        std::memset(this, 0xCC, sizeof *this);
    }
    void pruefe() const
    {
        for (int i = 0; i < 16; i++)
            pruefen(vor[i] == 0xCC && nach[i] == 0xCC);
        bool beruehrt = false;
        for (int i = 0; i < n; i++)
            beruehrt |= static_cast<unsigned char>(b[i]) != 0xCC;
        pruefen(!beruehrt || std::memchr(b, 0, n) != nullptr);
    }
};

void dialoge(const uint8_t *daten, size_t groesse)
{
    quelle q{daten, groesse, 1, 0, (daten[0] & 1) != 0};
    eingabeleser l;
    l.fuellen = fuellen;
    l.kontext = &q;
    l.endebleibt = !q.terminal;
    l.utf8 = (daten[0] & 2) != 0;
    bewacht<suchwortgroesse> eingabe;
    bewacht<1> suche;
    bewacht<wortgroesse> wortzaehl, wortinv;
    auto ungelesen = [&] { return q.groesse - q.pos + static_cast<size_t>(l.ende - l.anfang); };
    while (ungelesen() > 0) {
        size_t vorher = ungelesen();
        l.wort(eingabe.b, suchwortgroesse);
        l.verwerfen();
        l.zeichen(suche.b);
        l.verwerfen();
        buchstabensuche(eingabe.b, suche.b);
        l.wort(wortzaehl.b, wortgroesse);
        l.verwerfen();
        buchstabenzaehlung(wortzaehl.b);
        l.wort(wortinv.b, wortgroesse);
        l.verwerfen();
        wortinversion(wortinv.b);
        eingabe.pruefe();
        wortzaehl.pruefe();
        wortinv.pruefe();
        pruefen(0 <= l.anfang && l.anfang <= l.ende && l.ende <= static_cast<int>(sizeof l.puffer));
        // What is read goes out as valid UTF-8: it decodes back to itself
        // or to the substitute, never to a control from 0x80 to 0x9F.
        for (char c : eingabe.b) {
            char form[4];
            int n = ausgabeform(static_cast<unsigned char>(c), true, false, form);
            utf8dekodierer d;
            int zurueck = utf8mehr;
            for (int i = 0; i < n; i++) {
                pruefen(zurueck == utf8mehr);
                zurueck = d.weiter(static_cast<unsigned char>(form[i]));
            }
            pruefen(zurueck == static_cast<unsigned char>(c) || zurueck == ersatzzeichen);
            pruefen(n < 2 || static_cast<unsigned char>(form[0]) != 0xC2 ||
                    static_cast<unsigned char>(form[1]) >= 0xA0);
        }
        // Every round takes input: the dialogues never stall.
        pruefen(ungelesen() < vorher);
    }
}

struct tastenbytes {
    const uint8_t *daten;
    size_t groesse, pos, bytes;
};

// 0xFE is a pause in typing for a read that waits with a limit.
int tastenbyte(void *kontext, int wartems)
{
    auto &q = *static_cast<tastenbytes *>(kontext);
    while (q.pos < q.groesse && q.daten[q.pos] == 0xFE) {
        q.pos++;
        if (wartems >= 0)
            return zeitum;
    }
    if (q.pos >= q.groesse)
        return wartems >= 0 ? zeitum : keinetaste;
    q.bytes++;
    return q.daten[q.pos++];
}

bool gueltigertaste(int c)
{
    return (c >= 0 && c <= 255) || (c >= sondertaste && c <= unbekanntetaste);
}

void tasten(const uint8_t *daten, size_t groesse)
{
    tastenbytes q{daten, groesse, 0, 0};
    tastenleser t{tastenbyte, &q, (groesse & 1) != 0};
    size_t codes = 0;
    for (int c; (c = tastedekodieren(t)) != keinetaste;) {
        pruefen(gueltigertaste(c));
        pruefen(++codes <= q.bytes);   // one code per key, never more
    }
    pruefen(t.zurueck == -1 && q.pos == groesse);

    // Every eight bytes a key event of the Windows console.
    altzustand altgehalten;
    for (size_t i = 0; i + 8 <= groesse; i += 8) {
        const uint8_t *b = daten + i;
        konsolenereignis e{(b[0] & 1) != 0, static_cast<unsigned short>(b[1] | b[2] << 8), b[3],
                           static_cast<unsigned short>(b[4] | b[5] << 8),
                           static_cast<unsigned long>(b[6] | b[7] << 8)};
        int c = ereignistaste(e, altgehalten);
        pruefen(c == keintastendruck || gueltigertaste(c));
        pruefen(c < 0x80 || c > 0xFF || c == ersatzzeichen || aus1252(static_cast<unsigned char>(c)) != 0xFFFD);
    }
}

}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The games' results are not looked at, only their bounds.
    if (!std::freopen("/dev/null", "w", stdout))
        return 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse == 0)
        return 0;
    dialoge(daten, groesse);
    tasten(daten, groesse);
    return 0;
}
