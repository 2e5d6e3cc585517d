// The report page against the recording printer: what it asks of the
// printer, in order, and what it leaves behind when it cannot print.
#include "printing/StampaAttestato.h"
#include "printing/StampaEsercizio.h"
#include "support/stampa/StampanteRegistratrice.h"

#include <gtest/gtest.h>

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
// without Courier, a refusal not word for word; a fault that leaves half a
// page open for the next print to send, or reaches the caller without its
// message.
TEST(StampaEsercizio, SenzaCourierOPerUnGuastoNonInviaNulla)
{
    StampanteRegistratrice senzaCourier;
    senzaCourier.ElencoFont = {"courier new", "Courier New Bold", "Arial"};
    StampanteRegistratrice guasta;
    guasta.GuastoSu = "Print \"riga 5\"";
    Modulo2 modulo = Resoconto(20);

    const EsitoStampa manca = StampaEsercizio(senzaCourier, modulo);
    EXPECT_EQ(manca.Esito, EsitoStampa::Tipo::MancaCourier);
    EXPECT_EQ(manca.Messaggio, "Devi installare il font Courier o il font Courier New");
    EXPECT_EQ(senzaCourier.Operazioni, (std::vector<std::string>{"FontCount", "Fonts 0", "Fonts 1", "Fonts 2"}));

    const EsitoStampa guasto = StampaEsercizio(guasta, modulo);
    EXPECT_EQ(guasto.Esito, EsitoStampa::Tipo::Guasto);
    EXPECT_EQ(guasto.Messaggio, "Guasto di prova su Print \"riga 5\"");
    EXPECT_EQ(guasta.Operazioni.back(), "KillDoc");
    for (const StampanteRegistratrice *stampante : {&senzaCourier, &guasta}) {
        EXPECT_TRUE(stampante->DocumentiInviati.empty());
        EXPECT_FALSE(stampante->DocumentoAperto());
    }
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
