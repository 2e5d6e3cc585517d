#include "printing/StampaAttestato.h"

#include "printing/EseguiStampa.h"

namespace lumivex {

EsitoStampa StampaAttestato(Stampante &stampante, const QImage &attestato)
{
    return EseguiStampa(stampante, [&] {
        stampante.TitoloDocumento("Attestato");
        // The empty line opens the job; the picture is placed absolutely.
        stampante.Print();
        stampante.PaintPicture(attestato, 1000, 100);
        stampante.EndDoc();
    });
}

} // namespace lumivex
