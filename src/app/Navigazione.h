// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivex {

struct Modulo2;
struct StatoScheda;
class Orologio;
class RegistroFinestre;
class SorgenteCasuale;
class Stampante;

namespace registro {
class InvioServer;
}

// Gives the registry a factory for every window of the program, and wires
// each window's requests for another window to the registry as it is
// built. The windows know nothing of one another: a new one touches only
// its own folder and this wiring. Everything passed in must outlive the
// registry's windows. `invio` is null when no school server is set.
void RegistraFinestre(RegistroFinestre &registro, Modulo2 &stato, StatoScheda &schede, SorgenteCasuale &casuale,
                      Orologio &orologio, Stampante &stampante, registro::InvioServer *invio = nullptr);

// Unloads the program's windows in a fixed order, leaving the name and
// certificate windows: the program ends unless one of those is open.
void ChiudiTutto(RegistroFinestre &registro);

} // namespace lumivex
