// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ParametriServer.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace lumivex::registro {

// The teacher's role on the school's register: `docente` in the settings'
// database, its password asked each time and never kept.
inline constexpr char RuoloDocente[] = "lumivex_docente";

// Opens the teacher's connection (named `nome`, on the calling thread; a
// server that does not answer costs a few seconds). Invalid or closed on
// failure, with an Italian sentence in *messaggio.
QSqlDatabase ApriServerDocente(const ParametriServer &parametri, const QString &password, const QString &nome,
                               QString *messaggio);

// One pupil of the class as the server knows it.
struct AlunnoServer {
    QString Nome;   // as first typed; "(senza nome)" for the exercises with no name
    QString Chiave; // empty for those with no name
    int Esercizi = 0;
    QString Ultimo; // start of the latest exercise
};

// The whole class, by name. False, with the driver's words, when the server
// refuses.
bool LeggiClasse(const QSqlDatabase &server, QList<AlunnoServer> *classe, QString *errore);

} // namespace lumivex::registro
