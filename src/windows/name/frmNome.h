// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/ComandiOpzione.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class frmNome;
}

namespace lumivex {

struct Modulo2;

// The name entry. There is no text box: letters are typed while "AVANTI"
// holds the focus and appear in lblNome, whose "?" is the empty state.
// NomeAlunno always holds what the label shows. The frame that fills the
// window is fraNome: Qt cannot give it the window's own name.
class frmNome : public QWidget {
    Q_OBJECT

public:
    frmNome(Modulo2 &modulo);
    ~frmNome() override;

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void TastoNome(int tasto);
    void CambiaNome(const QString &nome);

    Modulo2 &m_;
    std::unique_ptr<Ui::frmNome> ui_;
    QString nomeVuoto_;
    std::unique_ptr<ComandiOpzione> option4_;
};

} // namespace lumivex
