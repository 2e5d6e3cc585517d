// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Generatore.h"
#include "exercise/LivelliEsercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumivex {
namespace {

struct Generazione {
    Modulo2 m;
    SchermoOperativo schermo;
    Generatore g;

    Generazione(SorgenteCasuale &casuale, Orologio &orologio, int minimo, int massimo)
        : g(m, schermo, casuale, orologio)
    {
        m.NumeroMin = static_cast<std::int16_t>(minimo);
        m.NumeroMax = static_cast<std::int16_t>(massimo);
    }

    const std::string &Problema()
    {
        m.NumOperazioni = 0;
        g.Genera1();
        g.AllineaNumeri();
        g.Visualizza1();
        g.ChiudiRiga();
        return m.ElencoOperazioni[1];
    }
};

// Catches: a slip in a fixed piece or a pad of the worked example
// 43 - 25 = 30 - 12, with each term hidden in turn, which moves the pupil's
// answer off column 36.
TEST(Generatore, EsempioSvoltoRigaPerRiga)
{
    const std::array<const char *, 4> righe{" ... -   25 =   30 -   12", "  43 -  ... =   30 -   12",
                                            "  43 -   25 =  ... -   12", "  43 -   25 =   30 -  ... "};
    const std::array<const char *, 4> soluzioni{" 43", " 25", " 30", " 12"};
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    orologio.Ora = 1234.5F;
    Generazione prova(casuale, orologio, 10, 50);
    for (int nascosto = 1; nascosto <= 4; ++nascosto) {
        SCOPED_TRACE(nascosto);
        const std::string riga = righe[static_cast<std::size_t>(nascosto - 1)];
        casuale.Problema(10, 50, {43, 25, 30, 12}, nascosto);
        EXPECT_EQ(prova.Problema(), riga + std::string(35 - riga.size(), ' ') + "(R.");
        EXPECT_EQ(riga.size(), nascosto == 4 ? 26U : 25U);
        EXPECT_EQ(prova.m.StrSoluzione, soluzioni[static_cast<std::size_t>(nascosto - 1)]);
        EXPECT_EQ(prova.schermo.lblNumero[static_cast<std::size_t>(nascosto - 1)].Caption, "?");
        EXPECT_EQ(prova.schermo.lblNumero[static_cast<std::size_t>(nascosto - 1)].Testo, ColoreTermineNascosto);
        EXPECT_EQ(prova.schermo.lblNumero[nascosto == 1 ? 1U : 0U].Caption, nascosto == 1 ? " 25" : " 43");
    }
    EXPECT_EQ(prova.schermo.LblSegno.Caption, " - ");
    EXPECT_FLOAT_EQ(std::get<float>(prova.m.OraInizio), 1234.5F);
    EXPECT_EQ(casuale.Risemine, 4) << "Genera1 reseeds once a problem, Visualizza1 goes on";

    // Swapped draws are put in order, unequal differences drawn again, and a
    // one-digit term gets two blanks so the columns hold.
    const auto r = [](int termine) { return (static_cast<float>(termine - 1) + 0.5F) / 49.0F; };
    prova.m.NumeroMin = 1;
    casuale.Valori = {r(20), r(30), r(11), r(49), r(7), r(15), r(1), r(9), 0.9F};
    EXPECT_EQ(prova.Problema(), "  15 -    7 =    9 -  ... " + std::string(9, ' ') + "(R.");
}

class OgniLivello : public ::testing::TestWithParam<LivelloEsercizio> {};

// Catches: over many real draws, a term out of range or an end never
// reached, the equality or the ordering broken, a hidden position that never
// turns up.
TEST_P(OgniLivello, MoltiProblemiRispettanoLeRegole)
{
    SorgenteCasualeReale casuale(99);
    prove::OrologioFinto orologio;
    Generazione prova(casuale, orologio, GetParam().NumeroMin, GetParam().NumeroMax);
    const Modulo2 &m = prova.m;
    std::set<int> nascosti;
    std::set<int> valori;
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(prova.Problema().size(), 38U);
        ASSERT_EQ(m.Num1 - m.Num2, m.Num3 - m.Num4);
        ASSERT_GE(m.Num1, m.Num2);
        ASSERT_GE(m.Num3, m.Num4);
        const std::array<std::int16_t, 4> termini{m.Num1, m.Num2, m.Num3, m.Num4};
        ASSERT_EQ(m.Soluzione, termini[static_cast<std::size_t>(m.TermineNascosto - 1)]);
        valori.insert(termini.begin(), termini.end());
        nascosti.insert(m.TermineNascosto);
    }
    EXPECT_EQ(nascosti, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(*valori.begin(), GetParam().NumeroMin);
    EXPECT_EQ(*valori.rbegin(), GetParam().NumeroMax - 1);
}

INSTANTIATE_TEST_SUITE_P(TreLivelli, OgniLivello, ::testing::ValuesIn(LivelliEsercizio),
                         [](const ::testing::TestParamInfo<LivelloEsercizio> &info) {
                             return "Da" + std::to_string(info.param.NumeroMin) + "A"
                                    + std::to_string(info.param.NumeroMax);
                         });

} // namespace
} // namespace lumivex
