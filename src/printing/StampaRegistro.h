// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/EsitoStampa.h"
#include "printing/Stampante.h"

#include <string>
#include <vector>

namespace lumivex {

// A pupil's page of the class register, already worded: the layout only
// places it.
struct PaginaAlunno {
    std::string Nome;
    std::vector<std::string> Riepilogo; // a few lines under the name
    std::string Intestazione;           // the heading of the exercise columns
    std::vector<std::string> Esercizi;  // one line each, oldest first
};

// The pupil's page in a fixed-pitch face, so the columns line up, going on
// to new pages as the exercises need; the name heads every page.
[[nodiscard]] EsitoStampa StampaPaginaAlunno(Stampante &stampante, const PaginaAlunno &pagina);

} // namespace lumivex
