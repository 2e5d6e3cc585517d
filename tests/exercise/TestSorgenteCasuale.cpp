#include "exercise/SorgenteCasuale.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace lumivex {
namespace {

TEST(SorgenteCasuale, DaValoriUniformiInZeroUno)
{
    SorgenteCasualeReale sorgente(1);
    std::array<int, 10> decili{};
    constexpr int Estrazioni = 100000;
    for (int i = 0; i < Estrazioni; ++i) {
        const float r = sorgente.Prossimo();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        ++decili[static_cast<std::size_t>(r * 10.0F)];
    }
    for (int conteggio : decili) {
        EXPECT_NEAR(conteggio, Estrazioni / 10, Estrazioni / 100);
    }
}

// A worksheet reseeds sixty times within one clock reading: restarting the
// sequence there would print sixty copies of the same problem.
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

TEST(SorgenteCasuale, DueAvviiNonDannoLaStessaSequenza)
{
    SorgenteCasualeReale prima;
    SorgenteCasualeReale seconda;
    prima.Riseme(100.0F);
    seconda.Riseme(100.0F);
    int uguali = 0;
    for (int i = 0; i < 20; ++i) {
        uguali += prima.Prossimo() == seconda.Prossimo() ? 1 : 0;
    }
    EXPECT_LT(uguali, 20);
}

} // namespace
} // namespace lumivex
