#pragma once

#include "windows/common/ComandiOpzione.h"
#include "windows/common/ScalaProporzionale.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class FrmInizio;
}

namespace lumivex {

struct Modulo2;
class RegistroFinestre;

// The start window: the range choice, "Vai" and "Esci".
class FrmInizio : public QMainWindow {
    Q_OBJECT

public:
    FrmInizio(Modulo2 &modulo, RegistroFinestre &registro);
    ~FrmInizio() override;

    // Unloads the program's windows in a fixed order, leaving the name and
    // certificate windows: the program ends unless one of those is open.
    static void ChiudiTutto(RegistroFinestre &registro);

    // The kind of exercise, as the certificate prints it.
    QString TipoEsercizio() const;

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void SceltaLivello(int indice);
    void EseguiComando(int indice);
    void MostraAutore();

    Modulo2 &m_;
    RegistroFinestre &registro_;
    std::unique_ptr<Ui::FrmInizio> ui_;
    ScalaProporzionale scala_;
    std::unique_ptr<ComandiOpzione> option2_;
    std::unique_ptr<ComandiOpzione> option3_;
};

} // namespace lumivex
