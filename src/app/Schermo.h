// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace lumivex {

// Whether there is a display to open, asked before the toolkit is started:
// without one it would abort with a message of its own, and a pupil's
// teacher gets one plain line instead. A platform chosen through
// QT_QPA_PLATFORM, a Wayland session or a remote X display are taken on
// trust; a local X display (":0", "unix:0.0") must answer on its socket.
bool SchermoDisponibile();

// The same, with the environment and the folder of the X sockets given.
using LetturaAmbiente = std::function<std::string(const char *nome)>;
bool SchermoDisponibile(const LetturaAmbiente &ambiente, const std::string &cartellaSocketX);

} // namespace lumivex
