// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

namespace lumivex {

// What went wrong in a print. The printing layer says which and carries the
// facts around it; the words the user reads are chosen by the windows.
enum class GuastoStampa {
    // The print system
    ServizioNonRisponde,       // no answer, and nothing was handed over
    InvioSenzaRisposta,        // the page went out but no answer came: it may still be printed
    ElencoSenzaServizio,       // the printers could not be listed: only the PDF printer is left
    InterrogazioneImpossibile, // no thread to ask it on
    // The printer
    StampanteNonInstallata,    // a choice of a printer that is not in the list
    StampanteNonPiuInstallata, // removed between the choice and the print
    NonAccettaStampe,
    PermessoNegato,
    PaginaRifiutata,           // any other refusal: Codice is the print system's status
    // The page
    CambioDuranteLaStampa,
    CarattereInesistente,      // Indice is the font asked for
    NomeCarattereMancante,
    DimensioneCarattereErrata,
    PosizioneErrata,
    ImmagineVuota,
    PaginaNonPreparata,
    PaginaNonPreparataPdf,
    CartellaTemporaneaNonScrivibile,
    StampaNonRiuscita,         // a failure that is not the printer's (memory, a counter out of range)
    // The PDF file
    PdfSenzaDestinazione,      // nobody to ask where to save it
    PdfCartellaInesistente,
    PdfNonCartella,
    PdfCartellaProtetta,
    PdfFileProtetto,
    PdfEUnaCartella,
    PdfDiscoPieno,
    PdfNonScritto,
};

// The facts around a fault; each is empty (or 0) where it does not apply.
struct DettaglioStampa {
    std::string Stampante; // the printer's name
    std::string File;      // the PDF's path, as the user gave it
    std::string Cartella;  // the PDF's folder, in the system's notation
    int Codice = 0;        // the print system's status (IPP)
    int Indice = 0;        // the font asked for
    std::string Sistema;   // the print system's or file system's own words, for logs

    static DettaglioStampa DellaStampante(std::string stampante, std::string sistema = {})
    {
        DettaglioStampa dettaglio;
        dettaglio.Stampante = std::move(stampante);
        dettaglio.Sistema = std::move(sistema);
        return dettaglio;
    }
    static DettaglioStampa DelSistema(std::string sistema) { return DellaStampante({}, std::move(sistema)); }

    friend bool operator==(const DettaglioStampa &, const DettaglioStampa &) = default;
};

// An English line for logs and developers; never shown to the user.
std::string DescrizioneTecnica(GuastoStampa guasto, const DettaglioStampa &dettaglio);

} // namespace lumivex
