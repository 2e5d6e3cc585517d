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

// The ordinary page, or large print: the same problems in the same order,
// ten a page at 18 points with room to write, each page with the heading,
// the footer, the code and its number.
enum class Caratteri { Normali, Grandi };

// Several sheets as one job, in order: a page each, or the pages of each in
// large print.
[[nodiscard]] EsitoStampa StampaSchede(Stampante &stampante, std::span<const StatoScheda> schede,
                                       const std::string &piePagina, Caratteri caratteri = Caratteri::Normali);

// The heading of the worksheet page, "Nome e cognome" and the pupil's name
// after it when there is one; opens the document and leaves Courier in
// force for the lines.
void StampaIntestazione(Stampante &stampante, const std::string &nome = {});

// Lines on a page of large print.
inline constexpr int RighePaginaGrande = 10;

} // namespace lumivex
