// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class QSqlDatabase;

namespace lumivex::registro {

// "LMVX": a file that carries any other id is not a register of ours.
inline constexpr std::int32_t IdApplicazione = 0x4C4D5658;

// One step of the register's history: the statements that take a register
// from the version equal to its index in the list to the next one. Step 0
// builds the first schema on an empty file, so version N is the list's
// length and a new version is one more entry.
using PassoSchema = QStringList;

const QList<PassoSchema> &Migrazioni();

inline constexpr int VersioneSchema = 1;

// Brings a register from `daVersione` to passi.size() in one transaction,
// stamping user_version (and the application id) with it, so a register is
// never left half way. On failure rolls back and gives the driver's error.
bool PortaAllaVersione(QSqlDatabase &db, int daVersione, const QList<PassoSchema> &passi, QString *errore,
                       QString *codiceNativo);

} // namespace lumivex::registro
