// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Modulo2.h"

#include "exercise/LivelliEsercizio.h"
#include "exercise/OsservatoreEsercizio.h"

#include <algorithm>
#include <utility>

namespace lumivex {

bool Modulo2::SceltaLivello(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(LivelliEsercizio.size())) {
        return false;
    }
    const LivelloEsercizio &livello = LivelliEsercizio[static_cast<std::size_t>(indice)];
    NumeroMin = livello.NumeroMin;
    NumeroMax = livello.NumeroMax;
    TestoLivello = livello.TestoLivello;
    return true;
}

void Modulo2::ImpostaNomeAlunno(std::string nome)
{
    NomeAlunno = std::move(nome);
}

void Modulo2::ConfermaNomeAlunno()
{
    if (Osservatore != nullptr) {
        Osservatore->NomeConfermato(NomeAlunno);
    }
}

int Modulo2::RigheElencate() const
{
    return std::clamp<int>(NumOperazioni, 0, OperazioniPerEsercizio);
}

void Modulo2::ChiudiResoconto()
{
    StrTempoTotale.clear();
}

} // namespace lumivex
