// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/FunzioniCups.h"

#include <dlfcn.h>

namespace lumivex {

namespace {

template <typename F>
bool Prendi(void *libreria, const char *nome, F &funzione, std::string &errore)
{
    void *indirizzo = dlsym(libreria, nome);
    if (indirizzo == nullptr) {
        errore = std::string("missing ") + nome;
        return false;
    }
    funzione = reinterpret_cast<F>(indirizzo);
    return true;
}

} // namespace

CaricamentoCups CaricaFunzioniCups(const char *libreria)
{
    CaricamentoCups esito;
    void *aperta = dlopen(libreria, RTLD_NOW | RTLD_LOCAL);
    if (aperta == nullptr) {
        const char *motivo = dlerror();
        esito.Errore = motivo != nullptr ? motivo : std::string("cannot open ") + libreria;
        return esito;
    }
    FunzioniCups f;
    std::string &e = esito.Errore;
    const bool complete = Prendi(aperta, "cupsCancelJob2", f.cupsCancelJob2, e)
        && Prendi(aperta, "cupsCopyDestInfo", f.cupsCopyDestInfo, e)
        && Prendi(aperta, "cupsCreateJob", f.cupsCreateJob, e) && Prendi(aperta, "cupsDoRequest", f.cupsDoRequest, e)
        && Prendi(aperta, "cupsEncryption", f.cupsEncryption, e)
        && Prendi(aperta, "cupsFinishDocument", f.cupsFinishDocument, e)
        && Prendi(aperta, "cupsFreeDestInfo", f.cupsFreeDestInfo, e)
        && Prendi(aperta, "cupsFreeDests", f.cupsFreeDests, e)
        && Prendi(aperta, "cupsGetDestMediaDefault", f.cupsGetDestMediaDefault, e)
        && Prendi(aperta, "cupsGetDests2", f.cupsGetDests2, e)
        && Prendi(aperta, "cupsGetNamedDest", f.cupsGetNamedDest, e)
        && Prendi(aperta, "cupsGetOption", f.cupsGetOption, e) && Prendi(aperta, "cupsLastError", f.cupsLastError, e)
        && Prendi(aperta, "cupsLastErrorString", f.cupsLastErrorString, e)
        && Prendi(aperta, "cupsServer", f.cupsServer, e)
        && Prendi(aperta, "cupsStartDocument", f.cupsStartDocument, e)
        && Prendi(aperta, "cupsWriteRequestData", f.cupsWriteRequestData, e)
        && Prendi(aperta, "httpClose", f.httpClose, e) && Prendi(aperta, "httpConnect2", f.httpConnect2, e)
        && Prendi(aperta, "httpSetTimeout", f.httpSetTimeout, e) && Prendi(aperta, "ippDelete", f.ippDelete, e)
        && Prendi(aperta, "ippNewRequest", f.ippNewRequest, e) && Prendi(aperta, "ippPort", f.ippPort, e);
    if (!complete) {
        esito.Errore += std::string(" in ") + libreria;
        dlclose(aperta);
        return esito;
    }
    esito.Funzioni = f;
    return esito;
}

const CaricamentoCups &FunzioniCupsDelSistema()
{
    static const CaricamentoCups sistema = CaricaFunzioniCups("libcups.so.2");
    return sistema;
}

} // namespace lumivex
