// SPDX-License-Identifier: GPL-3.0-or-later
// The report page against the recording printer: what it asks of the
// printer, in order, and what it leaves behind when it cannot print.
#include "printing/ErroreStampa.h"
#include "printing/EseguiStampa.h"
#include "printing/RegistroStampa.h"
#include "printing/StampaAttestato.h"
#include "printing/StampaEsercizio.h"
#include "support/stampa/StampanteRegistratrice.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace lumivex;
using prove::StampanteRegistratrice;

Modulo2 Resoconto(int righe)
{
    Modulo2 modulo;
    modulo.NumOperazioni = static_cast<std::int16_t>(righe);
    modulo.StrTempoTotale = " 95";
    for (int i = 1; i <= righe; ++i) {
        modulo.ElencoOperazioni[static_cast<std::size_t>(i)] = "riga " + std::to_string(i);
    }
    return modulo;
}

// Catches: Courier New preferred over a Courier the printer lists first, the
// font list read past the first hit, wrong positions, fonts or order, the
// eleventh line not at 7000, a log longer than twenty lines running over the
// time lines, the times not on both lines, a missing EndDoc.
TEST(StampaEsercizio, UnaPaginaNellOrdineEsatto)
{
    StampanteRegistratrice stampante;
    stampante.ElencoFont = {"Arial", "Courier", "Courier New"};
    Modulo2 modulo = Resoconto(21);

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Stampata);
    std::vector<std::string> attese{"FontCount", "Fonts 0", "Fonts 1", "TitoloDocumento Esercizio",
                                    "FontName Courier", "CurrentX 1000", "CurrentY 1000", "FontSize 18",
                                    "FontBold False", "Print \"SCUOLA ELEMENTARE DI \"", "FontSize 12", "FontBold True"};
    for (int i = 1; i <= 20; ++i) {
        const int y = i <= 10 ? 2000 + (i - 1) * 400 : 7000 + (i - 11) * 400;
        attese.insert(attese.end(), {"CurrentX 1000", "CurrentY " + std::to_string(y),
                                     "Print \"riga " + std::to_string(i) + "\""});
    }
    attese.insert(attese.end(), {"CurrentX 1000", "CurrentY 11000", "Print \"Eser. n.1: Tempo tot.  95 secondi\"",
                                 "CurrentX 1000", "CurrentY 11400", "Print \"Eser. n.2: Tempo tot.  95 secondi\"",
                                 "EndDoc"});
    EXPECT_EQ(stampante.Operazioni, attese);
    EXPECT_EQ(stampante.DocumentiInviati.size(), 1U);
}

// Catches: the bold of the log lines carried over to the next page's
// heading, so that only the first print of a run has it regular.
TEST(StampaEsercizio, LIntestazioneEUgualeAOgniStampa)
{
    StampanteRegistratrice stampante;
    Modulo2 modulo = Resoconto(3);

    for (int volta = 0; volta < 3; ++volta) {
        ASSERT_EQ(StampaEsercizio(stampante, modulo).Esito, EsitoStampa::Tipo::Stampata);
    }

    std::vector<StampanteRegistratrice::TestoStampato> intestazioni;
    for (const auto &testo : stampante.Testi) {
        if (testo.Testo == "SCUOLA ELEMENTARE DI ")
            intestazioni.push_back(testo);
    }
    const StampanteRegistratrice::TestoStampato attesa{"SCUOLA ELEMENTARE DI ", "Courier New", 18.0, false};
    EXPECT_EQ(intestazioni, std::vector(3, attesa));
}

