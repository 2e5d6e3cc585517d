// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Uguaglianza.h"

#include "exercise/Interi16.h"
#include "exercise/SorgenteCasuale.h"

#include <cmath>

namespace lumivex {

namespace {

void Ordina(std::int16_t &maggiore, std::int16_t &minore, std::int16_t &appoggio)
{
    if (maggiore < minore) {
        appoggio = maggiore;
        maggiore = minore;
        minore = appoggio;
    }
}

} // namespace

std::int16_t EstraiTermine(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo)
{
    const std::int16_t ampiezza = Differenza16(massimo, minimo);
    const float prodotto = casuale.Prossimo() * static_cast<float>(ampiezza);
    // r < 1 keeps the rounded product below the width, so the term stays
    // below massimo.
    return Somma16(static_cast<std::int16_t>(std::floor(prodotto)), minimo);
}

Quaterna EstraiUguaglianza(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo,
                           std::int16_t &appoggio)
{
    Quaterna q;
    do {
        q.Num1 = EstraiTermine(casuale, minimo, massimo);
        q.Num2 = EstraiTermine(casuale, minimo, massimo);
        q.Num3 = EstraiTermine(casuale, minimo, massimo);
        q.Num4 = EstraiTermine(casuale, minimo, massimo);
        Ordina(q.Num1, q.Num2, appoggio);
        Ordina(q.Num3, q.Num4, appoggio);
    } while (Differenza16(q.Num1, q.Num2) != Differenza16(q.Num3, q.Num4));
    return q;
}

} // namespace lumivex
