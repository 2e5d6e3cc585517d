#include "exercise/Generatore.h"
#include "exercise/Modulo2.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumivex {
namespace {

using prove::OrologioFinto;
using prove::SorgenteFinta;

class Generazione : public ::testing::Test {
protected:
    Modulo2 m;
    SchermoOperativo schermo;
    SorgenteFinta casuale;
    OrologioFinto orologio;
    Generatore g{m, schermo, casuale, orologio};

    void Livello(int minimo, int massimo)
    {
        m.NumeroMin = static_cast<std::int16_t>(minimo);
        m.NumeroMax = static_cast<std::int16_t>(massimo);
    }

    void Problema()
    {
        g.Genera1();
        g.AllineaNumeri();
        g.Visualizza1();
        g.ChiudiRiga();
    }

    int Nascosti() const
    {
        int quanti = 0;
        for (const auto &etichetta : schermo.lblNumero) {
            quanti += etichetta.Caption == "?" ? 1 : 0;
        }
        return quanti;
    }
};

// The worked example 43 - 25 = 30 - 12 with each term hidden in turn: any
// slip in a fixed piece or a pad moves the pupil's answer off column 36.
TEST_F(Generazione, EsempioSvoltoRigaPerRiga)
{
    struct Caso {
        int nascosto;
        const char *riga;
        std::int16_t soluzione;
        const char *strSoluzione;
    };
    const Caso casi[] = {
        {1, " ... -   25 =   30 -   12", 43, " 43"},
        {2, "  43 -  ... =   30 -   12", 25, " 25"},
        {3, "  43 -   25 =  ... -   12", 30, " 30"},
        {4, "  43 -   25 =   30 -  ... ", 12, " 12"},
    };
    Livello(10, 50);
    for (const auto &caso : casi) {
        SCOPED_TRACE(caso.nascosto);
        casuale.Problema(10, 50, {43, 25, 30, 12}, caso.nascosto);
        g.Genera1();
        g.AllineaNumeri();
        g.Visualizza1();
        const std::string &riga = m.ElencoOperazioni.at(static_cast<std::size_t>(m.NumOperazioni));
        EXPECT_EQ(riga, caso.riga);
        EXPECT_EQ(riga.size(), caso.nascosto == 4 ? 26U : 25U);
        EXPECT_EQ(m.Soluzione, caso.soluzione);
        EXPECT_EQ(m.StrSoluzione, caso.strSoluzione);
        EXPECT_EQ(m.TermineNascosto, caso.nascosto);

        g.ChiudiRiga();
        EXPECT_EQ(riga.size(), 38U);
        EXPECT_EQ(riga.find("(R."), 35U) << "the answer must start at column 36";
        EXPECT_EQ(riga.substr(std::string(caso.riga).size()),
                  std::string(35 - std::string(caso.riga).size(), ' ') + "(R.");
    }
}

TEST_F(Generazione, MostraIlProblemaConUnSoloTermineNascosto)
{
    Livello(10, 50);
    casuale.Problema(10, 50, {43, 25, 30, 12}, 3);
    orologio.Ora = 1234.5F;
    Problema();
    EXPECT_EQ(schermo.LblSegno.Caption, " - ");
    EXPECT_EQ(schermo.lblSegno2.Caption, " - ");
    EXPECT_EQ(schermo.lblNumero[0].Caption, " 43");
    EXPECT_EQ(schermo.lblNumero[1].Caption, " 25");
    EXPECT_EQ(schermo.lblNumero[2].Caption, "?");
    EXPECT_EQ(schermo.lblNumero[3].Caption, " 12");
    EXPECT_EQ(schermo.lblNumero[2].Testo, ColoreTermineNascosto);
    EXPECT_EQ(Nascosti(), 1);
    EXPECT_FLOAT_EQ(std::get<float>(m.OraInizio), 1234.5F);
    EXPECT_EQ(casuale.Risemine, 1) << "Genera1 reseeds once, Visualizza1 goes on";
}

// Swapped draws must be put in order; unequal differences drawn again.
TEST_F(Generazione, OrdinaIterminiERipescaFinoAllUguaglianza)
{
    Livello(10, 50);
    const auto r = [](int termine) { return (static_cast<float>(termine - 10) + 0.5F) / 40.0F; };
    casuale.Valori = {r(20), r(30), r(11), r(49), // 30-20 ≠ 49-11: drawn again
                      r(25), r(43), r(12), r(30), // swapped into 43-25 = 30-12
                      0.1F};
    Problema();
    EXPECT_EQ(m.Num1, 43);
    EXPECT_EQ(m.Num2, 25);
    EXPECT_EQ(m.Num3, 30);
    EXPECT_EQ(m.Num4, 12);
    EXPECT_EQ(m.TermineNascosto, 1);
}

// With a range that allows one-digit terms the pad doubles, so the columns hold.
TEST_F(Generazione, UnTermineDiUnaCifraHaDueSpazi)
{
    Livello(1, 50);
    casuale.Problema(1, 50, {15, 7, 9, 1}, 4);
    Problema();
    EXPECT_EQ(m.Spazi1, " ");
    EXPECT_EQ(m.Spazi2, "  ");
    EXPECT_EQ(m.Spazi3, "  ");
    EXPECT_EQ(m.Spazi5, "  ");
    EXPECT_EQ(m.ElencoOperazioni[1].substr(0, 26), "  15 -    7 =    9 -  ... ");
    EXPECT_EQ(m.ElencoOperazioni[1].find("(R."), 35U);
}

// The largest draw below 1 must still give a term below NumeroMax.
TEST_F(Generazione, IlValorePiuAltoRestaSottoIlMassimo)
{
    Livello(50, 90);
    const float quasiUno = 1.0F - 0x1.0p-24F;
    casuale.Valori = {quasiUno, quasiUno, quasiUno, quasiUno, quasiUno};
    Problema();
    EXPECT_EQ(m.Num1, 89);
    EXPECT_EQ(m.Num4, 89);
    EXPECT_EQ(m.TermineNascosto, 4);
}

struct LivelloAtteso {
    std::int16_t minimo;
    std::int16_t massimo;
};

class OgniLivello : public ::testing::TestWithParam<LivelloAtteso> {};

// Over many real draws: every term in range, the equality and ordering
// always hold, every hidden position turns up, every line closes at 38.
TEST_P(OgniLivello, MoltiProblemiRispettanoLeRegole)
{
    Modulo2 m;
    m.NumeroMin = GetParam().minimo;
    m.NumeroMax = GetParam().massimo;
    SchermoOperativo schermo;
    SorgenteCasualeReale casuale(99);
    OrologioFinto orologio;
    Generatore g(m, schermo, casuale, orologio);

    std::set<int> nascosti;
    std::set<int> valori;
    for (int i = 0; i < 3000; ++i) {
        m.NumOperazioni = 0;
        g.Genera1();
        g.AllineaNumeri();
        g.Visualizza1();
        g.ChiudiRiga();
        for (int termine : {m.Num1, m.Num2, m.Num3, m.Num4}) {
            ASSERT_GE(termine, m.NumeroMin);
            ASSERT_LT(termine, m.NumeroMax);
            valori.insert(termine);
        }
        ASSERT_GE(m.Num1, m.Num2);
        ASSERT_GE(m.Num3, m.Num4);
        ASSERT_EQ(m.Num1 - m.Num2, m.Num3 - m.Num4);
        ASSERT_EQ(m.ElencoOperazioni[1].size(), 38U);
        const std::array<std::int16_t, 4> termini{m.Num1, m.Num2, m.Num3, m.Num4};
        ASSERT_EQ(m.Soluzione, termini[static_cast<std::size_t>(m.TermineNascosto - 1)]);
        nascosti.insert(m.TermineNascosto);
    }
    EXPECT_EQ(nascosti, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(*valori.begin(), GetParam().minimo);
    EXPECT_EQ(*valori.rbegin(), GetParam().massimo - 1);
}

INSTANTIATE_TEST_SUITE_P(TreLivelli, OgniLivello,
                         ::testing::Values(LivelloAtteso{10, 40}, LivelloAtteso{30, 70}, LivelloAtteso{50, 90}));

} // namespace
} // namespace lumivex
