// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/EsitoStampa.h"
#include "printing/Stampante.h"
#include "worksheets/StatoScheda.h"

#include <span>
#include <string>

namespace lumivex {

// The worksheet on one page of the current printer: the heading, the lines
// last shown (only those the sheet uses) in two columns of three groups of
// ten, and three footer lines. TipoScheda chooses the size of the lines: 12
// points for the pupils' sheet, 10 for the teachers'. The sheet's code
// stands below the footer. A fault prints nothing and leaves nothing pending.
[[nodiscard]] EsitoStampa StampaScheda(Stampante &stampante, const StatoScheda &scheda,
                                       const std::string &piePagina);

// Several sheets as one job, a page each, in order.
[[nodiscard]] EsitoStampa StampaSchede(Stampante &stampante, std::span<const StatoScheda> schede,
                                       const std::string &piePagina);

// The heading of the worksheet page, "Nome e cognome"; opens the document
// and leaves Courier in force for the lines.
void StampaIntestazione(Stampante &stampante);

} // namespace lumivex
