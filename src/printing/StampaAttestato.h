// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/EsitoStampa.h"
#include "printing/Stampante.h"

#include <QImage>

namespace lumivex {

// The certificate on one page of the current printer: its picture as drawn
// on screen, 1000 twips from the left and 100 from the top of the printable
// area, at its own size where that fits the area, otherwise scaled down to
// fit it, proportions kept.
[[nodiscard]] EsitoStampa StampaAttestato(Stampante &stampante, const QImage &attestato);

} // namespace lumivex
