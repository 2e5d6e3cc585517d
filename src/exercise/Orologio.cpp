#include "exercise/Orologio.h"

#include <chrono>
#include <ctime>
#include <locale>
#include <sstream>
#include <iomanip>

namespace lumivex {

namespace {

std::tm OraLocale(std::time_t istante)
{
    std::tm locale{};
    localtime_r(&istante, &locale);
    return locale;
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
    const std::tm oggi = OraLocale(std::time(nullptr));
    std::ostringstream testo;
    try {
        testo.imbue(std::locale(""));
    } catch (const std::runtime_error &) {
        // An environment naming a locale the machine lacks: the classic form.
    }
    testo << std::put_time(&oggi, "%x");
    return testo.str();
}

} // namespace lumivex
