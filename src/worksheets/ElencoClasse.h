// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivex {

// The pupils of a class, one name a line, as typed or as a text or CSV file
// holds them: a byte-order mark, Windows or old Mac line ends, blanks
// around a name and blank lines are dropped; a CSV line's fields (a
// surname and a name, say) become one name joined by a blank, quotes
// removed. Anything that is not UTF-8 text (a NUL, a control character,
// a broken sequence) gives no list.
std::optional<std::vector<std::string>> LeggiElencoClasse(std::string_view testo);

// The longest file taken as a class list: far beyond any class.
inline constexpr std::size_t MassimoByteElenco = 64 * 1024;

} // namespace lumivex
