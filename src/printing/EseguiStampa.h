// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/EsitoStampa.h"
#include "printing/Stampante.h"

#include <functional>

namespace lumivex {

// Runs a page layout on the printer, which answers how its document ended
// (EndDoc's answer), and turns that, or whatever it throws, into an
// EsitoStampa, dropping the unfinished document first: a failed layout
// never leaves half a page to be sent with the next one.
[[nodiscard]] EsitoStampa EseguiStampa(Stampante &stampante, const std::function<FineDocumento()> &impaginazione);

} // namespace lumivex
