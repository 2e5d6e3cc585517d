// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/ComandiOpzione.h"
#include "windows/common/ScalaProporzionale.h"
#include "worksheets/StatoScheda.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QWindow;

namespace Ui {
class FrmStampaSchedeBig;
}

namespace lumivex {

struct Modulo2;
class GeneratoreScheda;
class Orologio;
class SorgenteCasuale;
class Stampante;

// The teacher's worksheets: a sheet of sixty problems shown for the pupils
// or with its answers for the teacher, and printed on one page. The sheet
// lives in StatoScheda, which outlives the window; the window forwards the
// teacher's choices to the generator and shows its lines.
class FrmStampaSchedeBig : public QMainWindow {
    Q_OBJECT

public:
    FrmStampaSchedeBig(Modulo2 &modulo, StatoScheda &scheda, Stampante &stampante, SorgenteCasuale &casuale,
                       Orologio &orologio);
    ~FrmStampaSchedeBig() override;

    // Empties the sixty lines on screen and hides both print buttons; the
    // sheet itself is kept.
    void CancellaScheda();

signals:
    // The menu "Scelta della Stampante": the printer choice, modal.
    void RichiestaSceltaStampante();

protected:
    bool event(QEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void SceltaLivello(int indice);
    void LeggiOpzioni();
    void MostraRighe();
    void ApplicaCodice();
    // The class list: saved as typed, and the number of copies follows it.
    std::vector<std::string> Classe() const;
    void ClasseCambiata();
    void CopieDellaClasse();
    void ScegliFileClasse();
    void LeggiFileClasse(const QString &percorso);
    void Stampa(const std::vector<StatoScheda> &pagine, const char *piePagina);
    void FinestraAttiva(QWindow *finestra);

    Modulo2 &m_;
    StatoScheda &s_;
    Stampante &stampante_;
    std::unique_ptr<GeneratoreScheda> generatore_;
    std::unique_ptr<Ui::FrmStampaSchedeBig> ui_;
    std::array<QLabel *, StatoScheda::RigheScheda> lblOp_{};
    ScalaProporzionale scala_;
    std::unique_ptr<ComandiOpzione> option2_;

    // Where the program's focus was before this window took it: only a
    // return from another window of the program clears the sheet, not one
    // from a message box, a file dialog or another application.
    enum class Provenienza { Nessuna, Finestra, Dialogo };
    Provenienza provenienza_ = Provenienza::Finestra;
};

} // namespace lumivex
