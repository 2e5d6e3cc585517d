// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Esercizio.h"
#include "windows/common/ComandiOpzione.h"
#include "windows/common/ScalaProporzionale.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace Ui {
class FrmOperativo;
}

namespace lumivex {

struct Modulo2;
class LineaCroce;
class Orologio;
class SorgenteCasuale;

// The exercise window. It draws the exercise's screen model and turns the
// pupil's mouse and keys into the exercise's commands; the drill's rules all
// live in Esercizio.
class FrmOperativo : public QMainWindow {
    Q_OBJECT

public:
    FrmOperativo(Modulo2 &modulo, SorgenteCasuale &casuale, Orologio &orologio);
    ~FrmOperativo() override;

    // Label2: the range chosen on the start window. An exercise not shown
    // yet starts over in that range.
    void MostraLivello(const QString &testo);

    const Esercizio &EsercizioInCorso() const { return esercizio_; }

signals:
    // "Stampa" on the notice, or the menu: the report of this exercise.
    void RichiestaStampaEsercizio();

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void Esegui(void (Esercizio::*comando)());
    void EseguiTasto(int indice);
    bool TastoTastierino(int tasto, bool tastierinoNumerico);
    void ComandoAvviso(int indice);

    void Disegna();
    void ApplicaFuoco();
    QWidget *Riquadro(Pannello pannello) const;
    QPushButton *Tasto(int indice) const;
    void PosizionaCroci();
    void AllineaPannelli();
    void PosizionaCorrezione();

    Modulo2 &m_;
    std::unique_ptr<Ui::FrmOperativo> ui_;
    Esercizio esercizio_;
    std::array<QLabel *, 4> termini_{};
    std::array<LineaCroce *, 4> line1_{};
    std::array<LineaCroce *, 4> line2_{};
    unsigned richiesteFuocoEseguite_ = 0;
    ScalaProporzionale scala_;
    std::unique_ptr<ComandiOpzione> option2_;
    std::unique_ptr<ComandiOpzione> option3_;
    std::unique_ptr<ComandiOpzione> optAvviso_;
    std::unique_ptr<ComandiOpzione> optOK_;
};

} // namespace lumivex
