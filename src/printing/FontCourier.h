// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/Stampante.h"

#include <optional>
#include <string>

namespace lumivex {

// The first of the printer's fonts, in its own order, named exactly
// "Courier New" or "Courier". None also when the list cannot be read.
std::optional<std::string> CercaFontCourier(const Stampante &stampante);

} // namespace lumivex
