// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet page against the recording printer: every operation in
// order, what a smaller sheet leaves out, and what a fault leaves behind.
#include "printing/StampaScheda.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "worksheets/StatoScheda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace lumivex;
using prove::StampanteRegistratrice;

const std::string PieDocenti = "Scheda per docenti stampata con Brenotal.1";
const std::string PieAlunni = "Scheda per alunni stampata con Brenotal.1";

StatoScheda Scheda(std::int16_t tipo)
{
    StatoScheda scheda;
    scheda.TipoScheda = tipo;
    scheda.TestoLivelloInUso = "     Numero massimo compreso tra 30 e  70";
    for (int i = 1; i <= StatoScheda::RigheScheda; ++i) {
        scheda.RigheVisualizzate[static_cast<std::size_t>(i)] = "riga " + std::to_string(i);
    }
    return scheda;
}

// Catches: a line in the wrong column or group (31 at the left, the groups
// not at 2000/6500/11000, 400 twips apart), the heading's Courier not
// overriding the face found, a wrong size for the teachers' lines, a footer
// text or position off by a blank or a twip, the level of the range chosen
// now rather than of the sheet, a missing or extra EndDoc.
TEST(StampaScheda, SchedaDocentiNellOrdineEsatto)
{
    StampanteRegistratrice stampante;
    stampante.ElencoFont = {"Arial", "Courier New", "Courier"};

    const EsitoStampa esito = StampaScheda(stampante, Scheda(StatoScheda::SchedaDocenti), PieDocenti);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Stampata);
    std::vector<std::string> attese{"FontCount", "Fonts 0", "Fonts 1", "TitoloDocumento Scheda docenti",
                                    "FontName Courier New",
                                    // The heading.
                                    "FontName Courier", "CurrentX 1000", "CurrentY 1000", "FontSize 14",
                                    "FontBold False", "Print \"Nome e cognome\";", "CurrentX 1000", "CurrentY 1500",
                                    "FontSize 12",
                                    // The teachers' size.
                                    "FontSize 10"};
    for (int i = 1; i <= 60; ++i) {
        const int x = i <= 30 ? 1000 : 6000;
        const int gruppo = ((i - 1) / 10) % 3;
        const int y = (gruppo == 0 ? 2000 : gruppo == 1 ? 6500 : 11000) + 400 * ((i - 1) % 10);
        attese.insert(attese.end(), {"CurrentX " + std::to_string(x), "CurrentY " + std::to_string(y),
                                     "Print \"riga " + std::to_string(i) + "\""});
    }
    attese.insert(attese.end(),
                  {"FontName Courier", "FontSize 8", "CurrentX 1000", "CurrentY 15100", "Print \"DOV: ricerca \"",
                   "CurrentX 1000", "CurrentY 15300",
                   "Print \"Livello di difficoltà:      Numero massimo compreso tra 30 e  70\"", "CurrentX 1000",
                   "CurrentY 15500", "Print \"" + PieDocenti + "\"", "EndDoc"});
    EXPECT_EQ(stampante.Operazioni, attese);
    EXPECT_EQ(stampante.DocumentiInviati.size(), 1U);
}

// Catches: a smaller sheet printing its empty lines (or losing a group's
// place on the page), the pupils' lines not in 12 points, the page's text
// bold after a bold report, anything not in Courier.
TEST(StampaScheda, SchedaAlunniSoloLeRigheInUsoIn12Punti)
{
    StampanteRegistratrice stampante;
    stampante.FontBold(true);
    StatoScheda scheda = Scheda(StatoScheda::SchedaAlunni);
    scheda.OpzioniInUso.Operazioni = OperazioniPerEsercizio::Cinque;
    scheda.OpzioniInUso.Esercizi = NumeroEsercizi::Quattro;

    ASSERT_EQ(StampaScheda(stampante, scheda, PieAlunni).Esito, EsitoStampa::Tipo::Stampata);

    std::vector<StampanteRegistratrice::TestoStampato> attesi{{"Nome e cognome", "Courier", 14.0, false}};
    for (int i : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 31, 32, 33, 34, 35}) {
        attesi.push_back({"riga " + std::to_string(i), "Courier", 12.0, false});
    }
    attesi.push_back({"DOV: ricerca ", "Courier", 8.0, false});
    attesi.push_back({"Livello di difficoltà:      Numero massimo compreso tra 30 e  70", "Courier", 8.0, false});
    attesi.push_back({PieAlunni, "Courier", 8.0, false});
    EXPECT_EQ(stampante.Testi, attesi);
    const auto &documento = stampante.DocumentiInviati.at(0);
    EXPECT_EQ(std::count(documento.begin(), documento.end(), "Print \"riga 31\""), 1);
    EXPECT_EQ(std::count(stampante.Operazioni.begin(), stampante.Operazioni.end(), "TitoloDocumento Scheda alunni"), 1);
}

