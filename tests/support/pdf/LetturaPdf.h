// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace lumivex::prove {

// A line of text on a PDF page: its words joined by one blank, and the
// top-left corner of its first word in points from the page's top-left.
struct RigaPdf {
    QString Testo;
    double X = 0.0;
    double Y = 0.0;
};

// One word, its box in points from the page's top-left.
struct ParolaPdf {
    QString Testo;
    double X = 0.0;
    double Y = 0.0;
    double Altezza = 0.0;
    double Larghezza = 0.0;
};

struct PaginePdf {
    int Pagine = 0;
    double Larghezza = 0.0; // points
    double Altezza = 0.0;
};

// Read back with poppler's tools; empty results when the file is not a PDF.
std::vector<RigaPdf> RigheDelPdf(const QString &file);
std::vector<ParolaPdf> ParoleDelPdf(const QString &file);
// The words of each page, in page order.
std::vector<std::vector<ParolaPdf>> ParolePerPagina(const QString &file);
// The words whose tops agree within half a point, as lines, top to bottom.
std::vector<RigaPdf> RigheDiParole(std::vector<ParolaPdf> parole);
PaginePdf PagineDelPdf(const QString &file);
QImage ImmagineDelPdf(const QString &file, int dpi);

} // namespace lumivex::prove
