// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/TestiStampa.h"

#include "qt/Testo.h"

namespace lumivex {

namespace {

const QString NonStampata = QStringLiteral(": la pagina non è stata stampata.");

QString Virgolette(const std::string &nome)
{
    return QLatin1Char('"') + DaStd(nome) + QLatin1Char('"');
}

QString NonSalvato(const DettaglioStampa &dettaglio)
{
    return QStringLiteral("Non è stato possibile salvare il PDF ") + Virgolette(dettaglio.File) + QStringLiteral(": ");
}

QString LaStampante(const DettaglioStampa &dettaglio)
{
    return QStringLiteral("La stampante ") + Virgolette(dettaglio.Stampante);
}

} // namespace

QString TestoGuastoStampa(GuastoStampa guasto, const DettaglioStampa &dettaglio)
{
    switch (guasto) {
    case GuastoStampa::ServizioNonRisponde:
        return QStringLiteral("Il servizio di stampa non risponde") + NonStampata;
    case GuastoStampa::InvioSenzaRisposta:
        return QStringLiteral("Il servizio di stampa non risponde: la pagina inviata alla stampante ")
               + Virgolette(dettaglio.Stampante)
               + QStringLiteral(" potrebbe essere stampata quando il servizio riprenderà. Controlla la stampante "
                                "prima di stamparla di nuovo.");
    case GuastoStampa::ElencoSenzaServizio:
        return QStringLiteral("Il servizio di stampa non risponde: per ora puoi solo salvare la pagina come PDF.");
    case GuastoStampa::InterrogazioneImpossibile:
        return QStringLiteral("Non è stato possibile interrogare il servizio di stampa") + NonStampata;
    case GuastoStampa::StampanteNonInstallata:
        return LaStampante(dettaglio) + QStringLiteral(" non è installata.");
    case GuastoStampa::StampanteNonPiuInstallata:
        return LaStampante(dettaglio) + QStringLiteral(" non è più installata") + NonStampata;
    case GuastoStampa::NonAccettaStampe:
        return LaStampante(dettaglio) + QStringLiteral(" non accetta stampe in questo momento") + NonStampata;
    case GuastoStampa::PermessoNegato:
        return QStringLiteral("Non hai il permesso di stampare sulla stampante ") + Virgolette(dettaglio.Stampante)
               + NonStampata;
    case GuastoStampa::PaginaRifiutata:
        return LaStampante(dettaglio) + QStringLiteral(" non ha accettato la pagina (errore %1)").arg(dettaglio.Codice)
               + NonStampata;
    case GuastoStampa::CambioDuranteLaStampa:
        return QStringLiteral("Non si può cambiare stampante mentre si stampa una pagina") + NonStampata;
    case GuastoStampa::CarattereInesistente:
        return QStringLiteral("Il carattere numero %1 non esiste.").arg(dettaglio.Indice);
    case GuastoStampa::NomeCarattereMancante:
        return QStringLiteral("Manca il nome del carattere") + NonStampata;
    case GuastoStampa::DimensioneCarattereErrata:
        return QStringLiteral("La dimensione del carattere non è valida") + NonStampata;
    case GuastoStampa::PosizioneErrata:
        return QStringLiteral("La posizione di stampa non è valida") + NonStampata;
    case GuastoStampa::ImmagineVuota:
        return QStringLiteral("L'immagine da stampare è vuota") + NonStampata;
    case GuastoStampa::PaginaNonPreparata:
        return QStringLiteral("Non è stato possibile preparare la pagina") + NonStampata;
    case GuastoStampa::PaginaNonPreparataPdf:
        return QStringLiteral("Non è stato possibile preparare la pagina: la pagina non è stata salvata.");
    case GuastoStampa::CartellaTemporaneaNonScrivibile:
        return QStringLiteral(
            "Non è stato possibile preparare la pagina: la cartella dei file temporanei non è scrivibile.");
    case GuastoStampa::StampaNonRiuscita:
        break;
    case GuastoStampa::PdfSenzaDestinazione:
        return QStringLiteral("Non è stato indicato dove salvare il PDF: la pagina non è stata salvata.");
    case GuastoStampa::PdfCartellaInesistente:
        return NonSalvato(dettaglio) + QStringLiteral("la cartella ") + Virgolette(dettaglio.Cartella)
               + QStringLiteral(" non esiste.");
    case GuastoStampa::PdfNonCartella:
        return NonSalvato(dettaglio) + Virgolette(dettaglio.Cartella) + QStringLiteral(" non è una cartella.");
    case GuastoStampa::PdfCartellaProtetta:
        return NonSalvato(dettaglio) + QStringLiteral("non hai il permesso di scrivere nella cartella ")
               + Virgolette(dettaglio.Cartella) + QLatin1Char('.');
    case GuastoStampa::PdfFileProtetto:
        return NonSalvato(dettaglio) + QStringLiteral("il file esiste già e non hai il permesso di sostituirlo.");
    case GuastoStampa::PdfEUnaCartella:
        return NonSalvato(dettaglio) + QStringLiteral("con questo nome c'è già una cartella.");
    case GuastoStampa::PdfDiscoPieno:
        return NonSalvato(dettaglio) + QStringLiteral("il disco è pieno.");
    case GuastoStampa::PdfNonScritto:
        return NonSalvato(dettaglio) + QStringLiteral("la scrittura del file non è riuscita.");
    }
    // Also a value from outside the list: the page surely did not come out.
    return QStringLiteral("La stampa non è riuscita: nessuna pagina è stata stampata.");
}

QString TestoEsitoStampa(const EsitoStampa &esito)
{
    switch (esito.Esito) {
    case EsitoStampa::Tipo::Stampata:
    case EsitoStampa::Tipo::Annullata:
        return {};
    case EsitoStampa::Tipo::InPausa:
        return QStringLiteral("La pagina è stata inviata alla stampante ") + Virgolette(esito.Dettaglio.Stampante)
               + QStringLiteral(", che è in pausa: verrà stampata quando la stampante riprenderà.");
    case EsitoStampa::Tipo::MancaCourier:
        return QStringLiteral("Devi installare il font Courier o il font Courier New");
    case EsitoStampa::Tipo::Guasto:
        break;
    }
    return TestoGuastoStampa(esito.Guasto, esito.Dettaglio);
}

} // namespace lumivex
