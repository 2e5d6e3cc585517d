// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lumivex {

struct Modulo2;
struct SchermoOperativo;
class SorgenteCasuale;
class Orologio;

// Makes one fourth-term problem, shows it with one term hidden and writes its
// line into the exercise log. Calling order: Genera1, AllineaNumeri,
// Visualizza1, ChiudiRiga.
class Generatore {
public:
    Generatore(Modulo2 &modulo, SchermoOperativo &schermo, SorgenteCasuale &casuale, Orologio &orologio);

    void Genera1();
    void AllineaNumeri();
    void Visualizza1();
    void ChiudiRiga();

    // The problem's start time, taken by Visualizza1 and again if the window
    // comes into view before the problem is answered: OraInizio as a time of
    // day, and a reading of the monotonic clock that answers are measured
    // from.
    void AvviaCronometro();
    double InizioRisposta() const { return inizioRisposta_; }

private:
    Modulo2 &m_;
    SchermoOperativo &schermo_;
    SorgenteCasuale &casuale_;
    Orologio &orologio_;
    double inizioRisposta_ = 0.0;
};

} // namespace lumivex
