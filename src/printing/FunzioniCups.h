// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>

namespace lumivex {

// The print system's functions the program calls, taken from its library
// when printing is first asked for. Linked, the library and the ones it
// brings (TLS, Kerberos, service discovery) would be loaded and bound before
// the first window, on every start, for a program that mostly never prints.
struct FunzioniCups {
    decltype(&::cupsCancelJob2) cupsCancelJob2 = nullptr;
    decltype(&::cupsCopyDestInfo) cupsCopyDestInfo = nullptr;
    decltype(&::cupsCreateJob) cupsCreateJob = nullptr;
    decltype(&::cupsDoRequest) cupsDoRequest = nullptr;
    decltype(&::cupsEncryption) cupsEncryption = nullptr;
    decltype(&::cupsFinishDocument) cupsFinishDocument = nullptr;
    decltype(&::cupsFreeDestInfo) cupsFreeDestInfo = nullptr;
    decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
    decltype(&::cupsGetDestMediaDefault) cupsGetDestMediaDefault = nullptr;
    decltype(&::cupsGetDests2) cupsGetDests2 = nullptr;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
    decltype(&::cupsGetOption) cupsGetOption = nullptr;
    decltype(&::cupsLastError) cupsLastError = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    decltype(&::cupsServer) cupsServer = nullptr;
    decltype(&::cupsStartDocument) cupsStartDocument = nullptr;
    decltype(&::cupsWriteRequestData) cupsWriteRequestData = nullptr;
    decltype(&::httpClose) httpClose = nullptr;
    decltype(&::httpConnect2) httpConnect2 = nullptr;
    decltype(&::httpSetTimeout) httpSetTimeout = nullptr;
    decltype(&::ippDelete) ippDelete = nullptr;
    decltype(&::ippNewRequest) ippNewRequest = nullptr;
    decltype(&::ippPort) ippPort = nullptr;
};

struct CaricamentoCups {
    std::optional<FunzioniCups> Funzioni;
    std::string Errore; // why not, in the loader's words, when Funzioni is empty
};

// Opens the library `libreria` and takes every function from it; a library
// that lacks one is closed again and reported, never half used. An opened
// library stays loaded: it keeps state of its own for every thread.
CaricamentoCups CaricaFunzioniCups(const char *libreria);

// The system's print library, opened on the first call only (from any
// thread); the same answer ever after.
const CaricamentoCups &FunzioniCupsDelSistema();

} // namespace lumivex
