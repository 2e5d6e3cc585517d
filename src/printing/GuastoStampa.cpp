// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/GuastoStampa.h"

namespace lumivex {

namespace {

const char *Cosa(GuastoStampa guasto)
{
    switch (guasto) {
    case GuastoStampa::ServizioNonRisponde:
        return "print system not answering";
    case GuastoStampa::InvioSenzaRisposta:
        return "no answer after the page was sent; it may still print";
    case GuastoStampa::ElencoSenzaServizio:
        return "printers not listed, print system not answering";
    case GuastoStampa::InterrogazioneImpossibile:
        return "no thread to query the print system on";
    case GuastoStampa::StampanteNonInstallata:
        return "printer not installed";
    case GuastoStampa::StampanteNonPiuInstallata:
        return "printer no longer installed";
    case GuastoStampa::NonAccettaStampe:
        return "printer not accepting jobs";
    case GuastoStampa::PermessoNegato:
        return "not allowed to print";
    case GuastoStampa::PaginaRifiutata:
        return "job refused";
    case GuastoStampa::CambioDuranteLaStampa:
        return "printer changed while a document is open";
    case GuastoStampa::CarattereInesistente:
        return "font index out of range";
    case GuastoStampa::NomeCarattereMancante:
        return "empty font name";
    case GuastoStampa::DimensioneCarattereErrata:
        return "invalid font size";
    case GuastoStampa::PosizioneErrata:
        return "invalid position";
    case GuastoStampa::ImmagineVuota:
        return "empty picture";
    case GuastoStampa::PaginaNonPreparata:
        return "page could not be drawn";
    case GuastoStampa::PaginaNonPreparataPdf:
        return "page could not be drawn for the PDF";
    case GuastoStampa::CartellaTemporaneaNonScrivibile:
        return "temporary folder not writable";
    case GuastoStampa::StampaNonRiuscita:
        return "print failed";
    case GuastoStampa::PdfSenzaDestinazione:
        return "no one to ask where to save the PDF";
    case GuastoStampa::PdfCartellaInesistente:
        return "PDF folder missing";
    case GuastoStampa::PdfNonCartella:
        return "PDF folder is not a folder";
    case GuastoStampa::PdfCartellaProtetta:
        return "PDF folder not writable";
    case GuastoStampa::PdfFileProtetto:
        return "PDF file exists and is not writable";
    case GuastoStampa::PdfEUnaCartella:
        return "PDF path is a folder";
    case GuastoStampa::PdfDiscoPieno:
        return "disk full while saving the PDF";
    case GuastoStampa::PdfNonScritto:
        return "PDF not written";
    }
    return "unknown print fault";
}

} // namespace

std::string DescrizioneTecnica(GuastoStampa guasto, const DettaglioStampa &dettaglio)
{
    std::string testo = Cosa(guasto);
    if (!dettaglio.Stampante.empty()) {
        testo += "; printer '" + dettaglio.Stampante + "'";
    }
    if (!dettaglio.File.empty()) {
        testo += "; file '" + dettaglio.File + "'";
    }
    if (!dettaglio.Cartella.empty()) {
        testo += "; folder '" + dettaglio.Cartella + "'";
    }
    if (dettaglio.Codice != 0) {
        testo += "; status " + std::to_string(dettaglio.Codice);
    }
    if (guasto == GuastoStampa::CarattereInesistente) {
        testo += "; index " + std::to_string(dettaglio.Indice);
    }
    if (!dettaglio.Sistema.empty()) {
        testo += "; " + dettaglio.Sistema;
    }
    return testo;
}

} // namespace lumivex
