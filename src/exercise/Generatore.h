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
    static constexpr int ColonnaRisposta = 35;

    Generatore(Modulo2 &modulo, SchermoOperativo &schermo, SorgenteCasuale &casuale, Orologio &orologio);

    void Genera1();
    void AllineaNumeri();
    void Visualizza1();
    void ChiudiRiga();

private:
    Modulo2 &m_;
    SchermoOperativo &schermo_;
    SorgenteCasuale &casuale_;
    Orologio &orologio_;
};

} // namespace lumivex
