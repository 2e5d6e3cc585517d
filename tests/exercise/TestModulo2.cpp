// SPDX-License-Identifier: GPL-3.0-or-later
// The shared state's own operations. Catches a range with a wrong end or a
// text with its blanks changed, an index outside the three buttons changing
// the range in force, a report listing more lines than one exercise has or
// fewer than answered, a report leaving the last total time for the next one,
// and the kind of exercise missing when the start window is not open.
#include "exercise/LivelliEsercizio.h"
#include "exercise/Modulo2.h"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>

namespace lumivex {
namespace {

// Catches: a range button applying another range, or its text off by a blank.
TEST(SceltaLivello, OgniPulsanteIlSuoIntervalloEIlSuoTesto)
{
    struct Atteso {
        int minimo;
        int massimo;
        const char *testo;
    };
    const Atteso attesi[] = {
        {10, 40, "Numero massimo compreso tra 10 e  40"},
        {30, 70, "Numero massimo compreso tra 30 e 70"},
        {50, 90, "Numero massimo compreso tra 50 e 90"},
    };
    ASSERT_EQ(LivelliEsercizio.size(), std::size(attesi));
    Modulo2 m;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(m.SceltaLivello(i));
        EXPECT_EQ(m.NumeroMin, attesi[i].minimo);
        EXPECT_EQ(m.NumeroMax, attesi[i].massimo);
        EXPECT_EQ(m.TestoLivello, attesi[i].testo);
    }
}

// Catches: an index outside the buttons read past the table or changing the range.
TEST(SceltaLivello, IndiceFuoriDaiPulsantiNonCambiaNulla)
{
    Modulo2 m;
    ASSERT_TRUE(m.SceltaLivello(1));
    for (int indice : {-1, 3, 1000}) {
        EXPECT_FALSE(m.SceltaLivello(indice));
        EXPECT_EQ(m.NumeroMin, 30);
        EXPECT_EQ(m.NumeroMax, 70);
        EXPECT_EQ(m.TestoLivello, "Numero massimo compreso tra 30 e 70");
    }
}

// Catches: a report listing more lines than one exercise (a worksheet's
// lines after it), or a negative count.
TEST(Resoconto, RigheElencateTraZeroEVenti)
{
    Modulo2 m;
    for (const auto &[operazioni, righe] : {std::pair{-3, 0}, {0, 0}, {7, 7}, {20, 20}, {21, 20}, {60, 20}}) {
        m.NumOperazioni = static_cast<std::int16_t>(operazioni);
        EXPECT_EQ(m.RigheElencate(), righe) << operazioni;
    }
}

// Catches: a closed report's total time shown by the next one; closing it
// forgetting the pupil's name or the kind of exercise.
TEST(Resoconto, ChiusuraDimenticaIlTempoTotale)
{
    Modulo2 m;
    m.StrTempoTotale = " 42";
    m.ImpostaNomeAlunno("ANNA");
    m.ChiudiResoconto();
    EXPECT_TRUE(m.StrTempoTotale.empty());
    EXPECT_EQ(m.NomeAlunno, "ANNA");
    EXPECT_EQ(m.TipoEsercizio, "Esercitazione");
}

} // namespace
} // namespace lumivex
