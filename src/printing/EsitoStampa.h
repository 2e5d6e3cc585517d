// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/GuastoStampa.h"

#include <utility>

namespace lumivex {

// How a page layout ended, as facts: the windows choose what to tell the
// user (nothing for a print or a cancel, a notice for InPausa, a warning
// for the rest).
struct EsitoStampa {
    enum class Tipo {
        Stampata,     // the job is in the printer's hands (or the PDF is saved)
        InPausa,      // the job waits in the queue of a paused printer: Dettaglio.Stampante
        Annullata,    // the user cancelled the choice of the PDF file
        MancaCourier, // no Courier face: nothing was printed
        Guasto,       // a print fault, Guasto: nothing was printed, except after InvioSenzaRisposta
    };

    EsitoStampa() = default;
    explicit EsitoStampa(Tipo esito, DettaglioStampa dettaglio = {})
        : Esito(esito)
        , Dettaglio(std::move(dettaglio))
    {
    }
    EsitoStampa(GuastoStampa guasto, DettaglioStampa dettaglio)
        : Esito(Tipo::Guasto)
        , Guasto(guasto)
        , Dettaglio(std::move(dettaglio))
    {
    }

    Tipo Esito = Tipo::Stampata;
    // Only meaningful when Esito is Guasto.
    GuastoStampa Guasto = GuastoStampa::StampaNonRiuscita;
    DettaglioStampa Dettaglio;
};

} // namespace lumivex
