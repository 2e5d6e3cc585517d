// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/ComandiOpzione.h"
#include "windows/common/ScalaProporzionale.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace Ui {
class FrmAttestato;
}

namespace lumivex {

struct Modulo2;
class Orologio;
class Stampante;

// The certificate of merit for the current exercise. Its load capitalises
// the pupil's name and grades the exercise; then the certificate is drawn
// line by line on Picture1, letting the pupil's commands run between the
// lines. What is drawn stays in an image, which printing puts on the page.
class FrmAttestato : public QWidget {
    Q_OBJECT

public:
    // A line as it was drawn on Picture1: its top-left corner in pixels.
    struct Riga {
        QString Testo;
        QFont Carattere;
        QColor Colore;
        QPointF Posizione;
    };

    // tipoEsercizio is the kind of exercise the start window names, drawn
    // on line 5.
    FrmAttestato(Modulo2 &modulo, Stampante &stampante, Orologio &orologio, QString tipoEsercizio);
    ~FrmAttestato() override;

    // The commands Option5(0..2), by index.
    enum Comando : int { ComandoStampa = 0, ComandoChiudi = 1, ComandoFineSessione = 2 };

    bool DisegnoCompleto() const { return completo_; }
    const QImage &Immagine() const { return immagine_; }
    const std::vector<Riga> &Righe() const { return righe_; }

signals:
    // "FINE SESSIONE": the program's other windows close; this one stays
    // and its drawing goes on to the end.
    void RichiestaFineSessione();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void EseguiComando(int indice);
    void DisegnaAttestato();
    QString TestoRiga(int riga) const;
    bool RigaCentrata(const QString &testo, const QFont &carattere, const QColor &colore);
    void RigheVuote(int quante, const QFont &carattere);
    void PreparaImmagine();
    void Stampa();

    Modulo2 &m_;
    Stampante &stampante_;
    QString tipoEsercizio_;
    // Read once, so the line drawn and the name a reader hears agree.
    QString data_;
    std::unique_ptr<Ui::FrmAttestato> ui_;
    ScalaProporzionale scala_;
    std::unique_ptr<ComandiOpzione> option5_;

    bool stampabile_ = false;
    bool completo_ = false;
    // Unloaded while the drawing was under way: the drawing stops.
    bool scaricata_ = false;
    // Printing asked for before the last line: it runs once the drawing ends.
    bool stampaRichiesta_ = false;
    QImage immagine_;
    double y_ = 0.0;
    std::vector<Riga> righe_;
};

} // namespace lumivex
