// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Modulo2.h"
#include "windows/common/ComandiOpzione.h"
#include "windows/common/ScalaProporzionale.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class FrmStampaEsercizio;
}

namespace lumivex {

class Stampante;

// The report of an exercise: its log lines and total time, on screen and on
// one printed page.
class FrmStampaEsercizio : public QMainWindow {
    Q_OBJECT

public:
    FrmStampaEsercizio(Modulo2 &modulo, Stampante &stampante);
    ~FrmStampaEsercizio() override;

signals:
    // The menu's printer choice, modal.
    void RichiestaSceltaStampante();
    // "Nome": the pupil's name for the certificate.
    void RichiestaNome();
    // "Attestato": the certificate, maximized.
    void RichiestaAttestato();

private:
    // The commands Option1(0..3), by index.
    enum Comando : int { Esci = 0, StampaResoconto = 1, Nome = 2, Attestato = 3 };

    void EseguiComando(int indice);
    void Stampa();

    Modulo2 &m_;
    Stampante &stampante_;
    std::unique_ptr<Ui::FrmStampaEsercizio> ui_;
    std::array<QLabel *, Modulo2::OperazioniPerEsercizio> lblOp_{};
    ScalaProporzionale scala_;
    std::unique_ptr<ComandiOpzione> option1_;
};

} // namespace lumivex
