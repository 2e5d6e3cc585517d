// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"
#include "support/Finti.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/OpzioniScheda.h"
#include "worksheets/StatoScheda.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <set>
#include <string>

namespace lumivex {
namespace {

struct Finestra {
    Modulo2 m;
    StatoScheda s;
    SorgenteCasualeReale casuale{77};
    prove::OrologioFinto orologio;
    GeneratoreScheda g{m, s, casuale, orologio};

    Finestra() { g.SceltaLivello(1); }

    // The lines of 1..60 that hold something.
    template <std::size_t N>
    static std::set<int> Occupate(const std::array<std::string, N> &righe)
    {
        std::set<int> occupate;
        for (int i = 1; i <= StatoScheda::RigheScheda; ++i) {
            if (!righe[static_cast<std::size_t>(i)].empty()) {
                occupate.insert(i);
            }
        }
        return occupate;
    }
};

struct Forma {
    OperazioniPerEsercizio operazioni;
    NumeroEsercizi esercizi;
};

class OgniForma : public ::testing::TestWithParam<Forma> {};

// Catches: a chosen group outside its own lines (group g on 10g+1..10g+10),
// or a sheet drawn after a full one keeping some of its lines, in either
// view.
TEST_P(OgniForma, OgniEsercizioAlSuoPostoERestoVuoto)
{
    Finestra f;
    f.g.VisualizzaSchedaAlunni();
    ASSERT_EQ(Finestra::Occupate(f.s.RigheVisualizzate).size(), 60U) << "the sheet at load is the full one";

    f.s.Opzioni.Operazioni = GetParam().operazioni;
    f.s.Opzioni.Esercizi = GetParam().esercizi;
    f.g.VisualizzaSchedaAlunni();

    const int perEsercizio = static_cast<int>(GetParam().operazioni);
    std::set<int> attese;
    for (int gruppo = 0; gruppo < static_cast<int>(GetParam().esercizi); ++gruppo) {
        for (int k = 1; k <= perEsercizio; ++k) {
            attese.insert(10 * gruppo + k);
        }
    }
    EXPECT_EQ(Finestra::Occupate(f.s.RigheVisualizzate), attese);
    EXPECT_EQ(Finestra::Occupate(f.s.RigheAlunni), attese);
    f.g.VisualizzaSchedaDocenti();
    EXPECT_EQ(Finestra::Occupate(f.s.RigheVisualizzate), attese);
    for (int riga = 1; riga <= 60; ++riga) {
        EXPECT_EQ(f.s.OpzioniInUso.InUso(riga), attese.contains(riga)) << riga;
    }
}

INSTANTIATE_TEST_SUITE_P(
    SeiForme, OgniForma,
    ::testing::Values(Forma{OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due},
                      Forma{OperazioniPerEsercizio::Cinque, NumeroEsercizi::Quattro},
                      Forma{OperazioniPerEsercizio::Cinque, NumeroEsercizi::Sei},
                      Forma{OperazioniPerEsercizio::Dieci, NumeroEsercizi::Due},
                      Forma{OperazioniPerEsercizio::Dieci, NumeroEsercizi::Quattro},
                      Forma{OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei}),
    [](const ::testing::TestParamInfo<Forma> &info) {
        return std::to_string(static_cast<int>(info.param.esercizi)) + "EserciziDa" +
               std::to_string(static_cast<int>(info.param.operazioni));
    });

struct Scelta {
    TermineDaNascondere nascosto;
    std::set<int> termini;
    const char *nome;
};

class OgniScelta : public ::testing::TestWithParam<Scelta> {};

// Catches: dots on a term the choice excludes (the result only, one of the
// first three, any of the four); a teacher's answer that is not the hidden
// term.
TEST_P(OgniScelta, NascondeSoloITerminiScelti)
{
    Finestra f;
    f.s.Opzioni.Nascosto = GetParam().nascosto;
    std::set<int> visti;
    for (int volta = 0; volta < 20; ++volta) {
        f.g.VisualizzaSchedaAlunni();
        for (std::size_t i = 1; i <= 60; ++i) {
            const std::string &riga = f.s.RigheAlunni[i];
            const auto puntini = riga.find("...");
            ASSERT_NE(puntini, std::string::npos);
            // The dots stand at a fixed column for each term.
            const int termine = puntini == 1 ? 1 : puntini == 8 ? 2 : puntini == 15 ? 3 : puntini == 22 ? 4 : 0;
            ASSERT_NE(termine, 0) << riga;
            visti.insert(termine);

            // The teacher's answer put in place of the dots makes the equality hold.
            const std::string &docenti = f.s.RigheDocenti[i];
            ASSERT_EQ(docenti.substr(riga.size(), 5), "    (");
            std::string completa = riga;
            completa.replace(puntini, 3, docenti.substr(riga.size() + 6, 2));
            std::array<int, 4> n{};
            ASSERT_EQ(std::sscanf(completa.c_str(), "%d - %d = %d - %d", &n[0], &n[1], &n[2], &n[3]), 4) << completa;
            ASSERT_EQ(n[0] - n[1], n[2] - n[3]) << docenti;
        }
    }
    EXPECT_EQ(visti, GetParam().termini);
}

INSTANTIATE_TEST_SUITE_P(TreScelte, OgniScelta,
                         ::testing::Values(Scelta{TermineDaNascondere::Risultato, {4}, "Risultato"},
                                           Scelta{TermineDaNascondere::UnTermine, {1, 2, 3}, "UnTermine"},
                                           Scelta{TermineDaNascondere::RisultatoOTermine, {1, 2, 3, 4},
                                                  "RisultatoOTermine"}),
                         [](const ::testing::TestParamInfo<Scelta> &info) { return std::string(info.param.nome); });

// Catches: options changed after a sheet was drawn changing that sheet or
// its teacher view, or not followed by the next pupil sheet.
TEST(Opzioni, ValgonoDallaProssimaSchedaAlunni)
{
    Finestra f;
    f.g.VisualizzaSchedaAlunni();
    const auto docenti = f.s.RigheDocenti;
    f.s.Opzioni.Esercizi = NumeroEsercizi::Due;
    f.s.Opzioni.Nascosto = TermineDaNascondere::Risultato;
    f.g.VisualizzaSchedaDocenti();
    EXPECT_EQ(f.s.RigheDocenti, docenti);
    EXPECT_EQ(Finestra::Occupate(f.s.RigheVisualizzate).size(), 60U);
    EXPECT_EQ(f.s.OpzioniInUso, OpzioniScheda{});

    f.g.VisualizzaSchedaAlunni();
    EXPECT_EQ(Finestra::Occupate(f.s.RigheVisualizzate).size(), 20U);
    EXPECT_EQ(f.s.OpzioniInUso, f.s.Opzioni);
}

// Catches: the printed footer naming a range chosen after the sheet was
// drawn (here or on the start window) instead of the sheet's own.
TEST(Opzioni, IlLivelloDellaSchedaEQuelloDellEstrazione)
{
    Finestra f;
    f.g.VisualizzaSchedaAlunni();
    f.g.SceltaLivello(2);
    f.g.VisualizzaSchedaDocenti();
    EXPECT_EQ(f.s.TestoLivelloInUso, "     Numero massimo compreso tra 30 e  70");
    f.g.VisualizzaSchedaAlunni();
    EXPECT_EQ(f.s.TestoLivelloInUso, "     Numero massimo compreso tra 50 e 99");
}

// Catches: the teacher view drawing a sheet or showing another than the
// last; two pupil views showing one sheet; a teacher view before any sheet
// showing anything.
TEST(Viste, DocentiMostraLUltimaSchedaSenzaEstrarre)
{
    Finestra f;
    f.g.VisualizzaSchedaDocenti();
    EXPECT_TRUE(Finestra::Occupate(f.s.RigheVisualizzate).empty());

    f.g.VisualizzaSchedaAlunni();
    const auto alunni = f.s.RigheAlunni;
    EXPECT_EQ(f.s.RigheVisualizzate[1], alunni[1]);
    f.g.VisualizzaSchedaDocenti();
    f.g.VisualizzaSchedaDocenti();
    EXPECT_EQ(f.s.RigheAlunni, alunni);
    EXPECT_EQ(f.orologio.Letture, 1) << "the teacher view must not draw";
    for (std::size_t i = 1; i <= 60; ++i) {
        EXPECT_EQ(f.s.RigheVisualizzate[i].substr(0, alunni[i].size()), alunni[i]);
    }

    f.g.VisualizzaSchedaAlunni();
    EXPECT_NE(f.s.RigheAlunni, alunni);
}

// Catches: a sheet drawn while the pupil is solving a problem changing the
// problem, its solution or the exercise log, so a right answer is judged
// wrong.
TEST(Esercizio, UnaSchedaNonToccaIlProblemaInCorso)
{
    Finestra f;
    Esercizio esercizio(f.m, f.casuale, f.orologio);
    esercizio.Carica();
    const Modulo2 prima = f.m;

    f.g.VisualizzaSchedaAlunni();
    f.g.VisualizzaSchedaDocenti();
    f.s.Indice = 5;
    f.g.GeneraSot();

    EXPECT_EQ(f.m.ElencoOperazioni, prima.ElencoOperazioni);
    EXPECT_EQ((std::array{f.m.Num1, f.m.Num2, f.m.Num3, f.m.Num4, f.m.Appoggio, f.m.TermineNascosto, f.m.Soluzione,
                          f.m.Indice, f.m.NumOperazioni}),
              (std::array{prima.Num1, prima.Num2, prima.Num3, prima.Num4, prima.Appoggio, prima.TermineNascosto,
                          prima.Soluzione, prima.Indice, prima.NumOperazioni}));
    EXPECT_EQ((std::array{f.m.StrNum1, f.m.StrNum2, f.m.StrNum3, f.m.StrNum4, f.m.Spazi1, f.m.Spazi2, f.m.Spazi3,
                          f.m.Spazi5, f.m.StrSoluzione, f.m.SpaziRisposta}),
              (std::array{prima.StrNum1, prima.StrNum2, prima.StrNum3, prima.StrNum4, prima.Spazi1, prima.Spazi2,
                          prima.Spazi3, prima.Spazi5, prima.StrSoluzione, prima.SpaziRisposta}));

    for (char cifra : prima.StrSoluzione.substr(1)) {
        esercizio.EseguiTasto(cifra - '0');
    }
    esercizio.EseguiTasto(SchermoOperativo::TastoVerifica);
    EXPECT_EQ(f.m.RisposteEsatte, 1);
    EXPECT_EQ(f.m.RisposteErrate, 0);
}

} // namespace
} // namespace lumivex
