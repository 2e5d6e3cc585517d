// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/SorgenteCasuale.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace lumivex {
namespace {

// Catches: draws outside [0, 1), or bunched in part of it.
TEST(SorgenteCasuale, UniformeInZeroUno)
{
    SorgenteCasualeReale sorgente(1);
    std::array<int, 10> decili{};
    for (int i = 0; i < 100000; ++i) {
        const float r = sorgente.Prossimo();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        ++decili[static_cast<std::size_t>(r * 10.0F)];
    }
    for (int conteggio : decili) {
        EXPECT_NEAR(conteggio, 10000, 1000);
    }
}

// Catches: a reseed with the same clock reading restarting the sequence,
// so a worksheet's sixty reseeds give sixty copies of one problem.
TEST(SorgenteCasuale, RisemareConLaStessaLetturaNonRicominciaLaSequenza)
{
    SorgenteCasualeReale sorgente;
    std::set<float> estratti;
    for (int i = 0; i < 60; ++i) {
        sorgente.Riseme(36000.5F);
        estratti.insert(sorgente.Prossimo());
    }
    EXPECT_EQ(estratti.size(), 60U);
}

} // namespace
} // namespace lumivex
