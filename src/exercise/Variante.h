// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <variant>

namespace lumivex {

// A value that is empty, a 16-bit integer or a single-precision real: the
// timing values change type as they are computed (a reset stores the
// integer 0, a measured time is a real).
using Variante = std::variant<std::monostate, std::int16_t, float>;

// The numeric value, 0 for empty.
float ValoreNumerico(const Variante &v);

} // namespace lumivex
