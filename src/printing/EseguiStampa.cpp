// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/EseguiStampa.h"

#include "printing/ErroreStampa.h"
#include "printing/RegistroStampa.h"

#include <exception>

namespace lumivex {

EsitoStampa EseguiStampa(Stampante &stampante, const std::function<FineDocumento()> &impaginazione)
{
    try {
        const FineDocumento fine = impaginazione();
        const QString verso = QString::fromStdString(fine.Stampante);
        switch (fine.Modo) {
        case FineDocumento::Fine::Inviato:
            qCInfo(RegistroStampa) << "job handed to" << verso;
            return {};
        case FineDocumento::Fine::InPausa:
            qCInfo(RegistroStampa) << "job queued on paused printer" << verso;
            return EsitoStampa(EsitoStampa::Tipo::InPausa, DettaglioStampa::DellaStampante(fine.Stampante));
        case FineDocumento::Fine::Annullato:
            qCInfo(RegistroStampa) << "job cancelled by the user";
            return EsitoStampa(EsitoStampa::Tipo::Annullata);
        }
        return {};
    } catch (const ErroreStampa &errore) {
        qCWarning(RegistroStampa).noquote()
            << QString::fromStdString(DescrizioneTecnica(errore.Guasto(), errore.Dettaglio()));
        stampante.KillDoc();
        return {errore.Guasto(), errore.Dettaglio()};
    } catch (const std::exception &errore) {
        // Not a printer fault (memory, a counter out of range): still a page
        // that did not come out, and the pupil needs to know that much.
        const DettaglioStampa dettaglio = DettaglioStampa::DelSistema(errore.what());
        qCWarning(RegistroStampa).noquote()
            << QString::fromStdString(DescrizioneTecnica(GuastoStampa::StampaNonRiuscita, dettaglio));
        stampante.KillDoc();
        return {GuastoStampa::StampaNonRiuscita, dettaglio};
    }
}

} // namespace lumivex
