// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/ElencoClasse.h"

namespace lumivex {

namespace {

// Whether `testo` is well-formed UTF-8 with no control character but tab
// and the line ends.
bool TestoUtf8(std::string_view testo)
{
    for (std::size_t i = 0; i < testo.size();) {
        const auto c = static_cast<unsigned char>(testo[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
                return false;
            }
            ++i;
            continue;
        }
        const std::size_t seguito = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (seguito == 0 || i + seguito >= testo.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= seguito; ++k) {
            if ((static_cast<unsigned char>(testo[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        // Overlong forms, surrogates and values past U+10FFFF.
        const auto secondo = static_cast<unsigned char>(testo[i + 1]);
        if ((c == 0xE0 && secondo < 0xA0) || (c == 0xED && secondo >= 0xA0) || (c == 0xF0 && secondo < 0x90) ||
            (c == 0xF4 && secondo >= 0x90)) {
            return false;
        }
        i += seguito + 1;
    }
    return true;
}

std::string SenzaBordi(std::string_view testo)
{
    const auto inizio = testo.find_first_not_of(" \t");
    if (inizio == std::string_view::npos) {
        return {};
    }
    return std::string(testo.substr(inizio, testo.find_last_not_of(" \t") - inizio + 1));
}

// A CSV line's fields, quotes undone ("" inside quotes is one quote),
// joined by a blank; separators are ';', ',' and tab.
std::string Nome(std::string_view riga)
{
    std::vector<std::string> campi(1);
    bool traVirgolette = false;
    for (std::size_t i = 0; i < riga.size(); ++i) {
        const char c = riga[i];
        if (c == '"') {
            if (traVirgolette && i + 1 < riga.size() && riga[i + 1] == '"') {
                campi.back() += '"';
                ++i;
            } else {
                traVirgolette = !traVirgolette;
            }
        } else if (!traVirgolette && (c == ';' || c == ',' || c == '\t')) {
            campi.emplace_back();
        } else {
            campi.back() += c;
        }
    }
    std::string nome;
    for (const std::string &campo : campi) {
        const std::string pulito = SenzaBordi(campo);
        if (!pulito.empty()) {
            nome += (nome.empty() ? "" : " ") + pulito;
        }
    }
    return nome;
}

} // namespace

std::optional<std::vector<std::string>> LeggiElencoClasse(std::string_view testo)
{
    if (testo.starts_with("\xEF\xBB\xBF")) {
        testo.remove_prefix(3);
    }
    if (testo.size() > MassimoByteElenco || !TestoUtf8(testo)) {
        return std::nullopt;
    }
    std::vector<std::string> nomi;
    while (!testo.empty()) {
        const auto fine = testo.find_first_of("\r\n");
        const std::string nome = Nome(testo.substr(0, fine));
        if (!nome.empty()) {
            nomi.push_back(nome);
        }
        if (fine == std::string_view::npos) {
            break;
        }
        testo.remove_prefix(fine + 1);
    }
    return nomi;
}

} // namespace lumivex
