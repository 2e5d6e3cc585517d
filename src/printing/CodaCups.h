#pragma once

#include <string>

namespace lumivex {

// The few calls made to CUPS directly rather than through Qt: Qt hands its
// jobs to CUPS without looking at the answer, and a job that never arrived
// must not pass for printed.
class CodaCups {
public:
    // Throws ErroreStampa unless the print system knows the printer now.
    static void VerificaStampante(const std::string &stampante);

    // Hands the PDF file to the printer as one job. Throws ErroreStampa when
    // the print system does not take it.
    static void Invia(const std::string &stampante, const std::string &filePdf, const std::string &titolo);
};

} // namespace lumivex
