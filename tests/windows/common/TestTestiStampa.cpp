// SPDX-License-Identifier: GPL-3.0-or-later
// The words the user reads about printing, from the facts the printing
// layer reports.
#include "windows/common/TestiStampa.h"

#include <QSet>
#include <QTest>

using namespace lumivex;

namespace {

const QString NonStampata = QStringLiteral("non è stata stampata");

// Every fault, in the order they are declared.
QList<GuastoStampa> TuttiIGuasti()
{
    QList<GuastoStampa> guasti;
    for (int i = 0; i <= static_cast<int>(GuastoStampa::PdfNonScritto); ++i) {
        guasti.append(static_cast<GuastoStampa>(i));
    }
    return guasti;
}

} // namespace

class TestTestiStampa : public QObject {
    Q_OBJECT

private slots:
    // Catches: a fault without a text of its own (falling to the generic
    // one, or copied from a neighbour), so the user cannot tell what to do.
    void ogniGuastoHaIlSuoTesto()
    {
        const DettaglioStampa dettaglio = DettaglioStampa::DellaStampante("Alfa");
        QSet<QString> testi;
        for (const GuastoStampa guasto : TuttiIGuasti()) {
            const QString testo = TestoGuastoStampa(guasto, dettaglio);
            QVERIFY2(!testo.isEmpty(), QByteArray::number(static_cast<int>(guasto)));
            testi.insert(testo);
        }
        QCOMPARE(testi.size(), TuttiIGuasti().size());
    }

    // Catches: a page that may still come out told as surely not printed,
    // so the pupil prints it twice; a PDF fault told as a failed print.
    void soloLaPaginaMaiPartitaENonStampata()
    {
        const DettaglioStampa dettaglio = DettaglioStampa::DellaStampante("Alfa");
        const QString forse = TestoGuastoStampa(GuastoStampa::InvioSenzaRisposta, dettaglio);
        QVERIFY(!forse.contains(NonStampata));
        QVERIFY(forse.contains(QStringLiteral("\"Alfa\" potrebbe essere stampata")));
        for (const GuastoStampa guasto :
             {GuastoStampa::PdfSenzaDestinazione, GuastoStampa::PdfCartellaInesistente, GuastoStampa::PdfNonCartella,
              GuastoStampa::PdfCartellaProtetta, GuastoStampa::PdfFileProtetto, GuastoStampa::PdfEUnaCartella,
              GuastoStampa::PdfDiscoPieno, GuastoStampa::PdfNonScritto, GuastoStampa::PaginaNonPreparataPdf}) {
            QVERIFY2(!TestoGuastoStampa(guasto, dettaglio).contains(QStringLiteral("stampat")),
                     QByteArray::number(static_cast<int>(guasto)));
        }
    }

    // Catches: a detail left out or put in the wrong place (the printer, the
    // print system's code, the font number, the file and its folder); a
    // name outside ASCII garbled on its way from the printing layer.
    void iDettagliEntranoNelTesto()
    {
        DettaglioStampa rifiuto = DettaglioStampa::DellaStampante("Sala insegnanti è");
        rifiuto.Codice = 1282;
        QCOMPARE(TestoGuastoStampa(GuastoStampa::PaginaRifiutata, rifiuto),
                 QStringLiteral("La stampante \"Sala insegnanti è\" non ha accettato la pagina (errore 1282): la "
                                "pagina non è stata stampata."));
        QCOMPARE(TestoGuastoStampa(GuastoStampa::PermessoNegato, rifiuto),
                 QStringLiteral("Non hai il permesso di stampare sulla stampante \"Sala insegnanti è\": la pagina "
                                "non è stata stampata."));
        QCOMPARE(TestoGuastoStampa(GuastoStampa::StampanteNonInstallata, rifiuto),
                 QStringLiteral("La stampante \"Sala insegnanti è\" non è installata."));

        DettaglioStampa carattere;
        carattere.Indice = 7;
        QCOMPARE(TestoGuastoStampa(GuastoStampa::CarattereInesistente, carattere),
                 QStringLiteral("Il carattere numero 7 non esiste."));

        DettaglioStampa salvataggio;
        salvataggio.File = "/home/aula/Documenti/perù.pdf";
        salvataggio.Cartella = "/home/aula/Documenti";
        QCOMPARE(TestoGuastoStampa(GuastoStampa::PdfFileProtetto, salvataggio),
                 QStringLiteral("Non è stato possibile salvare il PDF \"/home/aula/Documenti/perù.pdf\": il file "
                                "esiste già e non hai il permesso di sostituirlo."));
        QCOMPARE(TestoGuastoStampa(GuastoStampa::PdfDiscoPieno, salvataggio),
                 QStringLiteral("Non è stato possibile salvare il PDF \"/home/aula/Documenti/perù.pdf\": il disco è "
                                "pieno."));
    }

    // Catches: a cancelled save or a printed page followed by a message; the
    // Courier request not word for word; a paused printer not named; a
    // fault shown as some other fault, or a failure that is not the
    // printer's shown as nothing.
    void ogniEsitoIlSuoTesto()
    {
        QCOMPARE(TestoEsitoStampa(EsitoStampa()), QString());
        QCOMPARE(TestoEsitoStampa(EsitoStampa(EsitoStampa::Tipo::Annullata)), QString());
        QCOMPARE(TestoEsitoStampa(EsitoStampa(EsitoStampa::Tipo::MancaCourier)),
                 QStringLiteral("Devi installare il font Courier o il font Courier New"));
        QCOMPARE(TestoEsitoStampa(
                     EsitoStampa(EsitoStampa::Tipo::InPausa, DettaglioStampa::DellaStampante("Gamma"))),
                 QStringLiteral("La pagina è stata inviata alla stampante \"Gamma\", che è in pausa: verrà stampata "
                                "quando la stampante riprenderà."));
        QCOMPARE(TestoEsitoStampa(EsitoStampa(GuastoStampa::NonAccettaStampe, DettaglioStampa::DellaStampante("Beta"))),
                 QStringLiteral("La stampante \"Beta\" non accetta stampe in questo momento: la pagina non è stata "
                                "stampata."));
        const EsitoStampa altro(GuastoStampa::StampaNonRiuscita, DettaglioStampa::DelSistema("bad_alloc"));
        QCOMPARE(TestoEsitoStampa(altro),
                 QStringLiteral("La stampa non è riuscita: nessuna pagina è stata stampata."));
    }
};

QTEST_APPLESS_MAIN(TestTestiStampa)

#include "TestTestiStampa.moc"
