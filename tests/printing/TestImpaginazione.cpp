// The report page against the recording printer: what it asks of the
// printer, in order, and what it leaves behind when it cannot print.
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
                                    "Print \"SCUOLA ELEMENTARE DI \"", "FontSize 12", "FontBold True"};
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

} // namespace
