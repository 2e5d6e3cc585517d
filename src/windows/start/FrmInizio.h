// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/ComandiOpzione.h"
#include "windows/common/FiguraAnticipata.h"
#include "windows/common/ScalaProporzionale.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class FrmInizio;
}

namespace lumivex {

struct Modulo2;

// The start window: the range choice, "Vai" and "Esci". The windows it leads
// to are the application's to open.
class FrmInizio : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmInizio(Modulo2 &modulo);
    ~FrmInizio() override;

    // The kind of exercise its label shows, from the shared state.
    QString TipoEsercizio() const;

signals:
    // A range was chosen; testo names it. The exercise window takes it in,
    // loaded hidden if it is not yet, before the focus moves to "Vai".
    void LivelloScelto(const QString &testo);
    // "Vai": the exercise window, maximized and active.
    void RichiestaEsercizio();
    void RichiestaAutore();
    // "Stampa schede": the teacher's worksheet window.
    void RichiestaSchede();
    // "Registro": the teacher's register, behind the teacher's password.
    void RichiestaRegistro();
    // "Esci" or the close box: the program's windows close.
    void RichiestaUscita();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    // The commands Option3(0..1), by index.
    enum Comando : int { Vai = 0, Esci = 1 };

    void SceltaLivello(int indice);
    void EseguiComando(int indice);

    Modulo2 &m_;
    std::unique_ptr<Ui::FrmInizio> ui_;
    ScalaProporzionale scala_;
    std::unique_ptr<FiguraAnticipata> figura_;
    std::unique_ptr<ComandiOpzione> option2_;
    std::unique_ptr<ComandiOpzione> option3_;
};

} // namespace lumivex
