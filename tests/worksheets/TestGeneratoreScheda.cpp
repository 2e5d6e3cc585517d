// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Modulo2.h"
#include "exercise/SorgenteCasuale.h"
#include "support/Finti.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/LivelliScheda.h"
#include "worksheets/StatoScheda.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>

namespace lumivex {
namespace {

// The lines below are written with ␣ for each blank, so they read like the
// sheet; this turns them into the real text.
std::string Riga(std::string testo)
{
    const std::string segnaposto = "␣";
    for (auto pos = testo.find(segnaposto); pos != std::string::npos; pos = testo.find(segnaposto, pos + 1)) {
        testo.replace(pos, segnaposto.size(), " ");
    }
    return testo;
}

struct Scheda {
    Modulo2 m;
    StatoScheda s;
    GeneratoreScheda g;

    Scheda(SorgenteCasuale &casuale, Orologio &orologio, int livello)
        : g(m, s, casuale, orologio)
    {
        g.SceltaLivello(livello);
    }

    // One problem at line `indice`, as the pupil view makes it.
    void Problema(int indice)
    {
        s.Indice = static_cast<std::int16_t>(indice);
        g.GeneraSot();
    }
};

// Catches: a range's text a blank too long or too short, which shows in the
// printed footer.
TEST(SceltaLivello, ImpostaIntervalloETestoEsatti)
{
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    const std::array<const char *, 3> testi{"␣␣␣␣␣Numero␣massimo␣compreso␣tra␣10␣e␣␣40",
                                            "␣␣␣␣␣Numero␣massimo␣compreso␣tra␣30␣e␣␣70",
                                            "␣␣␣␣␣Numero␣massimo␣compreso␣tra␣50␣e␣99"};
    const std::array<std::array<int, 2>, 3> limiti{{{10, 40}, {30, 70}, {50, 99}}};
    for (int livello = 0; livello < 3; ++livello) {
        SCOPED_TRACE(livello);
        const auto i = static_cast<std::size_t>(livello);
        EXPECT_TRUE(prova.g.SceltaLivello(livello));
        EXPECT_EQ(prova.m.TestoLivello, Riga(testi[i]));
        EXPECT_EQ(prova.m.NumeroMin, limiti[i][0]);
        EXPECT_EQ(prova.m.NumeroMax, limiti[i][1]);
    }

    // An index that is not a range leaves the range in force.
    for (int indice : {-1, 3}) {
        EXPECT_FALSE(prova.g.SceltaLivello(indice));
        EXPECT_EQ(prova.m.NumeroMin, 50);
        EXPECT_EQ(prova.m.NumeroMax, 99);
        EXPECT_EQ(prova.m.TestoLivello, Riga(testi[2]));
    }
}

// Catches: a line of 45 - 23 = 38 - 16, with each term hidden in turn, not
// the sheet's worked example byte for byte; in a fresh state, the fourth
// term's pad left uncomputed, pulling that column one place to the left.
TEST(CostruisciRiga, EsempioSvoltoRigaAlunniERigaDocenti)
{
    struct Caso {
        int nascosto;
        const char *alunni;
        const char *soluzione;
    };
    const std::array<Caso, 4> casi{{
        {1, "␣...␣␣-␣␣␣23␣=␣␣␣38␣-␣␣␣16␣␣␣␣␣R.", "␣45"},
        {2, "␣␣45␣-␣␣...␣=␣␣␣38␣-␣␣␣16␣␣␣␣␣R.", "␣23"},
        {3, "␣␣45␣-␣␣␣23␣=␣␣...␣␣-␣␣␣16␣␣␣␣␣R.", "␣38"},
        {4, "␣␣45␣-␣␣␣23␣=␣␣␣38␣-␣␣...␣␣␣␣␣␣R.", "␣16"},
    }};
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    prova.m.NumeroMin = 10;
    prova.m.NumeroMax = 50;
    for (const Caso &caso : casi) {
        SCOPED_TRACE(caso.nascosto);
        casuale.Problema(10, 50, {45, 23, 38, 16}, caso.nascosto);
        prova.Problema(caso.nascosto);
        const auto i = static_cast<std::size_t>(caso.nascosto);
        EXPECT_EQ(prova.s.RigheAlunni[i], Riga(caso.alunni));
        EXPECT_EQ(prova.s.RigheAlunni[i].size(), caso.nascosto == 2 ? 32U : 33U);
        EXPECT_EQ(prova.s.RigheDocenti[i], Riga(caso.alunni) + Riga("␣␣␣␣(") + Riga(caso.soluzione) + ")");
        EXPECT_EQ(prova.s.StrSoluzione, Riga(caso.soluzione));
        EXPECT_EQ(prova.s.TermineNascosto, caso.nascosto);
    }
    EXPECT_EQ(prova.s.RigheDocenti[2].size(), 41U);
    EXPECT_EQ(prova.s.Segno, " - ");
    EXPECT_EQ(casuale.Risemine, 4) << "every problem reseeds once";
    EXPECT_TRUE(casuale.Valori.empty()) << "four terms and the hidden one: no other draw";
}

// Catches: a swapped draw left out of order, unequal differences accepted,
// a difference of 0 refused.
TEST(GeneraSot, OrdinaScartaEAccettaLaDifferenzaZero)
{
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    const auto r = [](int termine) { return (static_cast<float>(termine - 10) + 0.5F) / 30.0F; };
    casuale.Valori = {r(12), r(30), r(11), r(25), r(20), r(33), r(21), r(34), 0.3F};
    prova.Problema(7);
    EXPECT_EQ((std::array<int, 4>{prova.s.Num1, prova.s.Num2, prova.s.Num3, prova.s.Num4}),
              (std::array<int, 4>{33, 20, 34, 21}));
    EXPECT_EQ(prova.s.RigheAlunni[7], Riga("␣␣33␣-␣␣...␣=␣␣␣34␣-␣␣␣21␣␣␣␣␣R."));

    casuale.Valori = {r(20), r(20), r(33), r(33), 0.9F};
    prova.Problema(8);
    EXPECT_EQ(prova.s.RigheDocenti[8], Riga("␣␣20␣-␣␣␣20␣=␣␣␣33␣-␣␣...␣␣␣␣␣␣R.␣␣␣␣(␣33)"));
    EXPECT_TRUE(casuale.Valori.empty());
}

// Catches: terms of one or three digits (other ranges) padded like two,
// moving them off their column.
TEST(AllineaScheda, UnaETreCifreTengonoLeColonne)
{
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    prova.s.StrNum1 = " 105";
    prova.s.StrNum2 = " 5";
    prova.s.StrNum3 = " 100";
    prova.s.StrNum4 = " 0";
    prova.s.Segno = " - ";
    prova.s.Indice = 3;
    casuale.Valori = {0.1F};
    prova.g.AllineaScheda();
    EXPECT_EQ(prova.s.RigheDocenti[3], Riga("␣...␣␣-␣␣␣␣5␣=␣␣100␣-␣␣␣␣0␣␣␣␣␣R.␣␣␣␣(␣105)"));
    EXPECT_EQ(prova.s.Spazi1, "");
    EXPECT_EQ(prova.s.Spazi5, "  ");
}

struct Livello {
    int indice;
    std::int16_t minimo;
    std::int16_t ultimo;
};

class OgniLivello : public ::testing::TestWithParam<Livello> {};

// Catches: over many real draws, a term out of range or an end never reached
// (no 99 on the last range), the equality or ordering broken, a hidden term
// that never turns up, a teacher line other than the pupil line plus the
// solution.
TEST_P(OgniLivello, MoltiProblemiRispettanoLeRegole)
{
    SorgenteCasualeReale casuale(2026);
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, GetParam().indice);
    const StatoScheda &s = prova.s;
    std::set<int> valori;
    std::set<int> nascosti;
    int differenzeZero = 0;
    for (int i = 0; i < 4000; ++i) {
        const int indice = i % 66;
        prova.Problema(indice);
        const std::array<std::int16_t, 4> termini{s.Num1, s.Num2, s.Num3, s.Num4};
        ASSERT_GE(s.Num1, s.Num2);
        ASSERT_GE(s.Num3, s.Num4);
        ASSERT_EQ(s.Num1 - s.Num2, s.Num3 - s.Num4);
        differenzeZero += s.Num1 == s.Num2 ? 1 : 0;
        valori.insert(termini.begin(), termini.end());
        nascosti.insert(s.TermineNascosto);

        const std::string &alunni = s.RigheAlunni[static_cast<std::size_t>(indice)];
        const std::string soluzione = " " + std::to_string(termini[static_cast<std::size_t>(s.TermineNascosto - 1)]);
        ASSERT_EQ(alunni.size(), s.TermineNascosto == 2 ? 32U : 33U) << alunni;
        ASSERT_EQ(s.RigheDocenti[static_cast<std::size_t>(indice)], alunni + "    (" + soluzione + ")");
    }
    EXPECT_EQ(*valori.begin(), GetParam().minimo);
    EXPECT_EQ(*valori.rbegin(), GetParam().ultimo);
    EXPECT_EQ(nascosti, (std::set<int>{1, 2, 3, 4}));
    EXPECT_GT(differenzeZero, 0);
}

INSTANTIATE_TEST_SUITE_P(TreIntervalli, OgniLivello,
                         ::testing::Values(Livello{0, 10, 39}, Livello{1, 30, 69}, Livello{2, 50, 98}),
                         [](const ::testing::TestParamInfo<Livello> &info) {
                             return "Da" + std::to_string(info.param.minimo) + "A" + std::to_string(info.param.ultimo);
                         });

// Catches: a reseed that restarts the sequence, so sixty reseeds within one
// clock reading repeat one problem.
TEST(VisualizzaSchedaAlunni, SessantaProblemiIndipendentiConLOrologioFermo)
{
    SorgenteCasualeReale casuale(5);
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    prova.g.VisualizzaSchedaAlunni();
    std::set<std::string> righe(prova.s.RigheDocenti.begin() + 1, prova.s.RigheDocenti.begin() + 61);
    EXPECT_GE(righe.size(), 55U);
    // The clock picks the sheet's code; the problems are the code's alone.
    EXPECT_EQ(orologio.Letture, 1) << "one clock reading per sheet";
}

// Catches: an index outside 0..65 written past the sheet, or drawing before
// it is refused (the pads or the random sequence moved).
TEST(IndiceRiga, FuoriDaZeroSessantacinqueNonToccaNulla)
{
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Scheda prova(casuale, orologio, 0);
    prova.g.VisualizzaSchedaAlunni();
    casuale.Valori = {0.1F, 0.2F, 0.3F, 0.4F, 0.5F};
    const StatoScheda prima = prova.s;
    const int risemine = casuale.Risemine;

    for (int indice : {-1, 66, 1000}) {
        SCOPED_TRACE(indice);
        prova.s.Indice = static_cast<std::int16_t>(indice);
        EXPECT_THROW(prova.g.GeneraSot(), std::out_of_range);
        EXPECT_THROW(prova.g.AllineaScheda(), std::out_of_range);
        EXPECT_THROW(prova.g.CostruisciRiga(indice), std::out_of_range);
        prova.s.Indice = prima.Indice;
        EXPECT_TRUE(prova.s == prima);
    }
    EXPECT_EQ(casuale.Valori.size(), 5U);
    EXPECT_EQ(casuale.Risemine, risemine);

    // Both ends of the arrays hold lines.
    for (int indice : {0, 65}) {
        prova.Problema(indice);
        EXPECT_FALSE(prova.s.RigheAlunni[static_cast<std::size_t>(indice)].empty());
        EXPECT_FALSE(prova.s.RigheDocenti[static_cast<std::size_t>(indice)].empty());
    }
}

} // namespace
} // namespace lumivex
