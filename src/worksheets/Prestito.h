// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Uguaglianza.h"
#include "worksheets/OpzioniScheda.h"

#include <cstdint>

namespace lumivex {

class SorgenteCasuale;

// Whether minuendo - sottraendo needs a borrow: the minuend's units are
// smaller than the subtrahend's.
constexpr bool ConPrestito(std::int16_t minuendo, std::int16_t sottraendo)
{
    return minuendo % 10 < sottraendo % 10;
}

// Whether both subtractions of `q` obey `prestito`.
constexpr bool RispettaPrestito(const Quaterna &q, PrestitoScheda prestito)
{
    switch (prestito) {
    case PrestitoScheda::Senza:
        return !ConPrestito(q.Num1, q.Num2) && !ConPrestito(q.Num3, q.Num4);
    case PrestitoScheda::Con:
        return ConPrestito(q.Num1, q.Num2) && ConPrestito(q.Num3, q.Num4);
    case PrestitoScheda::Misto:
        break;
    }
    return true;
}

// An equality of two subtractions in minimo..massimo - 1 that obeys
// `prestito`. "Misto" is exactly one plain draw. Otherwise at most
// TentativiPrestito draws are tried; if none fits, a problem is picked
// among all those of the range that do; a range with none gives the last
// draw, so a sheet is always whole and the generator always ends.
Quaterna EstraiConPrestito(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo,
                           std::int16_t &appoggio, PrestitoScheda prestito);

inline constexpr int TentativiPrestito = 200;

} // namespace lumivex
