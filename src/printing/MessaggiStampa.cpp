#include "printing/MessaggiStampa.h"

namespace lumivex::MessaggiStampa {

namespace {

const std::string NonStampata = ": la pagina non è stata stampata.";

std::string Virgolette(const std::string &nome)
{
    return "\"" + nome + "\"";
}

std::string NonSalvato(const std::string &file)
{
    return "Non è stato possibile salvare il PDF " + Virgolette(file) + ": ";
}

} // namespace

std::string ServizioNonRisponde()
{
    return "Il servizio di stampa non risponde" + NonStampata;
}

std::string InvioSenzaRisposta(const std::string &stampante)
{
    return "Il servizio di stampa non risponde: la pagina inviata alla stampante " + Virgolette(stampante)
           + " potrebbe essere stampata quando il servizio riprenderà. Controlla la stampante prima di "
             "stamparla di nuovo.";
}

std::string ElencoSenzaServizio()
{
    return "Il servizio di stampa non risponde: per ora puoi solo salvare la pagina come PDF.";
}

std::string StampanteInPausa(const std::string &stampante)
{
    return "La pagina è stata inviata alla stampante " + Virgolette(stampante)
           + ", che è in pausa: verrà stampata quando la stampante riprenderà.";
}

std::string StampanteNonInstallata(const std::string &stampante)
{
    return "La stampante " + Virgolette(stampante) + " non è installata.";
}

std::string StampanteNonPiuInstallata(const std::string &stampante)
{
    return "La stampante " + Virgolette(stampante) + " non è più installata" + NonStampata;
}

std::string StampanteNonAccetta(const std::string &stampante)
{
    return "La stampante " + Virgolette(stampante) + " non accetta stampe in questo momento" + NonStampata;
}

std::string StampaNonPermessa(const std::string &stampante)
{
    return "Non hai il permesso di stampare sulla stampante " + Virgolette(stampante) + NonStampata;
}

std::string PaginaRifiutata(const std::string &stampante, int codice)
{
    return "La stampante " + Virgolette(stampante) + " non ha accettato la pagina (errore " + std::to_string(codice)
           + ")" + NonStampata;
}

std::string InterrogazioneImpossibile()
{
    return "Non è stato possibile interrogare il servizio di stampa" + NonStampata;
}

std::string CambioDuranteLaStampa()
{
    return "Non si può cambiare stampante mentre si stampa una pagina" + NonStampata;
}

std::string CarattereInesistente(int indice)
{
    return "Il carattere numero " + std::to_string(indice) + " non esiste.";
}

std::string NomeCarattereMancante()
{
    return "Manca il nome del carattere" + NonStampata;
}

std::string DimensioneCarattereErrata()
{
    return "La dimensione del carattere non è valida" + NonStampata;
}

std::string PosizioneErrata()
{
    return "La posizione di stampa non è valida" + NonStampata;
}

std::string ImmagineVuota()
{
    return "L'immagine da stampare è vuota" + NonStampata;
}

std::string PaginaNonPreparata()
{
    return "Non è stato possibile preparare la pagina" + NonStampata;
}

std::string PaginaNonPreparataPdf()
{
    return "Non è stato possibile preparare la pagina: la pagina non è stata salvata.";
}

std::string CartellaTemporaneaNonScrivibile()
{
    return "Non è stato possibile preparare la pagina: la cartella dei file temporanei non è scrivibile.";
}

std::string StampaNonRiuscita()
{
    return "La stampa non è riuscita: nessuna pagina è stata stampata.";
}

std::string StampaAnnullata()
{
    return "Stampa annullata: nessun file è stato salvato.";
}

std::string PdfSenzaDestinazione()
{
    return "Non è stato indicato dove salvare il PDF: la pagina non è stata salvata.";
}

std::string PdfCartellaInesistente(const std::string &file, const std::string &cartella)
{
    return NonSalvato(file) + "la cartella " + Virgolette(cartella) + " non esiste.";
}

std::string PdfNonCartella(const std::string &file, const std::string &cartella)
{
    return NonSalvato(file) + Virgolette(cartella) + " non è una cartella.";
}

std::string PdfCartellaProtetta(const std::string &file, const std::string &cartella)
{
    return NonSalvato(file) + "non hai il permesso di scrivere nella cartella " + Virgolette(cartella) + ".";
}

std::string PdfFileProtetto(const std::string &file)
{
    return NonSalvato(file) + "il file esiste già e non hai il permesso di sostituirlo.";
}

std::string PdfEUnaCartella(const std::string &file)
{
    return NonSalvato(file) + "con questo nome c'è già una cartella.";
}

std::string PdfDiscoPieno(const std::string &file)
{
    return NonSalvato(file) + "il disco è pieno.";
}

std::string PdfNonScritto(const std::string &file)
{
    return NonSalvato(file) + "la scrittura del file non è riuscita.";
}

} // namespace lumivex::MessaggiStampa
