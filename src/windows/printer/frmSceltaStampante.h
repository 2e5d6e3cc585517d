// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "printing/Dispositivo.h"

#include <memory>
#include <vector>

namespace Ui {
class frmSceltaStampante;
}

namespace lumivex {

class Stampante;

// The choice of the printer every later print of the run goes to.
class frmSceltaStampante : public QWidget {
    Q_OBJECT

public:
    frmSceltaStampante(Stampante &stampante);
    ~frmSceltaStampante() override;

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void ElencaStampanti();
    void MostraPredefinita();
    void Combo1_Click();

    Stampante &stampante_;
    std::unique_ptr<Ui::frmSceltaStampante> ui_;
    std::vector<Dispositivo> elenco_;
    // The list's own first selection at load is not a choice of the user's.
    bool SelezioneVista = false;
    // The print system did not answer the listing: only what needs none is listed.
    bool ElencoParziale = false;
};

} // namespace lumivex