// Catches: a match that ignores case or takes a longer name, a page started
// without Courier; a fault that leaves half a page open for the next print
// to send, or reaches the caller as another fault or without its details.
TEST(StampaEsercizio, SenzaCourierOPerUnGuastoNonInviaNulla)
{
    StampanteRegistratrice senzaCourier;
    senzaCourier.ElencoFont = {"courier new", "Courier New Bold", "Arial"};
    StampanteRegistratrice guasta;
    guasta.GuastoSu = "Print \"riga 5\"";
    Modulo2 modulo = Resoconto(20);

    const EsitoStampa manca = StampaEsercizio(senzaCourier, modulo);
    EXPECT_EQ(manca.Esito, EsitoStampa::Tipo::MancaCourier);
    EXPECT_EQ(senzaCourier.Operazioni, (std::vector<std::string>{"FontCount", "Fonts 0", "Fonts 1", "Fonts 2"}));

    const EsitoStampa guasto = StampaEsercizio(guasta, modulo);
    EXPECT_EQ(guasto.Esito, EsitoStampa::Tipo::Guasto);
    EXPECT_EQ(guasto.Guasto, GuastoStampa::PaginaRifiutata);
    EXPECT_EQ(guasto.Dettaglio, DettaglioStampa::DellaStampante("Beta", "Guasto di prova su Print \"riga 5\""));
    EXPECT_EQ(guasta.Operazioni.back(), "KillDoc");
    for (const StampanteRegistratrice *stampante : {&senzaCourier, &guasta}) {
        EXPECT_TRUE(stampante->DocumentiInviati.empty());
        EXPECT_FALSE(stampante->DocumentoAperto());
    }
}

// Catches: a page queued on a paused printer told as printed, or as a
// fault, or without the printer's name; a cancelled save told as a fault,
// or its page sent anyway; the document dropped after it was handed over.
TEST(EseguiStampa, LaFineDelDocumentoDiventaLEsito)
{
    const QImage immagine(10, 10, QImage::Format_RGB32);
    StampanteRegistratrice inPausa;
    inPausa.Corrente = "Gamma";
    inPausa.Fine = FineDocumento::Fine::InPausa;
    Modulo2 modulo = Resoconto(3);
    const EsitoStampa resoconto = StampaEsercizio(inPausa, modulo);
    EXPECT_EQ(resoconto.Esito, EsitoStampa::Tipo::InPausa);
    EXPECT_EQ(resoconto.Dettaglio.Stampante, "Gamma");
    const EsitoStampa attestato = StampaAttestato(inPausa, immagine);
    EXPECT_EQ(attestato.Esito, EsitoStampa::Tipo::InPausa);
    EXPECT_EQ(attestato.Dettaglio.Stampante, "Gamma");
    EXPECT_EQ(inPausa.DocumentiInviati.size(), 2U);

    StampanteRegistratrice annullata;
    annullata.Fine = FineDocumento::Fine::Annullato;
    EXPECT_EQ(StampaEsercizio(annullata, modulo).Esito, EsitoStampa::Tipo::Annullata);
    EXPECT_EQ(StampaAttestato(annullata, immagine).Esito, EsitoStampa::Tipo::Annullata);
    EXPECT_TRUE(annullata.DocumentiInviati.empty());

    for (const StampanteRegistratrice *stampante : {&inPausa, &annullata}) {
        EXPECT_EQ(std::count(stampante->Operazioni.begin(), stampante->Operazioni.end(), "KillDoc"), 0);
        EXPECT_FALSE(stampante->DocumentoAperto());
    }
}

// Catches: a failure that is not the printer's (a counter out of range)
// escaping to the window, told as printed, or leaving its half page open.
TEST(EseguiStampa, UnErroreQualsiasiENonRiuscita)
{
    StampanteRegistratrice stampante;
    const EsitoStampa esito = EseguiStampa(stampante, [&]() -> FineDocumento {
        stampante.Print("mezza pagina", ACapo::Si);
        throw std::out_of_range("indice 21");
    });
    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Guasto);
    EXPECT_EQ(esito.Guasto, GuastoStampa::StampaNonRiuscita);
    EXPECT_EQ(esito.Dettaglio.Sistema, "indice 21");
    EXPECT_FALSE(stampante.DocumentoAperto());
    EXPECT_EQ(stampante.Operazioni.back(), "KillDoc");
}

QStringList *Righe = nullptr;

void RaccogliRighe(QtMsgType, const QMessageLogContext &contesto, const QString &riga)
{
    if (Righe != nullptr && QLatin1String(contesto.category) == QLatin1String("lumivex.stampa"))
        Righe->append(riga);
}

