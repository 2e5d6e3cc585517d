// SPDX-License-Identifier: GPL-3.0-or-later
// The font configuration read ahead at start: however the start goes, the
// reading thread is waited for exactly once.
#include "app/CaratteriInAnticipo.h"

#include <gtest/gtest.h>

namespace lumivex {
namespace {

// Catches: the reading thread left running when the program ends before its
// start window (std::terminate at exit), or a second wait joining it again
// (an exception out of the start).
TEST(CaratteriInAnticipo, SiAttendeUnaVoltaComunqueFiniscaLAvvio)
{
    for (int attese = 0; attese <= 2; ++attese) {
        SCOPED_TRACE(attese);
        CaratteriInAnticipo caratteri;
        for (int i = 0; i < attese; ++i)
            EXPECT_NO_THROW(caratteri.Attendi());
    }
}

} // namespace
} // namespace lumivex
