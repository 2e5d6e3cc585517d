// The page layouts against the recording printer: exactly what they ask of
// the printer, and what they leave behind when something fails.
#include "printing/FontCourier.h"
#include "printing/StampaEsercizio.h"
#include "support/stampa/StampanteRegistratrice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace lumivex;
using prove::StampanteRegistratrice;

// Catches: a search that ignores the printer's order, matches loosely, or
// keeps reading after the first hit.
TEST(CercaFontCourier, PrendeIlPrimoNomeEsattoNellOrdineDellaStampante)
{
    struct Caso {
        std::vector<std::string> font;
        std::optional<std::string> atteso;
        int letture; // Fonts(i) calls made
    };
    const std::vector<Caso> casi{
        {{"Arial", "Courier", "Courier New"}, "Courier", 2},
        {{"Courier New", "Courier"}, "Courier New", 1},
        {{"courier new", "Courier  New", "CourierNew", "Courier New Bold", "Arial"}, std::nullopt, 5},
        {{}, std::nullopt, 0},
    };
    for (const Caso &caso : casi) {
        SCOPED_TRACE(testing::PrintToString(caso.font));
        StampanteRegistratrice stampante;
        stampante.ElencoFont = caso.font;
        EXPECT_EQ(CercaFontCourier(stampante), caso.atteso);
        EXPECT_EQ(stampante.Operazioni.size(), static_cast<std::size_t>(caso.letture + 1));
    }
}

// Catches: an unreadable font list escaping as a fault instead of the
// "install Courier" message.
TEST(CercaFontCourier, UnElencoIlleggibileNonHaCourier)
{
    StampanteRegistratrice stampante;
    stampante.GuastoSu = "FontCount";
    EXPECT_EQ(CercaFontCourier(stampante), std::nullopt);
}

Modulo2 ModuloCon(int righe, const std::string &tempo)
{
    Modulo2 modulo;
    modulo.NumOperazioni = static_cast<std::int16_t>(righe);
    modulo.StrTempoTotale = tempo;
    for (int i = 1; i <= Modulo2::UltimaRiga; ++i) {
        modulo.ElencoOperazioni[static_cast<std::size_t>(i)] = "riga " + std::to_string(i);
    }
    return modulo;
}

std::vector<std::string> InizioPagina(const std::string &font)
{
    return {"TitoloDocumento Esercizio", "FontName " + font, "CurrentX 1000", "CurrentY 1000", "FontSize 18",
            "Print \"SCUOLA ELEMENTARE DI \"", "FontSize 12", "FontBold True"};
}

std::vector<std::string> RigheTempo(const std::string &tempo)
{
    return {"CurrentX 1000", "CurrentY 11000", "Print \"Eser. n.1: Tempo tot. " + tempo + " secondi\"",
            "CurrentX 1000", "CurrentY 11400", "Print \"Eser. n.2: Tempo tot. " + tempo + " secondi\"",
            "EndDoc"};
}

// Catches: wrong positions, fonts or order; the eleventh line not at 7000;
// the times not shared by both lines; a missing EndDoc.
TEST(StampaEsercizio, VentiRigheInDueBlocchiDiDieci)
{
    StampanteRegistratrice stampante;
    stampante.ElencoFont = {"Arial", "Courier New", "Courier"};
    Modulo2 modulo = ModuloCon(20, " 95");

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Stampata);
    EXPECT_EQ(esito.Messaggio, "");
    std::vector<std::string> attese{"FontCount", "Fonts 0", "Fonts 1"};
    for (const std::string &operazione : InizioPagina("Courier New")) {
        attese.push_back(operazione);
    }
    for (int i = 1; i <= 20; ++i) {
        const int y = i <= 10 ? 2000 + (i - 1) * 400 : 7000 + (i - 11) * 400;
        attese.push_back("CurrentX 1000");
        attese.push_back("CurrentY " + std::to_string(y));
        attese.push_back("Print \"riga " + std::to_string(i) + "\"");
    }
    for (const std::string &operazione : RigheTempo(" 95")) {
        attese.push_back(operazione);
    }
    EXPECT_EQ(stampante.Operazioni, attese);
    ASSERT_EQ(stampante.DocumentiInviati.size(), 1U);
    EXPECT_EQ(modulo.Indice, 21);
}

// Catches: an empty log printing stray lines, or a longer log (a worksheet
// shown meanwhile) running over the time lines.
TEST(StampaEsercizio, StampaAlPiuVentiRighe)
{
    for (const int righe : {0, 60}) {
        SCOPED_TRACE(righe);
        StampanteRegistratrice stampante;
        Modulo2 modulo = ModuloCon(righe, "");
        ASSERT_EQ(StampaEsercizio(stampante, modulo).Esito, EsitoStampa::Tipo::Stampata);
        ASSERT_EQ(stampante.DocumentiInviati.size(), 1U);
        const std::vector<std::string> &pagina = stampante.DocumentiInviati.front();
        EXPECT_EQ(pagina.size(), righe == 0 ? 3U : 23U);
        EXPECT_EQ(pagina.back(), "Print \"Eser. n.2: Tempo tot.  secondi\"");
    }
}

// Catches: printing without a Courier face, or a message not word for word.
TEST(StampaEsercizio, SenzaCourierNonStampaNulla)
{
    StampanteRegistratrice stampante;
    stampante.ElencoFont = {"Arial", "Liberation Mono"};
    Modulo2 modulo = ModuloCon(5, " 12");

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::MancaCourier);
    EXPECT_EQ(esito.Messaggio, "Devi installare il font Courier o il font Courier New");
    EXPECT_EQ(stampante.Operazioni, (std::vector<std::string>{"FontCount", "Fonts 0", "Fonts 1"}));
}

// Catches: a fault that leaves half a page open for the next print to send,
// or that reaches the caller without its message.
TEST(StampaEsercizio, UnGuastoAbbandonaLaPagina)
{
    for (const std::string guasto : {"Print \"riga 5\"", "EndDoc", "FontName"}) {
        SCOPED_TRACE(guasto);
        StampanteRegistratrice stampante;
        stampante.GuastoSu = guasto;
        Modulo2 modulo = ModuloCon(20, " 95");

        const EsitoStampa esito = StampaEsercizio(stampante, modulo);

        EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Guasto);
        EXPECT_EQ(esito.Messaggio, "Guasto di prova su " + stampante.Operazioni[stampante.Operazioni.size() - 2]);
        EXPECT_EQ(stampante.Operazioni.back(), "KillDoc");
        EXPECT_TRUE(stampante.DocumentiInviati.empty());
        EXPECT_FALSE(stampante.DocumentoAperto());
    }
}

} // namespace