// Catches: a printing log that talks on a pupil's terminal by default, or
// that, switched on, misses a job or drops the print system's own words
// from a fault.
TEST(RegistroStampa, ZittoDiNormaConIDettagliSeAcceso)
{
    EXPECT_FALSE(RegistroStampa().isWarningEnabled());
    EXPECT_FALSE(RegistroStampa().isInfoEnabled());

    QStringList righe;
    Righe = &righe;
    const QtMessageHandler precedente = qInstallMessageHandler(RaccogliRighe);
    QLoggingCategory::setFilterRules(QStringLiteral("lumivex.stampa=true"));
    StampanteRegistratrice stampante;
    stampante.Corrente = "Gamma";
    EXPECT_EQ(EseguiStampa(stampante, [] { return FineDocumento{FineDocumento::Fine::Inviato, "Gamma"}; }).Esito,
              EsitoStampa::Tipo::Stampata);
    DettaglioStampa dettaglio = DettaglioStampa::DellaStampante("Alfa", "Forbidden");
    dettaglio.Codice = 1025;
    EXPECT_EQ(EseguiStampa(stampante, [&]() -> FineDocumento { throw ErroreStampa(GuastoStampa::PermessoNegato, dettaglio); })
                  .Esito,
              EsitoStampa::Tipo::Guasto);
    QLoggingCategory::setFilterRules({});
    qInstallMessageHandler(precedente);
    Righe = nullptr;

    ASSERT_EQ(righe.size(), 2) << righe.join(u'\n').toStdString();
    EXPECT_TRUE(righe[0].contains(QStringLiteral("Gamma"))) << righe[0].toStdString();
    for (const char *parte : {"Alfa", "1025", "Forbidden"})
        EXPECT_TRUE(righe[1].contains(QLatin1String(parte))) << parte << " in " << righe[1].toStdString();
}

// Catches: a log line that loses the printer, the print system's status or
// its own words, or the font asked for.
TEST(ErroreStampa, IlTestoPerIRegistriHaTuttiIDettagli)
{
    DettaglioStampa dettaglio = DettaglioStampa::DellaStampante("Alfa", "Forbidden");
    dettaglio.Codice = 1025;
    const std::string rifiuto = ErroreStampa(GuastoStampa::PermessoNegato, dettaglio).what();
    for (const char *parte : {"'Alfa'", "1025", "Forbidden"}) {
        EXPECT_NE(rifiuto.find(parte), std::string::npos) << parte << " in " << rifiuto;
    }
    DettaglioStampa carattere;
    carattere.Indice = 12;
    const std::string indice = ErroreStampa(GuastoStampa::CarattereInesistente, carattere).what();
    EXPECT_NE(indice.find("12"), std::string::npos) << indice;
}

// Catches: a certificate drawn on a large screen printed past the edge of
// the paper; a picture that fits scaled anyway, or not placed at (1000, 100);
// proportions lost when only one side is too long; a picture of a 2x screen
// printed at twice its size.
TEST(StampaAttestato, InteroSullaPagina)
{
    // 5000 dots per metre are 127 dots per inch: 127 pixels make 1440 twips.
    const auto Immagine = [](int larghezza, int altezza, qreal rapporto = 1.0) {
        QImage immagine(larghezza, altezza, QImage::Format_RGB32);
        immagine.setDotsPerMeterX(5000);
        immagine.setDotsPerMeterY(5000);
        immagine.setDevicePixelRatio(rapporto);
        return immagine;
    };
    const struct {
        QImage immagine;
        const char *disegno;
    } casi[] = {
        {Immagine(635, 254), "PaintPicture 635x254 1000 100 7200x2880"},
        {Immagine(1270, 635), "PaintPicture 1270x635 1000 100 10185x5092.5"},
        {Immagine(254, 2540), "PaintPicture 254x2540 1000 100 1601.8x16018"},
        {Immagine(2540, 1270, 2.0), "PaintPicture 2540x1270 1000 100 10185x5092.5"},
    };
    for (const auto &caso : casi) {
        SCOPED_TRACE(caso.disegno);
        StampanteRegistratrice stampante;
        ASSERT_EQ(StampaAttestato(stampante, caso.immagine).Esito, EsitoStampa::Tipo::Stampata);
        ASSERT_EQ(stampante.DocumentiInviati.size(), 1U);
        EXPECT_EQ(stampante.DocumentiInviati[0], (std::vector<std::string>{"Print", caso.disegno}));
    }
}

} // namespace
