// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/worksheets/FrmStampaSchedeBig.h"

#include "ui_FrmStampaSchedeBig.h"

#include "exercise/Modulo2.h"
#include "printing/StampaScheda.h"
#include "windows/common/ClasseSchede.h"
#include "windows/common/Messaggio.h"
#include "qt/Testo.h"
#include "worksheets/ElencoClasse.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/StatoScheda.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QWindow>

#include <algorithm>

namespace lumivex {

namespace {

constexpr const char *PiePaginaAlunni = "Scheda per alunni stampata con Brenotal.1";
constexpr const char *PiePaginaDocenti = "Scheda per docenti stampata con Brenotal.1";

constexpr const char *TitoloFileClasse = "Elenco della classe";
constexpr const char *FiltriFileClasse = "Testo o CSV (*.txt *.csv);;Tutti i file (*)";
constexpr const char *FileClasseIlleggibile = "Il file non si può leggere: ";
constexpr const char *FileClasseNonTesto =
    "Il file scelto non è un elenco di nomi: serve un file di testo o CSV con un nome per riga.";
constexpr const char *FileClasseVuoto = "Il file scelto non contiene nessun nome.";
constexpr const char *FileClasseLungo = "L'elenco ha %1 nomi: si stampano le schede dei primi %2.";

constexpr const char *CodiceCorto =
    "Il codice scheda è di 6 caratteri: controllare di averlo scritto per intero.";
constexpr const char *CodiceConCarattereEstraneo =
    "Il codice scheda contiene un carattere che nei codici non compare: si usano le cifre da 2 a 9, le "
    "lettere tranne I, L e O e i segni + = # %.";
constexpr const char *CodiceSbagliato =
    "Il codice scheda non corrisponde a nessuna scheda: controllare di averlo copiato senza errori.";

// The top-level widget a window of the program belongs to, if any.
QWidget *WidgetDi(const QWindow *finestra)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == finestra) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace

FrmStampaSchedeBig::FrmStampaSchedeBig(Modulo2 &modulo, StatoScheda &scheda, Stampante &stampante,
                                       SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , s_(scheda)
    , stampante_(stampante)
    , generatore_(std::make_unique<GeneratoreScheda>(modulo, scheda, casuale, orologio))
    , ui_(std::make_unique<Ui::FrmStampaSchedeBig>())
{
    ui_->setupUi(this);
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        QLabel *etichetta = findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(riga));
        // Where "Courier New" is missing, another fixed-pitch face keeps the
        // columns of the sixty lines aligned.
        QFont carattere = etichetta->font();
        carattere.setStyleHint(QFont::TypeWriter);
        carattere.setFixedPitch(true);
        etichetta->setFont(carattere);
        lblOp_[static_cast<std::size_t>(riga - 1)] = etichetta;
    }
    scala_.RegistraProporzioni(*this);
    option2_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option2"), ColoriArancio, 3, [this](int indice) { SceltaLivello(indice); });

    ui_->Label1->clear();
    ui_->Label2->setText(DaStd(m_.TestoLivello));
    ui_->CmdStampaAlunni->hide();
    ui_->CmdStampaDocenti->hide();
    // The sheet outlives the window, its options do not: the next sheet
    // follows what the buttons show.
    LeggiOpzioni();

    for (QRadioButton *opzione : {ui_->Opt5, ui_->Opt10, ui_->Opt1, ui_->Opt2, ui_->Opt3, ui_->Option1_0,
                                  ui_->Option1_1, ui_->Option1_2, ui_->OptSenzaPrestito, ui_->OptConPrestito,
                                  ui_->OptPrestitoMisto}) {
        connect(opzione, &QRadioButton::toggled, this, &FrmStampaSchedeBig::LeggiOpzioni);
    }
    for (QPushButton *comando : {ui_->CmdSchedaAlunni, ui_->CmdStampaAlunni, ui_->CmdSchedaDocenti,
                                 ui_->CmdStampaDocenti, ui_->CmdRicomincia, ui_->Command1,
                                 ui_->cmdCodiceScheda, ui_->cmdLeggiClasse}) {
        comando->installEventFilter(this);
    }
    connect(ui_->CmdSchedaAlunni, &QPushButton::clicked, this, [this] {
        generatore_->VisualizzaSchedaAlunni();
        MostraRighe();
    });
    connect(ui_->cmdCodiceScheda, &QPushButton::clicked, this, &FrmStampaSchedeBig::ApplicaCodice);
    connect(ui_->txtCodiceScheda, &QLineEdit::returnPressed, this, &FrmStampaSchedeBig::ApplicaCodice);
    connect(ui_->CmdSchedaDocenti, &QPushButton::clicked, this, [this] {
        generatore_->VisualizzaSchedaDocenti();
        MostraRighe();
    });
    // The pupil print makes the copies, one for each pupil of the class
    // when there is one; the teacher print follows them.
    connect(ui_->CmdStampaAlunni, &QPushButton::clicked, this, [this] {
        const std::vector<std::string> classe = Classe();
        if (!classe.empty()) {
            Stampa(generatore_->PagineClasse(classe), PiePaginaAlunni);
            return;
        }
        // A number still being typed counts as it stands.
        ui_->spnCopie->interpretText();
        Stampa(generatore_->PagineAlunni(ui_->spnCopie->value()), PiePaginaAlunni);
    });
    connect(ui_->CmdStampaDocenti, &QPushButton::clicked, this,
            [this] { Stampa(generatore_->PagineDocenti(), PiePaginaDocenti); });
    ui_->txtClasse->setPlainText(ClasseSchede());
    CopieDellaClasse();
    connect(ui_->txtClasse, &QPlainTextEdit::textChanged, this, &FrmStampaSchedeBig::ClasseCambiata);
    connect(ui_->cmdLeggiClasse, &QPushButton::clicked, this, &FrmStampaSchedeBig::ScegliFileClasse);
    connect(ui_->CmdRicomincia, &QPushButton::clicked, this, &FrmStampaSchedeBig::CancellaScheda);
    connect(ui_->Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->mnuStampante, &QAction::triggered, this, &FrmStampaSchedeBig::RichiestaSceltaStampante);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FrmStampaSchedeBig::FinestraAttiva);
    ui_->Option2_0->setFocus(Qt::OtherFocusReason);
}

