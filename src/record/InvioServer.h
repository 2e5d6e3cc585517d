// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ParametriServer.h"

#include <QObject>
#include <QString>

#include <chrono>

class QSqlDatabase;

namespace lumivex::registro {

class FiloInvio;

// Sends what this PC recorded to the school's register, in the background.
// Everything is on a thread of its own (its own connection to the local
// register, its own connection to the server), so a server that is down,
// slow or silent never holds up the pupil: at worst that thread waits.
// Rows go with INSERT ... ON CONFLICT DO NOTHING, a batch per transaction,
// and are marked sent locally only after the server committed them: a row
// sent twice is stored once, a row never confirmed goes again.
//
// It tries when started, whenever Sollecita() is called (after each settled
// problem) and every `intervallo`.
class InvioServer : public QObject {
    Q_OBJECT
public:
    InvioServer(const ParametriServer &parametri, const QString &percorsoRegistro,
                std::chrono::milliseconds intervallo = std::chrono::minutes(1), QObject *genitore = nullptr);
    // Waits a few seconds at most for a send in progress; a thread still
    // stuck in the network after that is left to end with the program.
    ~InvioServer() override;

    InvioServer(const InvioServer &) = delete;
    InvioServer &operator=(const InvioServer &) = delete;

    // Asks for a try as soon as the thread is free; returns at once, and
    // many requests while one try runs make one more try.
    void Sollecita();

    // True until a try fails; then the Italian sentence says why.
    bool Raggiungibile() const { return raggiungibile_; }
    const QString &Messaggio() const { return messaggio_; }

    // How many of this PC's exercises have something not yet on the server;
    // -1 when the register cannot be read.
    static int EserciziInAttesa(const QSqlDatabase &registro);

    // Where it sends: the teacher's window reads the class there.
    const ParametriServer &Parametri() const { return parametri_; }

signals:
    // Only when it changes: a server down for an hour says so once.
    void StatoCambiato(bool raggiungibile, const QString &messaggio);
    // After each try, the exercises still waiting.
    void Inviati(int eserciziInAttesa);

private:
    void Aggiorna(bool raggiungibile, const QString &messaggio);

    const ParametriServer parametri_;
    FiloInvio *filo_;
    bool raggiungibile_ = true;
    QString messaggio_;
};

} // namespace lumivex::registro
