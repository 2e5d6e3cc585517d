// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Valutazione.h"

#include "exercise/Interi16.h"
#include "exercise/Modulo2.h"

#include <cmath>

namespace lumivex {

namespace {

const char *GiudizioPerVoto(int voto)
{
    switch (voto) {
    case 9:
    case 10:
        return "OTTIMO";
    case 8:
        return "DISTINTO";
    case 7:
        return "BUONO";
    case 6:
        return "SUFFICIENTE";
    case 5:
        return "SUFFICIENTE (!)";
    default:
        return NonClassificato;
    }
}

// Nothing shown yet, or a count beyond 16 bits, leaves the grade at 0.
int Voto(const Modulo2 &m)
{
    if (m.NumOperazioni == 0) {
        return 0;
    }
    std::int16_t decimi = 0;
    try {
        decimi = Prodotto16(m.RisposteEsatte, 10);
    } catch (const ErroreOverflow &) {
        return 0;
    }
    const double quoziente = static_cast<double>(decimi) / static_cast<double>(m.NumOperazioni);
    if (!std::isfinite(quoziente)) {
        return 0;
    }
    return static_cast<int>(std::floor(quoziente));
}

} // namespace

std::string GiudizioValutazione(const Modulo2 &modulo)
{
    return GiudizioPerVoto(Voto(modulo));
}

bool CalcolaValutazione(Modulo2 &modulo)
{
    modulo.Valutazione = GiudizioValutazione(modulo);
    return modulo.Valutazione != NonClassificato;
}

} // namespace lumivex