FrmStampaSchedeBig::~FrmStampaSchedeBig() = default;

void FrmStampaSchedeBig::CancellaScheda()
{
    ui_->CmdStampaAlunni->hide();
    ui_->CmdStampaDocenti->hide();
    for (QLabel *etichetta : lblOp_) {
        etichetta->clear();
    }
    ui_->lblCodice->clear();
}

bool FrmStampaSchedeBig::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate) {
        // The register window may have filled the class list meanwhile;
        // what is typed here is saved as it changes, so only another
        // window's list differs from it.
        const QString classe = ClasseSchede();
        const QString scritta = ui_->txtClasse->toPlainText();
        if (classe != scritta && !(classe.isEmpty() && scritta.trimmed().isEmpty())) {
            ui_->txtClasse->setPlainText(classe);
        }
        if (provenienza_ == Provenienza::Finestra) {
            CancellaScheda();
        }
        provenienza_ = Provenienza::Nessuna;
    }
    return QMainWindow::event(evento);
}

void FrmStampaSchedeBig::FinestraAttiva(QWindow *finestra)
{
    // Focus leaving the program (another application, a native dialog)
    // says nothing about where it comes back from; popups belong to the
    // window that opened them.
    if (finestra == nullptr || finestra == windowHandle() || finestra->type() == Qt::Popup ||
        finestra->type() == Qt::ToolTip) {
        return;
    }
    provenienza_ = qobject_cast<QDialog *>(WidgetDi(finestra)) != nullptr ? Provenienza::Dialogo
                                                                           : Provenienza::Finestra;
}

bool FrmStampaSchedeBig::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::FocusIn) {
        // The focus a view button gets back with its window (or when a menu
        // closes) is not the teacher's move to it: an activation has just
        // hidden the print buttons and they stay hidden.
        const Qt::FocusReason motivo = static_cast<QFocusEvent *>(evento)->reason();
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason) {
            return QMainWindow::eventFilter(oggetto, evento);
        }
        if (oggetto == ui_->CmdSchedaAlunni) {
            ui_->CmdStampaAlunni->show();
        } else if (oggetto == ui_->CmdSchedaDocenti) {
            ui_->CmdStampaDocenti->show();
        }
    } else if (evento->type() == QEvent::KeyPress) {
        // Enter on a command button runs it, like Space; the program's key
        // guard has already dropped the repeats of a held key.
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            static_cast<QPushButton *>(oggetto)->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(oggetto, evento);
}

void FrmStampaSchedeBig::SceltaLivello(int indice)
{
    for (QLabel *etichetta : lblOp_) {
        etichetta->clear();
    }
    ui_->lblCodice->clear();
    generatore_->SceltaLivello(indice);
    ui_->Label2->setText(DaStd(m_.TestoLivello));
    ui_->Frame3->setEnabled(true);
    ui_->Frame4->setEnabled(true);
}

void FrmStampaSchedeBig::LeggiOpzioni()
{
    OpzioniScheda opzioni;
    opzioni.Operazioni = ui_->Opt5->isChecked() ? OperazioniPerEsercizio::Cinque : OperazioniPerEsercizio::Dieci;
    opzioni.Esercizi = ui_->Opt1->isChecked()   ? NumeroEsercizi::Due
                       : ui_->Opt2->isChecked() ? NumeroEsercizi::Quattro
                                                : NumeroEsercizi::Sei;
    opzioni.Nascosto = ui_->Option1_0->isChecked()   ? TermineDaNascondere::Risultato
                       : ui_->Option1_1->isChecked() ? TermineDaNascondere::UnTermine
                                                     : TermineDaNascondere::RisultatoOTermine;
    opzioni.Prestito = ui_->OptSenzaPrestito->isChecked() ? PrestitoScheda::Senza
                       : ui_->OptConPrestito->isChecked() ? PrestitoScheda::Con
                                                          : PrestitoScheda::Misto;
    generatore_->ScegliOpzioni(opzioni);
}

