#include "printing/CodaCups.h"

#include "printing/ErroreStampa.h"

#include <cups/cups.h>

namespace lumivex {

namespace {

const std::string NonStampata = ": la pagina non è stata stampata.";

bool ServizioRaggiungibile()
{
    http_t *collegamento = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (collegamento == nullptr) {
        return false;
    }
    httpClose(collegamento);
    return true;
}

ErroreStampa ErroreDaCups(const std::string &stampante)
{
    const ipp_status_t codice = cupsLastError();
    // A server that went away mid-request shows up under several codes.
    if (codice == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || !ServizioRaggiungibile()) {
        return ErroreStampa("Il servizio di stampa non risponde" + NonStampata);
    }
    switch (codice) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return ErroreStampa("La stampante \"" + stampante + "\" non è più installata" + NonStampata);
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED:
        return ErroreStampa("La stampante \"" + stampante + "\" non accetta stampe in questo momento" + NonStampata);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return ErroreStampa("Non hai il permesso di stampare sulla stampante \"" + stampante + "\"" + NonStampata);
    default:
        return ErroreStampa("La stampante \"" + stampante + "\" non ha accettato la pagina (errore "
                            + std::to_string(static_cast<int>(codice)) + ")" + NonStampata);
    }
}

} // namespace

void CodaCups::VerificaStampante(const std::string &stampante)
{
    cups_dest_t *destinazione = cupsGetNamedDest(CUPS_HTTP_DEFAULT, stampante.c_str(), nullptr);
    if (destinazione != nullptr) {
        cupsFreeDests(1, destinazione);
        return;
    }
    // libcups answers "no such printer" for a server it cannot reach too.
    if (!ServizioRaggiungibile()) {
        throw ErroreStampa("Il servizio di stampa non risponde" + NonStampata);
    }
    throw ErroreStampa("La stampante \"" + stampante + "\" non è più installata" + NonStampata);
}

void CodaCups::Invia(const std::string &stampante, const std::string &filePdf, const std::string &titolo)
{
    if (cupsPrintFile2(CUPS_HTTP_DEFAULT, stampante.c_str(), filePdf.c_str(), titolo.c_str(), 0, nullptr) == 0) {
        throw ErroreDaCups(stampante);
    }
}

} // namespace lumivex
