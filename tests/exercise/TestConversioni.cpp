// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Conversioni.h"
#include "exercise/Interi16.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumivex {
namespace {

// Catches: a missing or doubled blank in place of the sign, which shifts
// every column of the log and the labels.
TEST(Conversioni, TestoConSegnoMetteUnoSpazioAlPostoDelSegno)
{
    EXPECT_EQ(TestoConSegno(std::int16_t{25}), " 25");
    EXPECT_EQ(TestoConSegno(std::int16_t{0}), " 0");
    EXPECT_EQ(TestoConSegno(std::int16_t{-3}), "-3");
    EXPECT_EQ(TestoConSegno(57.0F), " 57");
    EXPECT_EQ(TestoConSegno(-0.0F), " 0");
    EXPECT_EQ(TestoConSegno(-12.0F), "-12");
    EXPECT_EQ(TestoConSegno(2.5F), " 2.5");
    EXPECT_EQ(TestoConSegno(Variante{}), "");
    EXPECT_EQ(TestoConSegno(Variante{std::int16_t{7}}), " 7");
    EXPECT_EQ(TestoConSegno(Variante{1000.0F}), " 1000");
    EXPECT_EQ(TestoSemplice(std::int16_t{7}), "7");
    EXPECT_EQ(TestoSemplice(std::int16_t{-7}), "-7");
}

// Catches: blanks inside an answer dropped, so "1 8" would pass for 18; an
// answer of blanks alone not emptied.
TEST(Conversioni, SenzaSpaziTogliSoloGliSpaziEsterni)
{
    EXPECT_EQ(SenzaSpazi(" 18 "), "18");
    EXPECT_EQ(SenzaSpazi("   "), "");
    EXPECT_EQ(SenzaSpazi(""), "");
    EXPECT_EQ(SenzaSpazi(" 1 8"), "1 8");
}

// Catches: leaving 16 bits wrapped into a wrong counter instead of reported.
TEST(Interi16, LOverflowEUnErroreRiportato)
{
    constexpr auto massimo = std::numeric_limits<std::int16_t>::max();
    constexpr auto minimo = std::numeric_limits<std::int16_t>::min();
    EXPECT_EQ(Somma16(32000, 767), massimo);
    EXPECT_THROW(Somma16(massimo, 1), ErroreOverflow);
    EXPECT_THROW(Differenza16(minimo, 1), ErroreOverflow);
    EXPECT_THROW(Prodotto16(3277, 10), ErroreOverflow);
    EXPECT_EQ(Prodotto16(3276, 10), 32760);

    std::int16_t contatore = massimo;
    EXPECT_THROW(Incrementa16(contatore), ErroreOverflow);
    EXPECT_EQ(contatore, massimo) << "a failed increment must leave the value alone";
    IncrementaSaturando16(contatore);
    EXPECT_EQ(contatore, massimo);
}

} // namespace
} // namespace lumivex
