// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/Prestito.h"

#include "exercise/SorgenteCasuale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumivex {

namespace {

// Every problem of the range that obeys `prestito`, in a fixed order, so
// the one picked depends on the random source alone.
std::vector<Quaterna> TutteLeQuaterne(std::int16_t minimo, std::int16_t massimo, PrestitoScheda prestito)
{
    std::vector<Quaterna> quaterne;
    for (int a = minimo; a < massimo; ++a) {
        for (int b = minimo; b <= a; ++b) {
            for (int c = minimo; c < massimo; ++c) {
                const int d = c - (a - b);
                if (d < minimo || d > c) {
                    continue;
                }
                const Quaterna q{static_cast<std::int16_t>(a), static_cast<std::int16_t>(b),
                                 static_cast<std::int16_t>(c), static_cast<std::int16_t>(d)};
                if (RispettaPrestito(q, prestito)) {
                    quaterne.push_back(q);
                }
            }
        }
    }
    return quaterne;
}

} // namespace

Quaterna EstraiConPrestito(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo,
                           std::int16_t &appoggio, PrestitoScheda prestito)
{
    Quaterna q = EstraiUguaglianza(casuale, minimo, massimo, appoggio);
    for (int tentativo = 1; tentativo < TentativiPrestito && !RispettaPrestito(q, prestito); ++tentativo) {
        q = EstraiUguaglianza(casuale, minimo, massimo, appoggio);
    }
    if (RispettaPrestito(q, prestito)) {
        return q;
    }
    const std::vector<Quaterna> quaterne = TutteLeQuaterne(minimo, massimo, prestito);
    if (quaterne.empty()) {
        return q;
    }
    const auto scelta = static_cast<std::size_t>(std::floor(static_cast<double>(casuale.Prossimo()) *
                                                            static_cast<double>(quaterne.size())));
    return quaterne[std::min(scelta, quaterne.size() - 1)];
}

} // namespace lumivex
