// The byte source behind the input reader's and the key decoder's tests
// and the fuzzer: bytes as a terminal, a file or a pipe delivers them,
// with marks where a fill ends or the typing pauses.
#pragma once

#include "../src/console/eingabeleser.h"
#include "../src/console/tasten.h"

#include <cstring>
#include <string_view>
#include <vector>

struct bytequelle {
    static constexpr int stueckende = -10;   // a fill ends here; the next starts behind it
    static constexpr int einmalende = -11;   // an end that holds for one fill (Ctrl-D)
    static constexpr int pause = -12;        // typing stops: seen by every key read with a limit
    static constexpr int luecke = -13;       // bytes of one key 100 ms apart

    std::vector<int> folge;
    size_t pos = 0;
    size_t uebrig = 0;   // bytes not yet handed out

    // One fill's bytes; an empty piece is an end that holds for one fill.
    void stueck(std::string_view bytes)
    {
        if (bytes.empty())
            folge.push_back(einmalende);
        for (unsigned char b : bytes)
            folge.push_back(b);
        folge.push_back(stueckende);
        uebrig += bytes.size();
    }
    // Bytes and marks as they come.
    void mitmarken(const std::vector<int> &werte)
    {
        for (int w : werte) {
            folge.push_back(w);
            uebrig += w >= 0;
        }
    }

    // For eingabeleser: up to platz bytes of the piece at hand; after the
    // last one the end is for good.
    static int fuellen(void *kontext, unsigned char *ziel, int platz)
    {
        auto &q = *static_cast<bytequelle *>(kontext);
        while (q.pos < q.folge.size() && q.folge[q.pos] < 0 && q.folge[q.pos] != einmalende)
            q.pos++;
        if (q.pos < q.folge.size() && q.folge[q.pos] == einmalende) {
            q.pos++;
            return 0;
        }
        int n = 0;
        for (; n < platz && q.pos < q.folge.size() && q.folge[q.pos] >= 0; n++)
            ziel[n] = static_cast<unsigned char>(q.folge[q.pos++]);
        q.uebrig -= static_cast<size_t>(n);
        return n;
    }

    // For tastenleser: one byte; a pause is only seen by a read that waits
    // with a limit, a read without one waits through it.
    static int lies(void *kontext, int wartems)
    {
        auto &q = *static_cast<bytequelle *>(kontext);
        while (q.pos < q.folge.size() && q.folge[q.pos] < 0) {
            int marke = q.folge[q.pos++];
            if ((marke == pause && wartems >= 0) || (marke == luecke && wartems >= 0 && wartems < 100))
                return zeitum;
        }
        if (q.pos >= q.folge.size())
            return wartems >= 0 ? zeitum : keinetaste;
        q.uebrig--;
        return q.folge[q.pos++];
    }
};
