// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Modulo2.h"
#include "printing/EsitoStampa.h"
#include "printing/Stampante.h"

namespace lumivex {

// The exercise report on one page of the current printer: the heading, the
// log lines in two blocks of ten and the two total-time lines. Uses
// Modulo2::Indice as its line counter, as the report window does.
[[nodiscard]] EsitoStampa StampaEsercizio(Stampante &stampante, Modulo2 &modulo);

// The heading of the report page; opens the document.
void IntestazioneStampa(Stampante &stampante);

} // namespace lumivex
