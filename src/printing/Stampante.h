// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/ACapo.h"
#include "printing/Dispositivo.h"

#include <QImage>

#include <string>
#include <vector>

namespace lumivex {

// How EndDoc's document ended, when it did not fail.
struct FineDocumento {
    enum class Fine {
        Inviato,   // in the printer's hands, or saved as PDF; also when no document was open
        InPausa,   // taken by a paused printer: it waits in the queue
        Annullato, // the user declined to say where to save the PDF: nothing was saved
    };

    Fine Modo = Fine::Inviato;
    std::string Stampante; // the printer it went to
};

// The printing service the page layouts draw on. Positions are twips
// (1/1440 inch) from the top-left corner of the printable area. The first
// output opens a document; EndDoc hands all of it to the printer as one job.
//
// Any operation may throw ErroreStampa. Whatever throws, except the
// read-only queries, has dropped the open document: nothing of it reaches
// the printer.
class Stampante {
public:
    virtual ~Stampante() = default;

    // The installed printers, in the order offered to the user.
    virtual std::vector<Dispositivo> Printers() const = 0;
    virtual std::string DeviceName(const Dispositivo &dispositivo) const = 0;
    // The printer every print of the run goes to until another is set.
    virtual Dispositivo Printer() const = 0;
    // Accepts only a printer of Printers(), and never while a document is open.
    virtual void Printer(const Dispositivo &dispositivo) = 0;

    // The faces the current printer can print with, 0-based.
    virtual int FontCount() const = 0;
    virtual std::string Fonts(int indice) const = 0;

    // These apply to all text printed afterwards, across documents too.
    virtual void FontName(const std::string &nome) = 0;
    virtual void FontSize(double punti) = 0;
    virtual void FontBold(bool grassetto) = 0;

    virtual void CurrentX(double twip) = 0;
    virtual void CurrentY(double twip) = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;

    // The printable area of the page, in twips. Like an output, asking opens
    // the document when none is open: the area is the one of the printer
    // that will print it.
    virtual double ScaleWidth() = 0;
    virtual double ScaleHeight() = 0;

    // The top of the text stands at CurrentY. A line end moves to x = 0 and
    // one line of the current font down; without it CurrentX moves past the text.
    virtual void Print(const std::string &testo, ACapo aCapo) = 0;
    // An empty line: only the position moves.
    virtual void Print() = 0;
    // Drawn with its top-left corner at (x, y), `larghezza` by `altezza`
    // twips.
    virtual void PaintPicture(const QImage &immagine, double x, double y, double larghezza, double altezza) = 0;
    // Ends the page and goes on on a new one of the same document, at
    // (0, 0). Like an output, it opens the document when none is open.
    virtual void NewPage() = 0;
    // Sends the open document as one job; nothing happens when none is open.
    // Whatever it answers or throws, the document is over.
    [[nodiscard]] virtual FineDocumento EndDoc() = 0;
    // Drops the open document, if any: nothing of it is sent.
    virtual void KillDoc() noexcept = 0;

    // The name of the documents that follow: the job's title, the file name
    // proposed when saving as PDF.
    virtual void TitoloDocumento(const std::string &titolo) = 0;
};

} // namespace lumivex