// Catches: a fault in the heading ending the program (or the print going on
// past it); a fault among the lines, or at the end, leaving half a page open
// for the next print to send; a fault reported without what failed; a page
// started without Courier.
TEST(StampaScheda, UnGuastoOSenzaCourierNonInviaNulla)
{
    for (const char *guasto : {"FontName Courier", "Print \"Nome e cognome\"", "CurrentY 1500",
                               "Print \"riga 31\"", "Print \"DOV", "EndDoc"}) {
        SCOPED_TRACE(guasto);
        StampanteRegistratrice stampante;
        stampante.GuastoSu = guasto;
        for (std::int16_t tipo : {StatoScheda::SchedaAlunni, StatoScheda::SchedaDocenti}) {
            const EsitoStampa esito = StampaScheda(stampante, Scheda(tipo), PieAlunni);
            EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Guasto);
            EXPECT_EQ(esito.Guasto, GuastoStampa::PaginaRifiutata);
            EXPECT_EQ(esito.Dettaglio.Sistema.rfind("Guasto di prova su ", 0), 0U) << esito.Dettaglio.Sistema;
            EXPECT_EQ(stampante.Operazioni.back(), "KillDoc");
            EXPECT_TRUE(stampante.DocumentiInviati.empty());
            EXPECT_FALSE(stampante.DocumentoAperto());
        }
    }

    StampanteRegistratrice senzaCourier;
    senzaCourier.ElencoFont = {"courier", "Courier 10 Pitch"};
    const EsitoStampa manca = StampaScheda(senzaCourier, Scheda(StatoScheda::SchedaAlunni), PieAlunni);
    EXPECT_EQ(manca.Esito, EsitoStampa::Tipo::MancaCourier);
    EXPECT_EQ(senzaCourier.Operazioni, (std::vector<std::string>{"FontCount", "Fonts 0", "Fonts 1"}));
    EXPECT_TRUE(senzaCourier.DocumentiInviati.empty());
}

} // namespace

namespace {

// Catches: copies sent as separate jobs, or merged on one page; a page
// without its own code below the footer, or with another sheet's; the
// teacher size lost after the first page.
TEST(StampaSchede, UnLavoroUnaPaginaPerSchedaColSuoCodice)
{
    StampanteRegistratrice stampante;
    std::vector<StatoScheda> schede(3, Scheda(StatoScheda::SchedaDocenti));
    const std::vector<std::string> codici{"K7M2QX", "ABCDEF", "23456Z"};
    for (std::size_t i = 0; i < schede.size(); ++i) {
        schede[i].Codice = codici[i];
    }

    ASSERT_EQ(StampaSchede(stampante, schede, PieDocenti).Esito, EsitoStampa::Tipo::Stampata);

    ASSERT_EQ(stampante.DocumentiInviati.size(), 1U);
    const auto &documento = stampante.DocumentiInviati.front();
    EXPECT_EQ(std::count(documento.begin(), documento.end(), "NewPage"), 2);
    std::vector<std::string> codiciStampati;
    int righeIn10 = 0;
    for (const auto &testo : stampante.Testi) {
        if (testo.Testo.starts_with("Codice scheda: ")) {
            codiciStampati.push_back(testo.Testo.substr(15));
            EXPECT_EQ(testo.Punti, 10.0);
        }
        righeIn10 += testo.Testo.starts_with("riga ") && testo.Punti == 10.0 ? 1 : 0;
    }
    EXPECT_EQ(codiciStampati, codici);
    EXPECT_EQ(righeIn10, 180);
    // Each page ends with its code, then the next page begins.
    const auto primaNuova = std::find(stampante.Operazioni.begin(), stampante.Operazioni.end(), "NewPage");
    EXPECT_EQ(*(primaNuova - 1), "Print \"Codice scheda: K7M2QX\"");
    EXPECT_EQ(*(primaNuova - 2), "CurrentY 15700");
}

} // namespace

