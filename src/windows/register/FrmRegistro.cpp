// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/FrmRegistro.h"

#include "ui_FrmRegistro.h"

#include "exercise/RigaResoconto.h"
#include "exercise/Valutazione.h"
#include "printing/StampaRegistro.h"
#include "qt/Testo.h"
#include "record/InvioServer.h"
#include "record/LetturaServer.h"
#include "record/RegistroSqlite.h"
#include "windows/common/ClasseSchede.h"
#include "windows/common/Messaggio.h"
#include "windows/register/CsvRegistro.h"
#include "windows/register/DlgPassword.h"
#include "windows/register/Grafici.h"
#include "worksheets/GeneratoreScheda.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>

#include <algorithm>

namespace lumivex {

using namespace registro;

namespace {

constexpr int RuoloChiave = Qt::UserRole;
constexpr auto ConnessioneScuola = u"lumivex-registro-scuola";
constexpr int RuoloUid = Qt::UserRole + 1;

QString Percentuale(std::optional<double> quota)
{
    return quota ? QStringLiteral("%1 %").arg(qRound(*quota * 100.0)) : QStringLiteral("—");
}

QString Andamento(const RigaAlunno &a)
{
    if (!a.UltimeCinque || !a.CinquePrecedenti)
        return QStringLiteral("—");
    const double scarto = *a.UltimeCinque - *a.CinquePrecedenti;
    if (scarto > 0.05)
        return QStringLiteral("↑ meglio");
    if (scarto < -0.05)
        return QStringLiteral("↓ peggio");
    return QStringLiteral("= stabile");
}

QString Data(const QString &iso)
{
    const QDateTime quando = QDateTime::fromString(iso, Qt::ISODate);
    return quando.isValid() ? quando.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : iso;
}

QString Tempo(int secondi)
{
    return QStringLiteral("%1:%2").arg(secondi / 60).arg(secondi % 60, 2, 10, QLatin1Char('0'));
}

// Green for the best grades through yellow to red; grey when none was given.
QColor ColoreVoto(const QString &voto)
{
    static const QHash<QString, QColor> colori{
        {QStringLiteral("OTTIMO"), QColor(0x2E, 0x9E, 0x4F)},
        {QStringLiteral("DISTINTO"), QColor(0x7C, 0xC4, 0x5A)},
        {QStringLiteral("BUONO"), QColor(0xC9, 0xDC, 0x55)},
        {QStringLiteral("SUFFICIENTE"), QColor(0xF2, 0xD3, 0x4B)},
        {QStringLiteral("SUFFICIENTE (!)"), QColor(0xF2, 0x9B, 0x3B)},
        {DaStd(NonClassificato), QColor(0xE0, 0x4B, 0x3A)},
    };
    return colori.value(voto, QColor(0xC8, 0xC8, 0xC8));
}

QTableWidgetItem *Cella(const QString &testo)
{
    return new QTableWidgetItem(testo);
}

// The answers as the report lists them, from the register's "37-;42+".
std::vector<RispostaData> RisposteDate(const QString &risposte)
{
    std::vector<RispostaData> date;
    for (const QString &voce : risposte.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        date.push_back({AStd(voce.chopped(1)), voce.endsWith(QLatin1Char('+'))});
    return date;
}

qreal QuotaErrati(const ConteggioErrori &c)
{
    return c.Problemi > 0 ? 100.0 * c.Errati / c.Problemi : 0.0;
}

} // namespace

FrmRegistro::FrmRegistro(Stampante &stampante, const QString &percorso, PasswordDocente::Adesso adesso,
                         InvioServer *invio, const Grafici *grafici, const QString &senzaGrafici)
    : stampante_(stampante)
    , ui_(std::make_unique<Ui::FrmRegistro>())
    , registro_(std::make_unique<RegistroSqlite>(percorso, QStringLiteral("lumivex-registro-docente")))
    , lettura_(std::make_unique<LetturaRegistro>(registro_->Database()))
    , password_(std::make_unique<PasswordDocente>(*lettura_, std::move(adesso)))
    , invio_(invio)
    , grafici_(grafici)
{
    ui_->setupUi(this);
    if (invio_ != nullptr) {
        // One line that follows the sender: a server down through many
        // retries is said here, once, not in a message box per try.
        lblServer_ = new QLabel(this);
        lblServer_->setObjectName(QStringLiteral("lblServer"));
        lblServer_->setWordWrap(true);
        statusBar()->addWidget(lblServer_, 1);
        cmbFonte_ = new QComboBox(this);
        cmbFonte_->setObjectName(QStringLiteral("cmbFonte"));
        cmbFonte_->addItems({QStringLiteral("Questo PC"), QStringLiteral("Scuola")});
        statusBar()->addPermanentWidget(cmbFonte_);
        connect(cmbFonte_, &QComboBox::activated, this, &FrmRegistro::ScegliFonte);
        connect(invio_, &InvioServer::StatoCambiato, this, &FrmRegistro::MostraInvio);
        connect(invio_, &InvioServer::Inviati, this, &FrmRegistro::MostraInvio);
    }
    ui_->tblAlunni->setColumnCount(5);
    ui_->tblAlunni->setHorizontalHeaderLabels({QStringLiteral("Alunno"), QStringLiteral("Esercizi"),
                                               QStringLiteral("Ultimo"), QStringLiteral("Esatte (ultimi 5)"),
                                               QStringLiteral("Andamento")});
    ui_->tblAlunni->verticalHeader()->hide();
    ui_->treEsercizi->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *griglia = static_cast<QGridLayout *>(ui_->tabGrafici->layout());
    if (grafici_ != nullptr) {
        griglia->addWidget(grafici_->Nuovo(ui_->tabGrafici, QStringLiteral("graEsatte"),
                                           QStringLiteral("Risposte esatte (%)")), 0, 0);
        griglia->addWidget(grafici_->Nuovo(ui_->tabGrafici, QStringLiteral("graSecondi"),
                                           QStringLiteral("Secondi per problema")), 0, 1);
        griglia->addWidget(grafici_->Nuovo(ui_->tabGrafici, QStringLiteral("graNascosto"),
                                           QStringLiteral("Problemi sbagliati (%) per termine nascosto")), 1, 0);
        griglia->addWidget(grafici_->Nuovo(ui_->tabGrafici, QStringLiteral("graPrestito"),
                                           QStringLiteral("Problemi sbagliati (%) con e senza prestito")), 1, 1);
        griglia->addWidget(grafici_->Nuovo(ui_->tabGrafici, QStringLiteral("graValori"),
                                           QStringLiteral("Risposte sbagliate date più spesso")), 2, 0, 1, 2);
    } else {
        // Everything else of the register works without its pictures.
        auto *assenti = new QLabel(QStringLiteral("I grafici non sono disponibili: %1.").arg(senzaGrafici),
                                   ui_->tabGrafici);
        assenti->setObjectName(QStringLiteral("lblSenzaGrafici"));
        assenti->setWordWrap(true);
        assenti->setTextInteractionFlags(Qt::TextSelectableByMouse);
        griglia->addWidget(assenti, 0, 0);
    }

    connect(ui_->tblAlunni, &QTableWidget::itemSelectionChanged, this, [this] {
        const QString chiave = ChiaveScelta();
        MostraEsercizi(chiave);
        MostraGrafici(chiave);
    });
    connect(ui_->treEsercizi, &QTreeWidget::itemExpanded, this, &FrmRegistro::ApriEsercizio);
    connect(ui_->mnuStampa, &QAction::triggered, this, [this] {
        if (ui_->tblAlunni->currentRow() >= 0)
            StampaAlunno(ChiaveScelta());
    });
    connect(ui_->mnuScegliStampante, &QAction::triggered, this, &FrmRegistro::RichiestaSceltaStampante);
    connect(ui_->mnuEsporta, &QAction::triggered, this, &FrmRegistro::ChiediEsportazione);
    connect(ui_->mnuClasseSchede, &QAction::triggered, this, &FrmRegistro::UsaComeClasseSchede);
    connect(ui_->mnuUnisci, &QAction::triggered, this, &FrmRegistro::ChiediUnione);
    connect(ui_->mnuCancellaAlunno, &QAction::triggered, this, [this] {
        if (ui_->tblAlunni->currentRow() >= 0)
            CancellaAlunno(ChiaveScelta());
    });
    connect(ui_->mnuCancellaTutto, &QAction::triggered, this, &FrmRegistro::CancellaTutto);
    connect(ui_->mnuRegistrazione, &QAction::toggled, this, &FrmRegistro::Registrazione);
    connect(ui_->mnuChiudi, &QAction::triggered, this, &QWidget::close);
}

FrmRegistro::~FrmRegistro()
{
    ChiudiScuola();
}

LetturaRegistro &FrmRegistro::Fonte()
{
    return letturaScuola_ ? *letturaScuola_ : *lettura_;
}

void FrmRegistro::ScegliFonte(int indice)
{
    if (indice == 0) {
        ChiudiScuola();
        Aggiorna();
        return;
    }
    if (letturaScuola_)
        return;
    bool dato = false;
    const QString password =
        QInputDialog::getText(this, windowTitle(), QStringLiteral("Password dell'insegnante per il registro della scuola:"),
                              QLineEdit::Password, QString(), &dato);
    if (!dato || !ApriScuola(password))
        cmbFonte_->setCurrentIndex(0);
}

bool FrmRegistro::ApriScuola(const QString &password)
{
    if (invio_ == nullptr)
        return false;
    ChiudiScuola();
    QString messaggio;
    {
        QSqlDatabase db =
            ApriServerDocente(invio_->Parametri(), password, QString::fromUtf16(ConnessioneScuola), &messaggio);
        if (db.isOpen())
            letturaScuola_ = std::make_unique<LetturaRegistro>(db);
    }
    if (!letturaScuola_) {
        QSqlDatabase::removeDatabase(QString::fromUtf16(ConnessioneScuola));
        MostraMessaggio(this, messaggio);
        return false;
    }
    {
        const QSignalBlocker fermo(cmbFonte_);
        cmbFonte_->setCurrentIndex(1);
    }
    Aggiorna();
    // A server that refused the reading has already been told.
    return letturaScuola_ != nullptr;
}

void FrmRegistro::ChiudiScuola()
{
    if (!letturaScuola_)
        return;
    // The reader holds the last handle: the connection can go only after it.
    letturaScuola_.reset();
    QSqlDatabase::removeDatabase(QString::fromUtf16(ConnessioneScuola));
    const QSignalBlocker fermo(cmbFonte_);
    cmbFonte_->setCurrentIndex(0);
}

void FrmRegistro::Apri()
{
    if (isVisible()) {
        activateWindow();
        return;
    }
    if (!registro_->Leggibile()) {
        MostraMessaggio(nullptr, registro_->Messaggio());
        close();
        return;
    }
    // Its child, so unloading the window takes an open dialog with it.
    auto *dialogo = new DlgPassword(*password_, this);
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialogo, &QDialog::finished, this, [this](int esito) {
        if (esito != QDialog::Accepted) {
            close();
            return;
        }
        Aggiorna();
        showMaximized();
        activateWindow();
    });
    dialogo->show();
    dialogo->activateWindow();
}

void FrmRegistro::Aggiorna()
{
    // The school's class is for reading: printing, export and changes stay
    // with this PC's register.
    const bool scuola = letturaScuola_ != nullptr;
    const bool scrivibile = registro_->Aperto() && !scuola;
    for (QAction *azione : {ui_->mnuUnisci, ui_->mnuCancellaAlunno, ui_->mnuCancellaTutto, ui_->mnuRegistrazione})
        azione->setEnabled(scrivibile);
    ui_->mnuStampa->setEnabled(!scuola);
    ui_->mnuEsporta->setEnabled(!scuola);
    {
        const QSignalBlocker fermo(ui_->mnuRegistrazione);
        ui_->mnuRegistrazione->setChecked(lettura_->Impostazione(QStringLiteral("registrazione")).value_or(
                                              QStringLiteral("1"))
                                          != QStringLiteral("0"));
    }
    const QString scelta = ChiaveScelta();
    if (scuola) {
        QList<AlunnoServer> classe;
        QString errore;
        if (!LeggiClasse(letturaScuola_->Database(), &classe, &errore)) {
            ChiudiScuola();
            MostraMessaggio(this, QStringLiteral("Non riesco a leggere il registro della scuola: %1").arg(errore));
            Aggiorna();
            return;
        }
        alunni_.clear();
        for (const AlunnoServer &a : classe)
            alunni_.append({a.Chiave, a.Nome, a.Esercizi, a.Ultimo, {}, {}, {}});
    } else {
        alunni_ = lettura_->Alunni();
    }
    MostraAlunni(alunni_);
    MostraClasse();
    if (!Fonte().Ok()) {
        Guasto(QStringLiteral("leggere il registro"));
        return;
    }
    const auto trovato = std::find_if(alunni_.cbegin(), alunni_.cend(),
                                      [&](const RigaAlunno &a) { return a.Chiave == scelta; });
    if (!alunni_.isEmpty()) {
        const QSignalBlocker fermo(ui_->tblAlunni);
        ui_->tblAlunni->setCurrentCell(trovato == alunni_.cend() ? 0 : static_cast<int>(trovato - alunni_.cbegin()), 0);
    }
    MostraEsercizi(ChiaveScelta());
    MostraGrafici(ChiaveScelta());
    MostraInvio();
}

void FrmRegistro::MostraInvio()
{
    if (invio_ == nullptr)
        return;
    // Counted on this window's own connection: the sender's count comes
    // from another thread and may lag behind what the window shows.
    const int inAttesa = InvioServer::EserciziInAttesa(registro_->Database());
    QString testo = inAttesa < 0 ? QStringLiteral("Non riesco a contare gli esercizi di questo PC da inviare alla scuola.")
                                 : QStringLiteral("Esercizi di questo PC in attesa di invio alla scuola: %1").arg(inAttesa);
    if (!invio_->Raggiungibile())
        testo += QStringLiteral("\n") + invio_->Messaggio();
    lblServer_->setText(testo);
}

void FrmRegistro::MostraAlunni(const QList<RigaAlunno> &alunni)
{
    const QSignalBlocker fermo(ui_->tblAlunni);
    ui_->tblAlunni->clearContents();
    ui_->tblAlunni->setRowCount(static_cast<int>(alunni.size()));
    for (int riga = 0; riga < alunni.size(); ++riga) {
        const RigaAlunno &a = alunni[riga];
        auto *nome = Cella(a.Nome);
        nome->setData(RuoloChiave, a.Chiave);
        ui_->tblAlunni->setItem(riga, 0, nome);
        ui_->tblAlunni->setItem(riga, 1, Cella(QString::number(a.Esercizi)));
        ui_->tblAlunni->setItem(riga, 2, Cella(Data(a.Ultima)));
        ui_->tblAlunni->setItem(riga, 3, Cella(Percentuale(a.UltimeCinque)));
        ui_->tblAlunni->setItem(riga, 4, Cella(Andamento(a)));
    }
    ui_->tblAlunni->resizeColumnsToContents();
}

void FrmRegistro::ScegliAlunno(const QString &chiave)
{
    for (int riga = 0; riga < ui_->tblAlunni->rowCount(); ++riga) {
        if (ui_->tblAlunni->item(riga, 0)->data(RuoloChiave).toString() == chiave) {
            ui_->tblAlunni->setCurrentCell(riga, 0);
            return;
        }
    }
}

QString FrmRegistro::ChiaveScelta() const
{
    const QTableWidgetItem *voce = ui_->tblAlunni->item(ui_->tblAlunni->currentRow(), 0);
    return voce != nullptr ? voce->data(RuoloChiave).toString() : QString();
}

QString FrmRegistro::NomeDi(const QString &chiave) const
{
    for (const RigaAlunno &a : alunni_) {
        if (a.Chiave == chiave)
            return a.Nome;
    }
    return chiave;
}

void FrmRegistro::MostraEsercizi(const QString &chiave)
{
    ui_->treEsercizi->clear();
    if (ui_->tblAlunni->currentRow() < 0)
        return;
    for (const RigaEsercizio &e : Fonte().Esercizi(chiave)) {
        auto *voce = new QTreeWidgetItem(ui_->treEsercizi);
        voce->setText(0, Data(e.Inizio));
        voce->setText(1, QStringLiteral("%1 – %2").arg(e.Minimo).arg(e.Massimo));
        if (e.Finito) {
            voce->setText(2, QString::number(e.Esatte));
            voce->setText(3, Tempo(e.Secondi));
            voce->setText(4, e.Voto);
        } else {
            voce->setText(4, QStringLiteral("non finito"));
        }
        voce->setData(0, RuoloUid, e.Uid);
        voce->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
}

void FrmRegistro::ApriEsercizio(QTreeWidgetItem *voce)
{
    if (voce->parent() != nullptr || voce->childCount() > 0)
        return;
    const QFont fisso = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const RigaProblema &p : Fonte().Problemi(voce->data(0, RuoloUid).toByteArray())) {
        ProblemaConcluso risolto;
        for (std::size_t k = 0; k < 4; ++k)
            risolto.Termini[k] = static_cast<std::int16_t>(p.Num[k]);
        risolto.Nascosto = p.Nascosto;
        risolto.Soluzione = static_cast<std::int16_t>(p.Soluzione);
        risolto.Risposte = RisposteDate(p.Risposte);
        risolto.Aiuto = p.Aiuto;
        risolto.Intervento = p.Intervento;
        auto *riga = new QTreeWidgetItem(voce);
        riga->setText(0, DaStd(RigaResoconto(risolto)));
        riga->setFont(0, fisso);
        riga->setFirstColumnSpanned(true);
    }
    voce->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void FrmRegistro::MostraGrafici(const QString &chiave)
{
    if (grafici_ == nullptr)
        return;
    // The charts' counting is this PC's SQLite: the school's class shows
    // its lists only.
    const bool scelto = ui_->tblAlunni->currentRow() >= 0 && !letturaScuola_;
    const GraficiAlunno g = scelto ? lettura_->Grafici(chiave) : GraficiAlunno{};
    QList<QPointF> esatte;
    QList<QPointF> secondi;
    qreal piuLento = 10;
    for (const PuntoAndamento &p : g.Andamento) {
        const qreal quando = static_cast<qreal>(QDateTime::fromString(p.Inizio, Qt::ISODate).toMSecsSinceEpoch());
        esatte.append({quando, p.QuotaEsatte * 100.0});
        secondi.append({quando, p.SecondiPerProblema});
        piuLento = std::max(piuLento, p.SecondiPerProblema);
    }
    grafici_->Linea(findChild<QWidget *>(QStringLiteral("graEsatte")), QStringLiteral("Esatte"), esatte, 100);
    grafici_->Linea(findChild<QWidget *>(QStringLiteral("graSecondi")), QStringLiteral("Secondi"), secondi, piuLento * 1.1);
    grafici_->Barre(findChild<QWidget *>(QStringLiteral("graNascosto")), QStringLiteral("Sbagliati"),
          {QStringLiteral("1° termine"), QStringLiteral("2° termine"), QStringLiteral("3° termine"),
           QStringLiteral("4° termine")},
          {QuotaErrati(g.PerNascosto[0]), QuotaErrati(g.PerNascosto[1]), QuotaErrati(g.PerNascosto[2]),
           QuotaErrati(g.PerNascosto[3])},
          100);
    grafici_->Barre(findChild<QWidget *>(QStringLiteral("graPrestito")), QStringLiteral("Sbagliati"),
          {QStringLiteral("Con prestito"), QStringLiteral("Senza prestito")},
          {QuotaErrati(g.ConPrestito), QuotaErrati(g.SenzaPrestito)}, 100);
    QStringList valori;
    QList<qreal> volte;
    qreal piuSpesso = 1;
    for (const ValoreErrato &v : g.PiuFrequenti) {
        valori.append(QString::number(v.Valore));
        volte.append(v.Volte);
        piuSpesso = std::max<qreal>(piuSpesso, v.Volte);
    }
    grafici_->Barre(findChild<QWidget *>(QStringLiteral("graValori")), QStringLiteral("Volte"), valori, volte,
          piuSpesso + 1);
    if (!letturaScuola_ && !lettura_->Ok())
        Guasto(QStringLiteral("leggere il registro"));
}

void FrmRegistro::MostraClasse()
{
    QTableWidget *griglia = ui_->tblClasse;
    griglia->clear();
    griglia->setRowCount(static_cast<int>(alunni_.size()));
    griglia->setColumnCount(LetturaRegistro::UltimiVoti);
    QStringList colonne{QStringLiteral("Ultimo")};
    for (int k = 2; k <= LetturaRegistro::UltimiVoti; ++k)
        colonne.append(QStringLiteral("%1°").arg(k));
    griglia->setHorizontalHeaderLabels(colonne);
    QStringList nomi;
    for (int riga = 0; riga < alunni_.size(); ++riga) {
        nomi.append(alunni_[riga].Nome);
        for (int k = 0; k < alunni_[riga].Voti.size(); ++k) {
            auto *cella = Cella(alunni_[riga].Voti[k]);
            cella->setBackground(ColoreVoto(alunni_[riga].Voti[k]));
            cella->setForeground(Qt::black);
            griglia->setItem(riga, k, cella);
        }
    }
    griglia->setVerticalHeaderLabels(nomi);
}

bool FrmRegistro::Conferma(const QString &domanda)
{
    QMessageBox scatola(QMessageBox::Question, windowTitle(), domanda, QMessageBox::Yes | QMessageBox::No, this);
    scatola.setObjectName(QStringLiteral("conferma"));
    scatola.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    scatola.button(QMessageBox::No)->setText(QStringLiteral("No"));
    scatola.setDefaultButton(QMessageBox::No);
    return scatola.exec() == QMessageBox::Yes;
}

void FrmRegistro::Guasto(const QString &cosa)
{
    MostraMessaggio(this, QStringLiteral("Non riesco a %1: %2").arg(cosa, Fonte().Errore()));
}

void FrmRegistro::ChiediEsportazione()
{
    const QString cartella = QFileDialog::getExistingDirectory(this, QStringLiteral("Cartella per i file CSV"));
    if (!cartella.isEmpty())
        EsportaIn(cartella);
}

void FrmRegistro::EsportaIn(const QString &cartella)
{
    QString errore;
    if (!EsportaCsv(*lettura_, cartella, &errore)) {
        MostraMessaggio(this, errore);
        return;
    }
    MostraMessaggio(this, QStringLiteral("Ho scritto %1 e %2 nella cartella %3.")
                              .arg(QString::fromUtf16(FileEsercizi), QString::fromUtf16(FileProblemi),
                                   QDir::toNativeSeparators(cartella)));
}

void FrmRegistro::ChiediUnione()
{
    const QString da = ChiaveScelta();
    if (ui_->tblAlunni->currentRow() < 0 || da.isEmpty())
        return;
    QStringList altri;
    QStringList chiavi;
    for (const RigaAlunno &a : alunni_) {
        if (!a.Chiave.isEmpty() && a.Chiave != da) {
            altri.append(a.Nome);
            chiavi.append(a.Chiave);
        }
    }
    if (altri.isEmpty())
        return;
    bool scelto = false;
    const QString nome = QInputDialog::getItem(
        this, windowTitle(), QStringLiteral("«%1» è lo stesso alunno di:").arg(NomeDi(da)), altri, 0, false, &scelto);
    if (scelto)
        Unisci(da, chiavi.at(altri.indexOf(nome)));
}

void FrmRegistro::Unisci(const QString &chiaveDa, const QString &chiaveA)
{
    if (!Conferma(QStringLiteral("Gli esercizi di «%1» passano a «%2», e il nome «%1» sparisce dal registro. "
                                 "Continuo?")
                      .arg(NomeDi(chiaveDa), NomeDi(chiaveA))))
        return;
    if (!lettura_->Unisci(chiaveDa, chiaveA))
        Guasto(QStringLiteral("unire i due nomi"));
    Aggiorna();
    ScegliAlunno(chiaveA);
}

void FrmRegistro::CancellaAlunno(const QString &chiave)
{
    if (!Conferma(QStringLiteral("Cancello per sempre tutti gli esercizi di «%1»? Non si potranno recuperare.")
                      .arg(NomeDi(chiave))))
        return;
    if (!lettura_->CancellaAlunno(chiave))
        Guasto(QStringLiteral("cancellare i dati dell'alunno"));
    Aggiorna();
}

void FrmRegistro::CancellaTutto()
{
    if (!Conferma(QStringLiteral("Cancello per sempre tutti gli esercizi di tutti gli alunni? "
                                 "Non si potranno recuperare.")))
        return;
    if (!lettura_->CancellaTutto())
        Guasto(QStringLiteral("cancellare il registro"));
    Aggiorna();
}

void FrmRegistro::UsaComeClasseSchede()
{
    QStringList nomi;
    for (const RigaAlunno &a : alunni_) {
        if (!a.Chiave.isEmpty())
            nomi.append(a.Nome);
    }
    if (nomi.isEmpty()) {
        MostraMessaggio(this, QStringLiteral("Il registro non ha ancora nomi di alunni."));
        return;
    }
    if (!ClasseSchede().trimmed().isEmpty()
        && !Conferma(QStringLiteral("Le schede hanno già un elenco della classe: lo sostituisco con i %1 alunni "
                                    "del registro?")
                         .arg(std::min<qsizetype>(nomi.size(), GeneratoreScheda::MassimoCopie))))
        return;
    const qsizetype tutti = nomi.size();
    nomi = nomi.first(std::min<qsizetype>(tutti, GeneratoreScheda::MassimoCopie));
    ScriviClasseSchede(TestoClasse(nomi));
    if (tutti > GeneratoreScheda::MassimoCopie)
        MostraMessaggio(this, QStringLiteral("Il registro ha %1 alunni: nell'elenco delle schede vanno i primi %2.")
                                  .arg(tutti)
                                  .arg(GeneratoreScheda::MassimoCopie));
    else
        MostraMessaggio(this, QStringLiteral("I %1 alunni del registro sono ora la classe delle schede.")
                                  .arg(tutti));
}

void FrmRegistro::Registrazione(bool attiva)
{
    if (!lettura_->Imposta(QStringLiteral("registrazione"), attiva ? QStringLiteral("1") : QStringLiteral("0")))
        Guasto(QStringLiteral("cambiare la registrazione"));
}

void FrmRegistro::StampaAlunno(const QString &chiave)
{
    PaginaAlunno pagina;
    pagina.Nome = AStd(NomeDi(chiave));
    for (const RigaAlunno &a : alunni_) {
        if (a.Chiave == chiave) {
            pagina.Riepilogo = {"Esercizi svolti: " + std::to_string(a.Esercizi),
                                "Ultimo esercizio: " + AStd(Data(a.Ultima)),
                                "Esatte negli ultimi cinque: " + AStd(Percentuale(a.UltimeCinque)),
                                "Andamento: " + AStd(Andamento(a))};
        }
    }
    pagina.Intestazione = AStd(QStringLiteral("%1%2%3%4%5")
                                   .arg(QStringLiteral("Data"), -18)
                                   .arg(QStringLiteral("Intervallo"), -12)
                                   .arg(QStringLiteral("Esatte"), -8)
                                   .arg(QStringLiteral("Tempo"), -8)
                                   .arg(QStringLiteral("Giudizio")));
    for (const RigaEsercizio &e : Fonte().Esercizi(chiave)) {
        pagina.Esercizi.push_back(
            AStd(QStringLiteral("%1%2%3%4%5")
                     .arg(Data(e.Inizio), -18)
                     .arg(QStringLiteral("%1-%2").arg(e.Minimo).arg(e.Massimo), -12)
                     .arg(e.Finito ? QStringLiteral("%1/20").arg(e.Esatte) : QString(), -8)
                     .arg(e.Finito ? Tempo(e.Secondi) : QString(), -8)
                     .arg(e.Finito ? e.Voto : QStringLiteral("non finito"))));
    }
    if (!lettura_->Ok()) {
        Guasto(QStringLiteral("leggere il registro"));
        return;
    }
    MostraEsitoStampa(this, StampaPaginaAlunno(stampante_, pagina));
}

} // namespace lumivex
