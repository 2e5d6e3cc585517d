// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lumivex {

struct Modulo2;
struct StatoScheda;
class SorgenteCasuale;
class Orologio;

// Draws worksheets of fourth-term problems and builds their pupil and teacher
// lines. It reads the range from the shared state and writes only the
// worksheet's own state, so an exercise in progress is left as it was. The
// random source decides every problem; the clock only feeds its reseeds.
class GeneratoreScheda {
public:
    GeneratoreScheda(Modulo2 &modulo, StatoScheda &stato, SorgenteCasuale &casuale, Orologio &orologio);

    // Applies range `indice` (0..2) to NumeroMin, NumeroMax and TestoLivello;
    // any other index changes nothing and gives false.
    bool SceltaLivello(int indice);

    // One problem, stored at the worksheet's Indice.
    void GeneraSot();
    // Pads the four terms, then builds the lines at Indice.
    void AllineaScheda();
    // Draws the hidden term and stores the two lines at `indice` (0..65).
    void CostruisciRiga(int indice);

    // A new sheet with the options chosen now; the pupil lines become the
    // lines shown.
    void VisualizzaSchedaAlunni();
    // The teacher lines of the sheet last drawn become the lines shown.
    void VisualizzaSchedaDocenti();

private:
    Modulo2 &m_;
    StatoScheda &s_;
    SorgenteCasuale &casuale_;
    Orologio &orologio_;
};

} // namespace lumivex
