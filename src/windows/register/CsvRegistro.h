// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumivex::registro {

class LetturaRegistro;

// One CSV record as Italian spreadsheet programs read it: fields separated by
// ';', quoted (doubling quotes) when they hold ';', a quote or a line break,
// ended by CRLF.
QString RigaCsv(const QStringList &campi);

// The class in two files of the folder: one row per exercise and one per
// problem, UTF-8 with a BOM. Each file appears whole or not at all. On
// failure `errore` says in Italian what went wrong.
bool EsportaCsv(LetturaRegistro &registro, const QString &cartella, QString *errore);

inline constexpr const char16_t *FileEsercizi = u"registro-esercizi.csv";
inline constexpr const char16_t *FileProblemi = u"registro-problemi.csv";

} // namespace lumivex::registro
