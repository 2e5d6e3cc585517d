// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivex {

// Whether Print ends the line after the text.
enum class ACapo { Si, No };

} // namespace lumivex
