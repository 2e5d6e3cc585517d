#pragma once

#include <string>

namespace lumivex::MessaggiStampa {

// Every text the printing layer shows the user, in one place. A message
// that ends in "non è stata stampata" is a promise: use it only where the
// page surely never reached the printer.

std::string ServizioNonRisponde();
// The page was handed over but no answer came: it may still come out.
std::string InvioSenzaRisposta(const std::string &stampante);
// The list holds only the printers that need no print system.
std::string ElencoSenzaServizio();
std::string StampanteInPausa(const std::string &stampante);

std::string StampanteNonInstallata(const std::string &stampante);
std::string StampanteNonPiuInstallata(const std::string &stampante);
std::string StampanteNonAccetta(const std::string &stampante);
std::string StampaNonPermessa(const std::string &stampante);
std::string PaginaRifiutata(const std::string &stampante, int codice);
std::string InterrogazioneImpossibile();

std::string CambioDuranteLaStampa();
std::string CarattereInesistente(int indice);
std::string NomeCarattereMancante();
std::string DimensioneCarattereErrata();
std::string PosizioneErrata();
std::string ImmagineVuota();
std::string PaginaNonPreparata();
std::string PaginaNonPreparataPdf();
std::string CartellaTemporaneaNonScrivibile();
std::string StampaNonRiuscita();
std::string StampaAnnullata();

std::string PdfSenzaDestinazione();
std::string PdfCartellaInesistente(const std::string &file, const std::string &cartella);
std::string PdfNonCartella(const std::string &file, const std::string &cartella);
std::string PdfCartellaProtetta(const std::string &file, const std::string &cartella);
std::string PdfFileProtetto(const std::string &file);
std::string PdfEUnaCartella(const std::string &file);
std::string PdfDiscoPieno(const std::string &file);
std::string PdfNonScritto(const std::string &file);

} // namespace lumivex::MessaggiStampa
