// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/OsservatoreEsercizio.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumivex {
namespace {

constexpr int Verifica = SchermoOperativo::TastoVerifica;
constexpr int Avanti = SchermoOperativo::TastoAvanti;
constexpr int Cancella = SchermoOperativo::TastoCancella;

struct OsservatoreFinto final : OsservatoreEsercizio {
    std::vector<std::string> Eventi;
    std::vector<ProblemaConcluso> Problemi;
    std::vector<EsitoEsercizio> Esiti;

    void EsercizioIniziato(std::int16_t minimo, std::int16_t massimo) override
    {
        Eventi.push_back("inizio " + std::to_string(minimo) + "-" + std::to_string(massimo));
    }
    void ProblemaRisolto(const ProblemaConcluso &p) override
    {
        Eventi.push_back("problema " + std::to_string(p.Progressivo));
        Problemi.push_back(p);
    }
    void EsercizioFinito(const EsitoEsercizio &e) override
    {
        Eventi.push_back("fine");
        Esiti.push_back(e);
    }
    void NomeConfermato(const std::string &nome) override { Eventi.push_back("nome " + nome); }
};

class EsercizioOsservato : public ::testing::Test {
protected:
    Modulo2 m;
    OsservatoreFinto o;
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Esercizio e{m, casuale, orologio};

    void SetUp() override
    {
        m.Osservatore = &o;
        m.NumeroMin = 10;
        m.NumeroMax = 40;
        ProssimoProblema();
        e.Carica();
    }
    // 36 - 18 = 30 - 12 with 18 hidden.
    void ProssimoProblema() { casuale.Problema(10, 40, {36, 18, 30, 12}, 2); }
    void Rispondi(const std::string &cifre)
    {
        for (char c : cifre) {
            e.EseguiTasto(c - '0');
        }
        e.EseguiTasto(Verifica);
    }
};

// Catches: an exercise announced while the window is still hidden, announced
// twice when the window is shown again, in the range it was drawn in before
// the pupil changed it, or a restart never announced.
TEST_F(EsercizioOsservato, LInizioQuandoLAlunnoLoVede)
{
    EXPECT_TRUE(o.Eventi.empty());
    m.NumeroMin = 20;
    m.NumeroMax = 60;
    casuale.Problema(20, 60, {50, 25, 40, 15}, 1);
    e.CambioLivello();
    EXPECT_TRUE(o.Eventi.empty());
    e.FinestraMostrata();
    e.FinestraMostrata();
    ASSERT_EQ(o.Eventi, (std::vector<std::string>{"inizio 20-60"}));
    casuale.Problema(20, 60, {50, 25, 40, 15}, 1);
    e.NuovoEsercizio();
    EXPECT_EQ(o.Eventi, (std::vector<std::string>{"inizio 20-60", "inizio 20-60"}));
}

// Catches: answers lost, out of order or with the wrong mark; help and the
// program's intervention confused; a problem told before it is settled (or
// twice); the seconds or the grade of the end wrong.
TEST_F(EsercizioOsservato, OgniProblemaSistematoComeAvvenne)
{
    e.FinestraMostrata();
    for (int problema = 1; problema <= 20; ++problema) {
        orologio.Avanza(problema);
        switch (problema % 4) {
        case 1:
            Rispondi("18");
            break;
        case 2:
            Rispondi("43");
            e.NoNo();
            e.EseguiTasto(Cancella);
            e.EseguiTasto(Verifica);
            EXPECT_EQ(o.Problemi.size(), std::size_t(problema - 1)) << "a wrong answer settles nothing";
            e.NoNo();
            Rispondi("18");
            break;
        case 3:
            Rispondi("7");
            e.SiSi();
            break;
        default:
            for (const char *sbagliata : {"1", "2", "3"}) {
                Rispondi(sbagliata);
                e.NoNo();
            }
            e.SiSi();
            break;
        }
        ASSERT_EQ(o.Problemi.size(), std::size_t(problema));
        const ProblemaConcluso &p = o.Problemi.back();
        EXPECT_EQ(p.Progressivo, problema);
        EXPECT_EQ(p.Termini, (std::array<std::int16_t, 4>{36, 18, 30, 12}));
        EXPECT_EQ(p.Nascosto, 2);
        EXPECT_EQ(p.Soluzione, 18);
        EXPECT_EQ(p.Secondi, problema);
        const std::vector<std::vector<RispostaData>> attese{
            {{"1", false}, {"2", false}, {"3", false}},
            {{"18", true}},
            {{"43", false}, {"", false}, {"18", true}},
            {{"7", false}},
        };
        EXPECT_EQ(p.Risposte, attese[std::size_t(problema % 4)]) << problema;
        EXPECT_EQ(p.Aiuto, problema % 4 == 3);
        EXPECT_EQ(p.Intervento, problema % 4 == 0);
        if (problema < 20) {
            ProssimoProblema();
            e.EseguiTasto(Avanti);
        }
    }
    ASSERT_EQ(o.Esiti.size(), 1u);
    // The total the pupil reads on the window, every check counted.
    const int totale = std::stoi(e.Schermo().LblTempoTotale.Caption);
    EXPECT_EQ(o.Esiti[0], (EsitoEsercizio{10, 30, totale, "SUFFICIENTE (!)"}));
    EXPECT_EQ(o.Eventi.front(), "inizio 10-40");
    EXPECT_EQ(o.Eventi.back(), "fine");
    EXPECT_EQ(o.Eventi.size(), 22u);
}

// Catches: the name told at every letter, or not told at all when the window
// is done with it.
TEST_F(EsercizioOsservato, IlNomeSoloConfermato)
{
    m.ImpostaNomeAlunno("M");
    m.ImpostaNomeAlunno("MARA");
    EXPECT_TRUE(o.Eventi.empty());
    m.ConfermaNomeAlunno();
    EXPECT_EQ(o.Eventi, (std::vector<std::string>{"nome MARA"}));
}

} // namespace
} // namespace lumivex
