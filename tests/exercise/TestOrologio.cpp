// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Orologio.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <locale.h>
#include <optional>
#include <string>

namespace lumivex {
namespace {

// The locale variables as each test sets them; the process's own come back
// afterwards.
class Ambiente : public ::testing::Test {
protected:
    static constexpr std::array<const char *, 3> Variabili{"LC_ALL", "LC_TIME", "LANG"};

    void SetUp() override
    {
        for (std::size_t i = 0; i < Variabili.size(); ++i) {
            const char *valore = std::getenv(Variabili[i]);
            salvate_[i] = valore != nullptr ? std::optional<std::string>(valore) : std::nullopt;
            unsetenv(Variabili[i]);
        }
    }
    void TearDown() override
    {
        for (std::size_t i = 0; i < Variabili.size(); ++i) {
            salvate_[i] ? setenv(Variabili[i], salvate_[i]->c_str(), 1) : unsetenv(Variabili[i]);
        }
    }

    static void Imposta(const char *variabile, const char *valore) { setenv(variabile, valore, 1); }
    static bool Installata(const char *nome)
    {
        const locale_t locale = newlocale(LC_TIME_MASK, nome, locale_t{});
        if (locale != locale_t{}) {
            freelocale(locale);
        }
        return locale != locale_t{};
    }
    // 8 December 2026.
    static std::string Data()
    {
        std::tm giorno{};
        giorno.tm_year = 2026 - 1900;
        giorno.tm_mon = 11;
        giorno.tm_mday = 8;
        return DataBreveDi(giorno);
    }

private:
    std::array<std::optional<std::string>, 3> salvate_;
};

// Catches: the C locale's own date form, month first with a two-digit year
// ("12/08/26"), printed where no locale is set, or the C locale under any of
// its names, or one the machine lacks; and so by the machine's clock.
TEST_F(Ambiente, SenzaImpostazioniRegionaliLaDataEGiornoMeseAnno)
{
    EXPECT_EQ(Data(), "08/12/2026") << "nothing set";
    for (const char *nome : {"C", "POSIX", "C.UTF-8", "C.utf8", "xx_YY.UTF-8"}) {
        SCOPED_TRACE(nome);
        Imposta("LANG", nome);
        EXPECT_EQ(Data(), "08/12/2026");
    }

    Imposta("LC_ALL", "C.UTF-8");
    const std::time_t adesso = std::time(nullptr);
    std::tm oggi{};
    localtime_r(&adesso, &oggi);
    std::array<char, 16> atteso{};
    std::strftime(atteso.data(), atteso.size(), "%d/%m/%Y", &oggi);
    EXPECT_EQ(OrologioDiSistema().DataBreve(), atteso.data());
}

// Catches: the user's own date form ignored where one is set; the variables
// read in the wrong order (LC_ALL over LC_TIME over LANG), or an empty one
// taken as a setting. it_IT writes day first like the fallback, so the
// order is proven on a locale that does not.
TEST_F(Ambiente, LaDataSegueLeImpostazioniRegionali)
{
    constexpr std::array<std::pair<const char *, const char *>, 3> Regionali{
        {{"it_IT.UTF-8", "08/12/2026"}, {"en_US.UTF-8", "12/08/2026"}, {"de_DE.UTF-8", "08.12.2026"}}};
    bool provata = false;
    for (const auto &[nome, attesa] : Regionali) {
        if (!Installata(nome)) {
            continue;
        }
        SCOPED_TRACE(nome);
        provata = true;
        Imposta("LANG", nome);
        Imposta("LC_ALL", "");
        EXPECT_EQ(Data(), attesa) << "LANG alone";
        Imposta("LC_TIME", "C");
        EXPECT_EQ(Data(), "08/12/2026") << "LC_TIME over LANG";
        Imposta("LC_ALL", nome);
        EXPECT_EQ(Data(), attesa) << "LC_ALL over LC_TIME";
        unsetenv("LC_TIME");
    }
    if (!provata) {
        GTEST_SKIP() << "nessuna locale regionale installata";
    }
}

} // namespace
} // namespace lumivex
