#include "printing/EseguiStampa.h"

#include "printing/MessaggiStampa.h"
#include "printing/StampaAnnullata.h"
#include "printing/StampaInPausa.h"

#include <exception>

namespace lumivex {

EsitoStampa EseguiStampa(Stampante &stampante, const std::function<void()> &impaginazione)
{
    try {
        impaginazione();
        return {};
    } catch (const StampaInPausa &avviso) {
        return {EsitoStampa::Tipo::InPausa, avviso.what()};
    } catch (const StampaAnnullata &) {
        stampante.KillDoc();
        return {EsitoStampa::Tipo::Annullata, {}};
    } catch (const ErroreStampa &errore) {
        stampante.KillDoc();
        return {EsitoStampa::Tipo::Guasto, errore.what()};
    } catch (const std::exception &) {
        // Not a printer fault (memory, a counter out of range): still a page
        // that did not come out, and the pupil needs to know that much.
        stampante.KillDoc();
        return {EsitoStampa::Tipo::Guasto, MessaggiStampa::StampaNonRiuscita()};
    }
}

} // namespace lumivex
