// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/exercise/FrmOperativo.h"

#include "ui_FrmOperativo.h"

#include "exercise/Modulo2.h"
#include "qt/Testo.h"
#include "windows/common/Accessibilita.h"
#include "windows/exercise/LineaCroce.h"

#include <QPalette>
#include <QShowEvent>

namespace lumivex {

namespace {

QColor InQt(Colore c)
{
    return QColor(c.r, c.g, c.b);
}

void ImpostaTesto(QLabel &etichetta, const Etichetta &modello)
{
    const QString testo = DaStd(modello.Caption);
    if (etichetta.text() != testo) {
        etichetta.setText(testo);
    }
}

// A "?" read aloud is a question mark: the hidden term says what it is,
// and keeps saying so once the pupil has written a number in it.
void NominaTermine(QLabel &etichetta, const Etichetta &modello)
{
    if (modello.Testo != ColoreTermineNascosto) {
        etichetta.setAccessibleName(QString());
        etichetta.setAccessibleDescription(QString());
        return;
    }
    etichetta.setAccessibleName(modello.Caption == SchermoOperativo::Incognita
                                    ? QStringLiteral("Termine da trovare")
                                    : QStringLiteral("Termine da trovare: ") + DaStd(modello.Caption));
    etichetta.setAccessibleDescription(QStringLiteral("Scrivi il numero che manca con il tastierino o la tastiera"));
}

} // namespace

FrmOperativo::FrmOperativo(Modulo2 &modulo, SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , ui_(std::make_unique<Ui::FrmOperativo>())
    , esercizio_(modulo, casuale, orologio)
{
    ui_->setupUi(this);
    termini_ = {ui_->lblNumero1, ui_->lblNumero2, ui_->lblNumero3, ui_->lblNumero4};
    for (std::size_t k = 0; k < termini_.size(); ++k) {
        line1_[k] = new LineaCroce(LineaCroce::Verso::Discendente, ui_->fraNumero);
        line2_[k] = new LineaCroce(LineaCroce::Verso::Ascendente, ui_->fraNumero);
        line1_[k]->setObjectName(QStringLiteral("Line1_%1").arg(k));
        line2_[k]->setObjectName(QStringLiteral("Line2_%1").arg(k));
        for (LineaCroce *linea : {line1_[k], line2_[k]}) {
            ScalaProporzionale::SegnaComeLinea(*linea);
            linea->hide();
        }
        // Two strokes make one cross: a screen reader says it once.
        ImpostaRuoloLetto(*line1_[k], QAccessible::Graphic);
        line1_[k]->setAccessibleName(QStringLiteral("Croce: risposta sbagliata"));
        line1_[k]->setAccessibleDescription(QStringLiteral("Il numero scritto in questo termine non è giusto"));
        NascondiAiLettori(*line2_[k]);
    }

    scala_.RegistraProporzioni(*this);
    scala_.ImpostaDopoApplicazione([this] {
        PosizionaCroci();
        AllineaPannelli();
        PosizionaCorrezione();
    });

    option2_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option2"), ColoriArancio,
                                                0, [this](int indice) { EseguiTasto(indice); });
    option2_->ImpostaGestoreTasti(
        [this](int, int tasto, bool tastierino) { return TastoTastierino(tasto, tastierino); });

    option3_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option3"), ColoriArancio,
                                                2, [this](int indice) {
                                                    Esegui(indice == SchermoOperativo::AiutoSi ? &Esercizio::SiSi : &Esercizio::NoNo);
                                                });
    option3_->AssociaTasto(Qt::Key_S, SchermoOperativo::AiutoSi);
    option3_->AssociaTasto(Qt::Key_N, SchermoOperativo::AiutoNo);

    optAvviso_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"optAvviso"), ColoriArancio, 2,
                                                  [this](int indice) { ComandoAvviso(indice); });
    optOK_ = std::make_unique<ComandiOpzione>(QList<QPushButton *>{ui_->optOK},
                                              ColoriComando{ColoriArancio.Fuoco, ColoriArancio.Fuoco}, 1,
                                              [this](int) { Esegui(&Esercizio::SiSi); });

    connect(ui_->mnuVisualizzaEsercizio, &QAction::triggered, this, &FrmOperativo::RichiestaStampaEsercizio);
    // A window loaded again after "Esco" still names the range in force.
    ui_->Label2->setText(DaStd(m_.TestoLivello));

    esercizio_.Carica();
    Disegna();
}

