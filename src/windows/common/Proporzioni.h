// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivex {

// Where a control stands as fractions of its window's client size, taken
// when the window loads.
struct Proporzioni {
    float Larghezza = 0.0F; // width / client width
    float Altezza = 0.0F;   // height / client height
    float Alto = 0.0F;      // top in its container / client height
    float Sinistra = 0.0F;  // left in its container / client width
};

} // namespace lumivex
