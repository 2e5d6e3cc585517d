// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/register/LetturaRegistro.h"
#include "windows/register/PasswordDocente.h"

#include <QMainWindow>

#include <memory>

class QComboBox;
class QLabel;
class QTreeWidgetItem;

namespace Ui {
class FrmRegistro;
}

namespace lumivex {

class Stampante;
struct Grafici;

namespace registro {
class InvioServer;
class RegistroSqlite;
}

// The teacher's register: the pupils, one pupil's exercises and problems,
// charts of their progress, the class grid; printing, CSV export, merging
// names, deletions, recording on or off. Nothing shows before the teacher's
// password is given.
class FrmRegistro : public QMainWindow {
    Q_OBJECT

public:
    // `invio` is this PC's sender to the school's server, null when none is
    // set; when given, it must outlive the window. `grafici` draws the
    // charts; without it the charts' tab says why (`senzaGrafici`).
    FrmRegistro(Stampante &stampante, const QString &percorso, registro::PasswordDocente::Adesso adesso,
                registro::InvioServer *invio = nullptr, const Grafici *grafici = nullptr,
                const QString &senzaGrafici = {});
    ~FrmRegistro() override;

    // Asks the password (setting it the first time), then shows the register
    // maximized; a register that cannot be read is told and the window closes.
    void Apri();

    // The menu's commands once their questions are answered; those that
    // delete ask for confirmation first. The key is a pupil's (empty: the
    // exercises without a name).
    void EsportaIn(const QString &cartella);
    void Unisci(const QString &chiaveDa, const QString &chiaveA);
    void CancellaAlunno(const QString &chiave);
    void CancellaTutto();
    void StampaAlunno(const QString &chiave);
    // The pupils' names, as listed, become the worksheet window's class.
    void UsaComeClasseSchede();
    // Shows one pupil's exercises and charts, as a click on the list does.
    void ScegliAlunno(const QString &chiave);
    // The "Scuola" choice once its password is typed: the whole class from
    // the school's server, read only. False, told why, keeping this PC's view.
    bool ApriScuola(const QString &password);

signals:
    // The printer choice, modal.
    void RichiestaSceltaStampante();

private:
    void Aggiorna();
    void MostraAlunni(const QList<registro::RigaAlunno> &alunni);
    void MostraEsercizi(const QString &chiave);
    void MostraGrafici(const QString &chiave);
    void MostraClasse();
    void ApriEsercizio(QTreeWidgetItem *voce);
    QString ChiaveScelta() const;
    QString NomeDi(const QString &chiave) const;
    bool Conferma(const QString &domanda);
    void Guasto(const QString &cosa);
    void ChiediEsportazione();
    void ChiediUnione();
    void Registrazione(bool attiva);
    void MostraInvio();
    void ScegliFonte(int indice);
    void ChiudiScuola();
    // Where the lists are read: the school's server once opened, else this PC.
    registro::LetturaRegistro &Fonte();

    Stampante &stampante_;
    std::unique_ptr<Ui::FrmRegistro> ui_;
    std::unique_ptr<registro::RegistroSqlite> registro_;
    std::unique_ptr<registro::LetturaRegistro> lettura_;
    std::unique_ptr<registro::PasswordDocente> password_;
    QList<registro::RigaAlunno> alunni_;
    registro::InvioServer *invio_;
    const Grafici *grafici_;
    QLabel *lblServer_ = nullptr;
    QComboBox *cmbFonte_ = nullptr;
    std::unique_ptr<registro::LetturaRegistro> letturaScuola_;
};

} // namespace lumivex