FrmOperativo::~FrmOperativo() = default;

void FrmOperativo::MostraLivello(const QString &testo)
{
    ui_->Label2->setText(testo);
    Esegui(&Esercizio::CambioLivello);
}

// A spontaneous show is the window coming back from the taskbar: the pupil
// has been timed all along, so only the program's own show counts.
void FrmOperativo::showEvent(QShowEvent *evento)
{
    QMainWindow::showEvent(evento);
    if (!evento->spontaneous()) {
        esercizio_.FinestraMostrata();
    }
}

void FrmOperativo::Esegui(void (Esercizio::*comando)())
{
    (esercizio_.*comando)();
    Disegna();
}

void FrmOperativo::EseguiTasto(int indice)
{
    esercizio_.EseguiTasto(indice);
    if (esercizio_.Schermo().ChiusuraRichiesta) {
        close();
        return;
    }
    Disegna();
}

// The keypad's own keys: digits go straight into the answer, letters move
// the focus to a command, Enter and Space keep the array's meaning.
bool FrmOperativo::TastoTastierino(int tasto, bool tastierinoNumerico)
{
    const SchermoOperativo &s = esercizio_.Schermo();
    const auto abilitato = [&s](int k) { return s.TastoAbilitato[static_cast<std::size_t>(k)]; };
    if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) {
        const int cifra = tasto - Qt::Key_0;
        if (abilitato(cifra)) {
            m_.ImpostaBaseTasto(tastierinoNumerico);
            EseguiTasto(cifra);
            option2_->SpostaFuoco(SchermoOperativo::TastoVerifica);
        }
        return true;
    }
    switch (tasto) {
    case Qt::Key_C:
    case Qt::Key_Backspace:
        if (abilitato(SchermoOperativo::TastoCancella)) {
            EseguiTasto(SchermoOperativo::TastoCancella);
        }
        return true;
    case Qt::Key_V:
        option2_->SpostaFuoco(SchermoOperativo::TastoVerifica);
        return true;
    case Qt::Key_A:
        option2_->SpostaFuoco(SchermoOperativo::TastoAvanti);
        return true;
    case Qt::Key_E:
        option2_->SpostaFuoco(SchermoOperativo::TastoEsco);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return false;
    default:
        return true;
    }
}

// The notice's two options: "Stampa" opens the report, "Ricomincia" starts
// the exercise again in this window, as its warning says. The form puts
// "Stampa" where "Avanti" was and "Ricomincia" far from the last commands,
// so the pupil's habitual next click cannot wipe a finished exercise.
void FrmOperativo::ComandoAvviso(int indice)
{
    if (indice == SchermoOperativo::AvvisoStampa) {
        emit RichiestaStampaEsercizio();
    } else {
        Esegui(&Esercizio::NuovoEsercizio);
    }
}

