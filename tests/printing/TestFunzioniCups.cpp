// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the print library when printing is first asked for: a library that
// is missing or is not the print system's is reported, never half used.
#include "printing/FunzioniCups.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using namespace lumivex;

bool Complete(const FunzioniCups &f)
{
    return f.cupsCancelJob2 && f.cupsCopyDestInfo && f.cupsCreateJob && f.cupsDoRequest && f.cupsEncryption
        && f.cupsFinishDocument && f.cupsFreeDestInfo && f.cupsFreeDests && f.cupsGetDestMediaDefault
        && f.cupsGetDests2 && f.cupsGetNamedDest && f.cupsGetOption && f.cupsLastError && f.cupsLastErrorString
        && f.cupsServer && f.cupsStartDocument && f.cupsWriteRequestData && f.httpClose && f.httpConnect2
        && f.httpSetTimeout && f.ippDelete && f.ippNewRequest && f.ippPort;
}

// Catches: a library that is missing, or lacks a function, handed out with
// null pointers to call (a crash at the first print) or reported without
// saying what was missing; the real library not opened or a function left out.
TEST(FunzioniCups, SoloUnaLibreriaCompletaVieneUsata)
{
    struct Caso {
        const char *Libreria;
        bool Usabile;
        std::string NelMotivo;
    };
    const Caso casi[] = {
        {"libcups.so.2", true, ""},
        {"liblumivex-inesistente.so.7", false, "liblumivex-inesistente.so.7"},
        {"libc.so.6", false, "missing cupsCancelJob2 in libc.so.6"},
    };
    for (const Caso &caso : casi) {
        SCOPED_TRACE(caso.Libreria);
        const CaricamentoCups esito = CaricaFunzioniCups(caso.Libreria);
        ASSERT_EQ(esito.Funzioni.has_value(), caso.Usabile) << esito.Errore;
        if (caso.Usabile) {
            EXPECT_TRUE(Complete(*esito.Funzioni));
            EXPECT_NE(esito.Funzioni->cupsServer(), nullptr);
        } else {
            EXPECT_NE(esito.Errore.find(caso.NelMotivo), std::string::npos) << esito.Errore;
        }
    }
}

// Catches: the library opened again by each thread that prints (a race on
// its loading, or answers that differ between threads).
TEST(FunzioniCups, OgniThreadHaLaStessaLibreria)
{
    const CaricamentoCups *altro = nullptr;
    std::thread([&altro] { altro = &FunzioniCupsDelSistema(); }).join();
    const CaricamentoCups &qui = FunzioniCupsDelSistema();
    EXPECT_EQ(altro, &qui);
    ASSERT_TRUE(qui.Funzioni.has_value()) << qui.Errore;
    EXPECT_TRUE(Complete(*qui.Funzioni));
}

} // namespace