std::vector<std::string> FrmStampaSchedeBig::Classe() const
{
    return LeggiElencoClasse(AStd(ui_->txtClasse->toPlainText())).value_or(std::vector<std::string>());
}

void FrmStampaSchedeBig::ClasseCambiata()
{
    ScriviClasseSchede(ui_->txtClasse->toPlainText());
    CopieDellaClasse();
}

void FrmStampaSchedeBig::CopieDellaClasse()
{
    // With a class the copies are its pupils, one each.
    const auto alunni = static_cast<int>(Classe().size());
    ui_->spnCopie->setEnabled(alunni == 0);
    if (alunni > 0) {
        ui_->spnCopie->setValue(std::min(alunni, GeneratoreScheda::MassimoCopie));
    }
}

void FrmStampaSchedeBig::ScegliFileClasse()
{
    const QString percorso = QFileDialog::getOpenFileName(this, QString::fromUtf8(TitoloFileClasse), QString(),
                                                          QString::fromUtf8(FiltriFileClasse));
    if (!percorso.isEmpty()) {
        LeggiFileClasse(percorso);
    }
}

void FrmStampaSchedeBig::LeggiFileClasse(const QString &percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        MostraMessaggio(this, QString::fromUtf8(FileClasseIlleggibile) + file.errorString());
        return;
    }
    // One byte past the limit is enough to know the file is too long.
    const QByteArray contenuto = file.read(static_cast<qint64>(MassimoByteElenco) + 4);
    if (file.error() != QFileDevice::NoError) {
        MostraMessaggio(this, QString::fromUtf8(FileClasseIlleggibile) + file.errorString());
        return;
    }
    const auto nomi = LeggiElencoClasse(std::string_view(contenuto.constData(), static_cast<std::size_t>(contenuto.size())));
    if (!nomi) {
        MostraMessaggio(this, QString::fromUtf8(FileClasseNonTesto));
        return;
    }
    if (nomi->empty()) {
        MostraMessaggio(this, QString::fromUtf8(FileClasseVuoto));
        return;
    }
    QStringList righe;
    for (const std::string &nome : *nomi) {
        righe.append(DaStd(nome));
    }
    ui_->txtClasse->setPlainText(righe.join(QLatin1Char('\n')));
    if (nomi->size() > static_cast<std::size_t>(GeneratoreScheda::MassimoCopie)) {
        MostraMessaggio(this, QString::fromUtf8(FileClasseLungo)
                                  .arg(nomi->size())
                                  .arg(GeneratoreScheda::MassimoCopie));
    }
}

void FrmStampaSchedeBig::MostraRighe()
{
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        lblOp_[static_cast<std::size_t>(riga - 1)]->setText(
            DaStd(s_.RigheVisualizzate[static_cast<std::size_t>(riga)]));
    }
    // The range above the lines is the sheet's, whatever was chosen since.
    ui_->Label2->setText(DaStd(s_.TestoLivelloInUso.empty() ? m_.TestoLivello : s_.TestoLivelloInUso));
    ui_->lblCodice->setText(s_.Codice.empty() ? QString() : QStringLiteral("Codice scheda: ") + DaStd(s_.Codice));
}

void FrmStampaSchedeBig::ApplicaCodice()
{
    const char *messaggio = nullptr;
    switch (generatore_->VisualizzaSchedaDaCodice(AStd(ui_->txtCodiceScheda->text()))) {
    case CodiceScheda::Errore::Nessuno:
        // The sheet carries its own range, now the window's: both views
        // and both prints work before any range is chosen here.
        ui_->Frame3->setEnabled(true);
        ui_->Frame4->setEnabled(true);
        MostraRighe();
        ui_->CmdStampaAlunni->show();
        return;
    case CodiceScheda::Errore::Lunghezza:
        messaggio = CodiceCorto;
        break;
    case CodiceScheda::Errore::Carattere:
        messaggio = CodiceConCarattereEstraneo;
        break;
    case CodiceScheda::Errore::Controllo:
        messaggio = CodiceSbagliato;
        break;
    }
    MostraMessaggio(this, QString::fromUtf8(messaggio));
}

void FrmStampaSchedeBig::Stampa(const std::vector<StatoScheda> &pagine, const char *piePagina)
{
    const Caratteri caratteri = ui_->chkCaratteriGrandi->isChecked() ? Caratteri::Grandi : Caratteri::Normali;
    MostraEsitoStampa(this, StampaSchede(stampante_, pagine, piePagina, caratteri));
}

} // namespace lumivex