void FrmOperativo::Disegna()
{
    const SchermoOperativo &s = esercizio_.Schermo();
    ImpostaTesto(*ui_->LblOperazione, s.LblOperazione);
    ImpostaTesto(*ui_->lblRisEsatte, s.lblRisEsatte);
    ImpostaTesto(*ui_->lblRisErrate, s.lblRisErrate);
    ImpostaTesto(*ui_->LblTempoParziale, s.LblTempoParziale);
    ImpostaTesto(*ui_->LblTempoTotale, s.LblTempoTotale);
    for (QLabel *contatore : {ui_->LblOperazione, ui_->lblRisEsatte, ui_->lblRisErrate, ui_->LblTempoParziale,
                              ui_->LblTempoTotale}) {
        NominaDallIntestazione(*contatore);
    }
    ImpostaTesto(*ui_->LblSegno, s.LblSegno);
    ImpostaTesto(*ui_->lblSegno2, s.lblSegno2);
    ImpostaTesto(*ui_->lblCorrezione, s.lblCorrezione);
    ui_->lblCorrezione->setAccessibleName(
        s.lblCorrezione.Caption.empty() ? QString() : QStringLiteral("Soluzione: ") + DaStd(s.lblCorrezione.Caption));
    ImpostaTesto(*ui_->LblEsito, s.LblEsito);
    for (std::size_t k = 0; k < termini_.size(); ++k) {
        ImpostaTesto(*termini_[k], s.lblNumero[k]);
        NominaTermine(*termini_[k], s.lblNumero[k]);
        QPalette tavolozza = termini_[k]->palette();
        tavolozza.setColor(QPalette::WindowText, InQt(s.lblNumero[k].Testo));
        termini_[k]->setPalette(tavolozza);
        line1_[k]->setVisible(s.CroceVisibile[k]);
        line2_[k]->setVisible(s.CroceVisibile[k]);
        if (s.CroceVisibile[k]) {
            line1_[k]->raise();
            line2_[k]->raise();
        }
    }
    PosizionaCorrezione();

    for (auto pannello : {Pannello::Tastierino, Pannello::Aiuto, Pannello::Avviso, Pannello::Intervento}) {
        Riquadro(pannello)->setEnabled(s.Abilitato(pannello));
    }
    Riquadro(s.InPrimoPiano)->raise();
    for (int k = 0; k < SchermoOperativo::NumeroTasti; ++k) {
        Tasto(k)->setEnabled(s.TastoAbilitato[static_cast<std::size_t>(k)]);
    }
    ApplicaFuoco();
}

// Only a new request moves the focus: the pupil may have walked it
// elsewhere since the last one.
void FrmOperativo::ApplicaFuoco()
{
    const SchermoOperativo &s = esercizio_.Schermo();
    if (s.RichiesteFuoco == richiesteFuocoEseguite_) {
        return;
    }
    richiesteFuocoEseguite_ = s.RichiesteFuoco;
    QWidget *destinazione = nullptr;
    switch (s.FuocoRichiesto.Gruppo) {
    case Pannello::Tastierino:
        destinazione = option2_->Elemento(s.FuocoRichiesto.Elemento);
        break;
    case Pannello::Aiuto:
        destinazione = option3_->Elemento(s.FuocoRichiesto.Elemento);
        break;
    case Pannello::Avviso:
        destinazione = optAvviso_->Elemento(s.FuocoRichiesto.Elemento);
        break;
    case Pannello::Intervento:
        destinazione = ui_->optOK;
        break;
    }
    if (destinazione != nullptr && destinazione->isEnabled()) {
        destinazione->setFocus(Qt::OtherFocusReason);
    }
}

QWidget *FrmOperativo::Riquadro(Pannello pannello) const
{
    switch (pannello) {
    case Pannello::Aiuto:
        return ui_->fraAiuto;
    case Pannello::Avviso:
        return ui_->fraAvviso;
    case Pannello::Intervento:
        return ui_->fraIntervento;
    case Pannello::Tastierino:
        break;
    }
    return ui_->fraTastierino;
}

QPushButton *FrmOperativo::Tasto(int indice) const
{
    return option2_->Elemento(indice);
}

// The two diagonals of each term label.
void FrmOperativo::PosizionaCroci()
{
    for (std::size_t k = 0; k < termini_.size(); ++k) {
        line1_[k]->setGeometry(termini_[k]->geometry());
        line2_[k]->setGeometry(termini_[k]->geometry());
    }
}

// The four panels lie exactly on top of each other, at lblRiferimento.
void FrmOperativo::AllineaPannelli()
{
    const QPoint angolo = ui_->lblRiferimento->pos();
    for (auto pannello : {Pannello::Aiuto, Pannello::Tastierino, Pannello::Avviso, Pannello::Intervento}) {
        Riquadro(pannello)->move(angolo);
    }
}

// After help the solution stands under the hidden term.
void FrmOperativo::PosizionaCorrezione()
{
    const int termine = esercizio_.Schermo().CorrezioneSottoTermine;
    if (termine >= 1 && termine <= 4) {
        QLabel *sopra = termini_[static_cast<std::size_t>(termine - 1)];
        ui_->lblCorrezione->move(sopra->x(), ui_->lblCorrezione->y());
    }
}

} // namespace lumivex
