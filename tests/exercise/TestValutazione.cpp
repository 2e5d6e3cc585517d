// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Modulo2.h"
#include "exercise/Valutazione.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivex {
namespace {

struct Caso {
    std::int16_t esatte;
    std::int16_t operazioni;
    const char *giudizio;
    bool stampabile;
};

class Valutazioni : public ::testing::TestWithParam<Caso> {};

// Catches: a share exactly on a band's boundary given the lower grade; the
// unanswered problem on screen not counted as asked.
TEST_P(Valutazioni, GiudizioEStampabilita)
{
    Modulo2 m;
    m.RisposteEsatte = GetParam().esatte;
    m.NumOperazioni = GetParam().operazioni;
    m.Valutazione = "giudizio precedente";
    EXPECT_EQ(CalcolaValutazione(m), GetParam().stampabile);
    EXPECT_EQ(m.Valutazione, GetParam().giudizio);
    EXPECT_EQ(m.RisposteEsatte, GetParam().esatte) << "the counters are only read";
    EXPECT_EQ(m.NumOperazioni, GetParam().operazioni);
}

INSTANTIATE_TEST_SUITE_P(
    Fasce, Valutazioni,
    ::testing::Values(Caso{20, 20, "OTTIMO", true}, Caso{18, 20, "OTTIMO", true}, Caso{17, 20, "DISTINTO", true},
                      Caso{16, 20, "DISTINTO", true}, Caso{15, 20, "BUONO", true}, Caso{14, 20, "BUONO", true},
                      Caso{13, 20, "SUFFICIENTE", true}, Caso{12, 20, "SUFFICIENTE", true},
                      Caso{11, 20, "SUFFICIENTE (!)", true}, Caso{10, 20, "SUFFICIENTE (!)", true},
                      Caso{9, 20, "Non classificato", false}, Caso{0, 20, "Non classificato", false},
                      Caso{2, 3, "SUFFICIENTE", true}, Caso{0, 1, "Non classificato", false},
                      Caso{0, 0, "Non classificato", false}, Caso{3277, 3277, "Non classificato", false},
                      Caso{3276, 3276, "OTTIMO", true}),
    [](const ::testing::TestParamInfo<Caso> &info) {
        return std::to_string(info.param.esatte) + "Su" + std::to_string(info.param.operazioni);
    });

} // namespace
} // namespace lumivex
