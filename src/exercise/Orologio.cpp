// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Orologio.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <locale.h>
#include <string_view>

namespace lumivex {

namespace {

std::tm OraLocale(std::time_t istante)
{
    std::tm locale{};
    localtime_r(&istante, &locale);
    return locale;
}

// The locale that governs dates: the first non-empty of LC_ALL, LC_TIME and
// LANG, the order in which the C library looks.
std::string_view NomeLocaleDate()
{
    for (const char *variabile : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char *valore = std::getenv(variabile);
        if (valore != nullptr && *valore != '\0') {
            return valore;
        }
    }
    return {};
}

// The C locale is no regional setting at all: its month-first form with a
// two-digit year ("12/08/26") would only mislead the certificate's readers.
bool LocaleNeutra(std::string_view nome)
{
    return nome.empty() || nome == "C" || nome == "POSIX" || nome.starts_with("C.");
}

// An empty result only if the text outgrows the buffer, which no date does.
template <class Scrivi>
std::string Testo(Scrivi scrivi)
{
    std::array<char, 64> testo{};
    return {testo.data(), scrivi(testo.data(), testo.size())};
}

} // namespace

float OrologioDiSistema::SecondiDaMezzanotte()
{
    using namespace std::chrono;
    const auto adesso = system_clock::now();
    const std::tm ora = OraLocale(system_clock::to_time_t(adesso));
    const auto frazione = duration_cast<microseconds>(adesso.time_since_epoch()) % seconds(1);
    const double secondi = ora.tm_hour * 3600.0 + ora.tm_min * 60.0 + ora.tm_sec
        + static_cast<double>(frazione.count()) / 1e6;
    return static_cast<float>(secondi);
}

double OrologioDiSistema::SecondiMonotoni()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string OrologioDiSistema::DataBreve()
{
    return DataBreveDi(OraLocale(std::time(nullptr)));
}

std::string DataBreveDi(const std::tm &giorno)
{
    const std::string nome(NomeLocaleDate());
    if (!LocaleNeutra(nome)) {
        if (const locale_t locale = newlocale(LC_TIME_MASK, nome.c_str(), locale_t{}); locale != locale_t{}) {
            std::string data = Testo([&](char *testo, std::size_t spazio) {
                return strftime_l(testo, spazio, "%x", &giorno, locale);
            });
            freelocale(locale);
            return data;
        }
    }
    return Testo([&](char *testo, std::size_t spazio) { return std::strftime(testo, spazio, "%d/%m/%Y", &giorno); });
}

} // namespace lumivex
