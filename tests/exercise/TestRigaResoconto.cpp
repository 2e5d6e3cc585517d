// SPDX-License-Identifier: GPL-3.0-or-later
// The register rebuilds a problem's log line from what the exercise told its
// observer; it must read exactly as the line the exercise wrote.
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/OsservatoreEsercizio.h"
#include "exercise/RigaResoconto.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace lumivex {
namespace {

struct Caso {
    const char *Nome;
    std::array<std::int16_t, 4> Num;
    int Nascosto;
    std::vector<std::string> Risposte; // typed in order; the last is right unless the help closes it
    int Rifiuti;                        // refusals of help after wrong answers before the last step
    bool Aiuto;                         // the problem ends by accepting help
};

struct Ultimo final : OsservatoreEsercizio {
    void EsercizioIniziato(std::int16_t, std::int16_t) override {}
    void ProblemaRisolto(const ProblemaConcluso &problema) override { Problema = problema; }
    void EsercizioFinito(const EsitoEsercizio &) override {}
    void NomeConfermato(const std::string &) override {}
    ProblemaConcluso Problema;
};

std::int16_t Soluzione(const Caso &c)
{
    return c.Num[static_cast<std::size_t>(c.Nascosto - 1)];
}

// Catches: a rebuilt line whose alignment, marks or help sign differ from the
// exercise's own, for every hidden term and one- and two-digit terms.
TEST(RigaResoconto, RicostruitaComeLaScriveLEsercizio)
{
    const std::vector<Caso> casi{
        {"giusta subito", {36, 18, 30, 12}, 2, {"18"}, 0, false},
        {"sbagliata poi giusta", {36, 18, 30, 12}, 1, {"40", "36"}, 1, false},
        {"aiuto accettato", {9, 5, 14, 10}, 3, {"3"}, 0, true},
        {"una cifra, quarto termine", {19, 9, 14, 4}, 4, {"5", "7", "4"}, 2, false},
        {"intervento dopo tre rifiuti", {25, 13, 40, 28}, 4, {"1", "2", "3"}, 3, true},
    };
    for (const Caso &c : casi) {
        SCOPED_TRACE(c.Nome);
        Modulo2 m;
        m.NumeroMin = 1;
        m.NumeroMax = 40;
        prove::SorgenteFinta casuale;
        prove::OrologioFinto orologio;
        casuale.Problema(1, 40, {c.Num[0], c.Num[1], c.Num[2], c.Num[3]}, c.Nascosto);
        Ultimo osservatore;
        m.Osservatore = &osservatore;
        Esercizio e{m, casuale, orologio};
        e.Carica();

        int rifiuti = 0;
        for (const std::string &risposta : c.Risposte) {
            for (char cifra : risposta)
                e.EseguiTasto(cifra - '0');
            e.EseguiTasto(SchermoOperativo::TastoVerifica);
            const bool esatta = risposta == std::to_string(Soluzione(c));
            if (!esatta && rifiuti < c.Rifiuti) {
                e.NoNo();
                ++rifiuti;
            }
        }
        if (c.Aiuto)
            e.SiSi();
        ASSERT_EQ(osservatore.Problema.Termini, c.Num);
        EXPECT_EQ(RigaResoconto(osservatore.Problema),
                  m.ElencoOperazioni.at(static_cast<std::size_t>(m.NumOperazioni)));
    }
}

} // namespace
} // namespace lumivex