namespace {

// Catches: large print losing a problem, changing their order or putting
// more than ten on a page; lines not in 18 points, or too close to write
// under; a page without the heading, the footer, its code or its number;
// the pages of two sheets run together; the pupil's name missing from the
// heading, or printed where the field's caption is.
TEST(StampaSchede, CaratteriGrandiDieciPerPagina)
{
    StampanteRegistratrice stampante;
    StatoScheda piccola = Scheda(1);
    piccola.OpzioniInUso.Operazioni = OperazioniPerEsercizio::Cinque;
    piccola.OpzioniInUso.Esercizi = NumeroEsercizi::Quattro;
    piccola.Codice = "K7M2QX";
    piccola.Nome = "Nicolò D'Angelo";
    StatoScheda intera = Scheda(1);
    intera.Codice = "ABCDEF";
    const std::vector<StatoScheda> schede{piccola, intera};

    ASSERT_EQ(StampaSchede(stampante, schede, PieAlunni, Caratteri::Grandi).Esito, EsitoStampa::Tipo::Stampata);

    ASSERT_EQ(stampante.DocumentiInviati.size(), 1U);
    const auto &documento = stampante.DocumentiInviati.front();
    EXPECT_EQ(std::count(documento.begin(), documento.end(), "NewPage"), 2 + 6 - 1);
    std::vector<std::string> righe;
    std::vector<std::string> numeri;
    std::vector<std::string> codici;
    std::vector<std::string> nomi;
    for (const auto &testo : stampante.Testi) {
        if (testo.Testo.starts_with("riga ")) {
            EXPECT_EQ(testo.Punti, 18.0) << testo.Testo;
            righe.push_back(testo.Testo);
        } else if (testo.Testo.starts_with("pagina ")) {
            numeri.push_back(testo.Testo);
        } else if (testo.Testo.starts_with("Codice scheda: ")) {
            codici.push_back(testo.Testo.substr(15));
        } else if (testo.Testo.starts_with("  ")) {
            nomi.push_back(testo.Testo);
        }
    }
    std::vector<std::string> attese;
    for (int i : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 31, 32, 33, 34, 35}) {
        attese.push_back("riga " + std::to_string(i));
    }
    for (int i = 1; i <= 60; ++i) {
        attese.push_back("riga " + std::to_string(i));
    }
    EXPECT_EQ(righe, attese);
    EXPECT_EQ(numeri, (std::vector<std::string>{"pagina 1 di 2", "pagina 2 di 2", "pagina 1 di 6", "pagina 2 di 6",
                                                 "pagina 3 di 6", "pagina 4 di 6", "pagina 5 di 6", "pagina 6 di 6"}));
    EXPECT_EQ(codici, (std::vector<std::string>{"K7M2QX", "K7M2QX", "ABCDEF", "ABCDEF", "ABCDEF", "ABCDEF", "ABCDEF",
                                                "ABCDEF"}));
    EXPECT_EQ(nomi, (std::vector<std::string>{"  Nicolò D'Angelo", "  Nicolò D'Angelo"}));
    EXPECT_EQ(std::count(documento.begin(), documento.end(), "Print \"Nome e cognome\";"), 8);
    EXPECT_EQ(std::count(documento.begin(), documento.end(), "Print \"" + PieAlunni + "\""), 8);

    // Ten lines down the page, from 2200 twips, 1250 apart.
    const auto &operazioni = stampante.Operazioni;
    const auto prima = std::find(operazioni.begin(), operazioni.end(), "Print \"riga 1\"");
    ASSERT_NE(prima, operazioni.end());
    EXPECT_EQ(*(prima - 1), "CurrentY 2200");
    const auto decima = std::find(operazioni.begin(), operazioni.end(), "Print \"riga 10\"");
    ASSERT_NE(decima, operazioni.end());
    EXPECT_EQ(*(decima - 1), "CurrentY 13450");
}

} // namespace
