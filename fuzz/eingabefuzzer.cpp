// Arbitrary bytes through the input path: the reader's word, character and
// discard reads as the dialogues use them, each game on the buffers they
// leave, and both key decoders. Any broken invariant stops the run.
#include "../tests/bytequelle.h"
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

// Pieces of changing length; on a "terminal" now and then an end that
// holds for one read only.
void zerteilen(bytequelle &q, const uint8_t *daten, size_t groesse, bool terminal)
{
    for (size_t aufruf = 0, pos = 0; pos < groesse; aufruf++) {
        size_t stueck = (aufruf * 7919) % 5003;
        if (terminal && stueck % 11 == 0) {
            q.stueck({});
            continue;
        }
        size_t n = stueck < groesse - pos ? stueck : groesse - pos;
        if (n == 0)
            n = 1;
        q.stueck({reinterpret_cast<const char *>(daten + pos), n});
        pos += n;
    }
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
    bool terminal = (daten[0] & 1) != 0;
    bytequelle q;
    zerteilen(q, daten + 1, groesse - 1, terminal);
    eingabeleser l;
    l.fuellen = bytequelle::fuellen;
    l.kontext = &q;
    l.endebleibt = !terminal;
    l.utf8 = (daten[0] & 2) != 0;
    bewacht<suchwortgroesse> eingabe;
    bewacht<1> suche;
    bewacht<wortgroesse> wortzaehl, wortinv;
    auto ungelesen = [&] { return q.uebrig + static_cast<size_t>(l.ende - l.anfang); };
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

bool gueltigertaste(int c)
{
    return (c >= 0 && c <= 255) || (c >= sondertaste && c <= unbekanntetaste);
}

void tasten(const uint8_t *daten, size_t groesse)
{
    // 0xFE is a pause in typing.
    bytequelle q;
    for (size_t i = 0; i < groesse; i++)
        q.mitmarken({daten[i] == 0xFE ? bytequelle::pause : daten[i]});
    tastenleser t{bytequelle::lies, &q, (groesse & 1) != 0};
    size_t bytes = q.uebrig, codes = 0;
    for (int c; (c = tastedekodieren(t)) != keinetaste;) {
        pruefen(gueltigertaste(c));
        pruefen(++codes <= bytes - q.uebrig);   // one code per key, never more
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
