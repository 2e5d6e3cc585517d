// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/EseguiStampa.h"

#include "printing/ErroreStampa.h"

#include <exception>

namespace lumivex {

EsitoStampa EseguiStampa(Stampante &stampante, const std::function<FineDocumento()> &impaginazione)
{
    try {
        const FineDocumento fine = impaginazione();
        switch (fine.Modo) {
        case FineDocumento::Fine::Inviato:
            return {};
        case FineDocumento::Fine::InPausa:
            return EsitoStampa(EsitoStampa::Tipo::InPausa, DettaglioStampa::DellaStampante(fine.Stampante));
        case FineDocumento::Fine::Annullato:
            return EsitoStampa(EsitoStampa::Tipo::Annullata);
        }
        return {};
    } catch (const ErroreStampa &errore) {
        stampante.KillDoc();
        return {errore.Guasto(), errore.Dettaglio()};
    } catch (const std::exception &errore) {
        // Not a printer fault (memory, a counter out of range): still a page
        // that did not come out, and the pupil needs to know that much.
        stampante.KillDoc();
        return {GuastoStampa::StampaNonRiuscita, DettaglioStampa::DelSistema(errore.what())};
    }
}

} // namespace lumivex
