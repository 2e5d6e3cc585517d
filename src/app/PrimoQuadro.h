// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

class QWidget;

namespace lumivex {

// Runs passo once, on the window's thread, as soon as the window has drawn
// its first frame: work the pupil does not see yet (opening the class
// register, the window icon for the desktop) then never delays what they
// do see. A window that never draws (started hidden, or destroyed first)
// still gets it after limite.
void DopoIlPrimoQuadro(QWidget &finestra, std::function<void()> passo,
                       std::chrono::milliseconds limite = std::chrono::seconds(2));

} // namespace lumivex
