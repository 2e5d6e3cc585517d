// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StampaEsercizio.h"

#include "printing/EseguiStampa.h"
#include "printing/FontCourier.h"

namespace lumivex {

namespace {

double OrdinataRiga(int indice)
{
    return indice <= 10 ? 2000.0 + (indice - 1) * 400.0 : 7000.0 + (indice - 11) * 400.0;
}

} // namespace

void IntestazioneStampa(Stampante &stampante)
{
    stampante.CurrentX(1000);
    stampante.CurrentY(1000);
    stampante.FontSize(18);
    // The lines below are bold, and the setting outlives the page.
    stampante.FontBold(false);
    stampante.Print("SCUOLA ELEMENTARE DI ", ACapo::Si);
}

EsitoStampa StampaEsercizio(Stampante &stampante, Modulo2 &modulo)
{
    const std::optional<std::string> font = CercaFontCourier(stampante);
    if (!font) {
        return EsitoStampa(EsitoStampa::Tipo::MancaCourier);
    }
    return EseguiStampa(stampante, [&] {
        stampante.TitoloDocumento("Esercizio");
        stampante.FontName(*font);
        IntestazioneStampa(stampante);
        stampante.FontSize(12);
        stampante.FontBold(true);
        const int righe = modulo.RigheElencate();
        for (modulo.Indice = 1; modulo.Indice <= righe; ++modulo.Indice) {
            stampante.CurrentX(1000);
            stampante.CurrentY(OrdinataRiga(modulo.Indice));
            stampante.Print(modulo.ElencoOperazioni[static_cast<std::size_t>(modulo.Indice)], ACapo::Si);
        }
        stampante.CurrentX(1000);
        stampante.CurrentY(11000);
        stampante.Print("Eser. n.1: Tempo tot. " + modulo.StrTempoTotale + " secondi", ACapo::Si);
        stampante.CurrentX(1000);
        stampante.CurrentY(11400);
        stampante.Print("Eser. n.2: Tempo tot. " + modulo.StrTempoTotale + " secondi", ACapo::Si);
        return stampante.EndDoc();
    });
}

} // namespace lumivex
