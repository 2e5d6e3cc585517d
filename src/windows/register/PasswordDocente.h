// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace lumivex::registro {

class LetturaRegistro;

// The teacher's password: kept in the register as an Argon2id string, never
// itself. Wrong tries are counted in the register too, so closing the dialog
// or restarting the program does not give a pupil five more.
class PasswordDocente {
public:
    static constexpr int TentativiPrimaDelBlocco = 5;
    static constexpr int SecondiBlocco = 60;

    enum class Esito { Giusta, Sbagliata, Bloccata, Guasto };

    using Adesso = std::function<QDateTime()>;

    PasswordDocente(LetturaRegistro &registro, Adesso adesso);

    bool Impostata();
    // False when the register would not take it.
    bool Imposta(const QString &password);
    Esito Verifica(const QString &password);
    // Seconds until the lock ends; 0 when not locked.
    int SecondiAlloSblocco();

private:
    int Tentativi();
    void Registra(int tentativi, const QDateTime &bloccoFino);

    LetturaRegistro &registro_;
    Adesso adesso_;
    // What the register could not keep (read-only) is kept for this run.
    int tentativi_ = 0;
    QDateTime bloccoFino_;
};

} // namespace lumivex::registro
