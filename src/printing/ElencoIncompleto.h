// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/Dispositivo.h"
#include "printing/ErroreStampa.h"

#include <utility>
#include <vector>

namespace lumivex {

// The print system did not answer the listing. Disponibili holds the
// printers that need none (the PDF printer): they can still be chosen.
class ElencoIncompleto : public ErroreStampa {
public:
    ElencoIncompleto(DettaglioStampa dettaglio, std::vector<Dispositivo> disponibili)
        : ErroreStampa(GuastoStampa::ElencoSenzaServizio, std::move(dettaglio))
        , Disponibili(std::move(disponibili))
    {
    }

    std::vector<Dispositivo> Disponibili;
};

} // namespace lumivex
