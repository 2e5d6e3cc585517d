// SPDX-License-Identifier: GPL-3.0-or-later
// The report window printing for real: on the printer chosen from its menu,
// through a private CUPS server (Alfa, Beta as the system default, Gamma) or
// the PDF printer, read back from the page that comes out.
#include "exercise/Modulo2.h"
#include "worksheets/StatoScheda.h"
#include "printing/EseguiStampa.h"
#include "support/DiscoPieno.h"
#include "support/Messaggi.h"
#include "support/pdf/LetturaPdf.h"
#include "printing/StampanteQt.h"
#include "support/finestre/FinestreProva.h"
#include "support/cups/AttesaSospesa.h"
#include "support/cups/ConServerCups.h"
#include "support/cups/ServerCupsPrivato.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/common/TestiStampa.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/report/FrmStampaEsercizio.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

int LavoriStampati()
{
    return Server->StatoLavori("Alfa").Completati + Server->StatoLavori("Beta").Completati +
           Server->StatoLavori("Gamma").Completati;
}

} // namespace

class TestStampaEsercizio : public QObject {
    Q_OBJECT

public:
    TestStampaEsercizio();

private slots:
    void servizioFermoAllaPrimaStampaLoDiceSenzaRipiegareSulPdf();
    void invioTenutoStampaUnaPaginaSullaSceltaPoiIlServizioSiFerma();
    void stampantePdfSalvaUnA4OppureTace();
    void stampanteInPausaAccettaLaPaginaELoDiceUnaVolta();
    void servizioBloccatoNonFermaLaFinestraENonStampaDueVolte();
    void salvataggioPdfDiceSeLaCartellaMancaONonECartella();
    void salvataggioPdfInCartellaProtettaDiceIlPermesso();
    void servizioFermoLaSceltaDelPdfSalvaLaPagina();
    void salvataggioPdfSuDiscoPienoLoDiceENonLasciaNulla();
    // Last: the job it leaves behind may still come out later.
    void invioSenzaRispostaNonPromettePagineNonStampate();

private:
    void ApriEScegliStampante(Qt::Key tasto, int volte, const QString &attesa);
    void Stampa() const
    {
        QTest::mouseClick(finestra_->findChild<QPushButton *>(QStringLiteral("Option1_1")), Qt::LeftButton);
    }
    QList<QMessageBox::Icon> IconeMessaggi() const;
    // The message a save into `file` gives, with the PDF printer current.
    QString MessaggioSalvataggio(const QString &file);

    std::optional<QString> fileScelto_;
    QStringList proposte_;
    StampanteQt stampante_{[this](const QString &proposta) {
        proposte_.append(proposta);
        return fileScelto_;
    }};
    prove::Programma programma_{stampante_};
    Modulo2 &m_ = programma_.stato;
    RegistroFinestre &registro_ = programma_.registro;
    FrmStampaEsercizio *finestra_ = nullptr;
};

TestStampaEsercizio::TestStampaEsercizio()
{
    // Twenty lines as the exercise writes them: led by blanks, with "...", "*" and "°".
    m_.NumOperazioni = 20;
    m_.StrTempoTotale = " 95";
    for (std::size_t i = 1; i <= 20; ++i) {
        m_.ElencoOperazioni[i] = std::string(i % 3, ' ') + std::to_string(20 + i) + " -  ... =   " +
                                 std::to_string(i) + "     (R.43*  18\u00B0";
    }
}

// The report shown, and a printer chosen through its menu as the pupil does
// it: the list moves under the keyboard, each step a choice, then "C H I U D I".
void TestStampaEsercizio::ApriEScegliStampante(Qt::Key tasto, int volte, const QString &attesa)
{
    finestra_ = &registro_.Mostra<FrmStampaEsercizio>();
    finestra_->findChild<QAction *>(QStringLiteral("mnuScegli"))->trigger();
    const QPointer<frmSceltaStampante> scelta = registro_.Trova<frmSceltaStampante>();
    QVERIFY(scelta && scelta->isModal());
    auto *combo = scelta->findChild<QComboBox *>(QStringLiteral("Combo1"));
    for (int i = 0; i < volte; ++i) {
        QTest::keyClick(combo, tasto);
    }
    QCOMPARE(combo->currentText(), attesa);
    QTest::mouseClick(scelta->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QTRY_VERIFY(scelta.isNull());
    // The window manager's part: the report is active again.
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
}

// Catches: auto-repeated Enter presses printing a page each; the window
// printing on the default rather than the printer chosen from its menu; a
// print split into jobs or pages; lines lost, garbled or misplaced on the
// way to paper: each at the heading's x after its leading blanks (0.6 em
// each in a 12-point Courier), ten lines 400 twips apart, the eleventh at
// 7000, the time lines at 11000 and 11400. Then, with the print system
// gone: a crash or a silent loss, the window or the log damaged.
void TestStampaEsercizio::invioTenutoStampaUnaPaginaSullaSceltaPoiIlServizioSiFerma()
{
    const int lavori = LavoriStampati();
    const int gamma = Server->StatoLavori("Gamma").Completati;
    ApriEScegliStampante(Qt::Key_Down, 2, QStringLiteral("Gamma"));
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option1_1"));
    // Enter held: a press, five auto-repeated release and press pairs, the release.
    for (int i = 0; i < 12; ++i) {
        QKeyEvent invio(i % 2 == 0 ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(),
                        i > 0 && i < 11);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &invio);
    }

    // Jobs are handed over before the key returns: any extra one is queued.
    QVERIFY2(Server->AttendiLavori("Gamma", gamma + 1), Server->RegistroErrori().c_str());
    QCOMPARE(LavoriStampati(), lavori + 1);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    const QString file = QString::fromStdString(Server->FileDiCoda("Gamma").string());
    QCOMPARE(prove::PagineDelPdf(file).Pagine, 1);
    const std::vector<prove::RigaPdf> righe = prove::RigheDelPdf(file);
    QCOMPARE(righe.size(), std::size_t{23});
    // In points (20 twips) from the heading and the first log line: the
    // printable area's offset is the queue's business. The heading's larger
    // face puts its top within half a point of 1000 twips.
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const bool elenco = i >= 1 && i <= 20;
        QCOMPARE(righe[i].Testo, i == 0   ? QStringLiteral("SCUOLA ELEMENTARE DI")
                                 : elenco ? QString::fromStdString(m_.ElencoOperazioni[i]).simplified()
                                          : QStringLiteral("Eser. n.%1: Tempo tot. 95 secondi").arg(i - 20));
        const double y = i == 0 ? 1000.0 : i <= 10 ? 2000.0 + (i - 1) * 400.0 : i <= 20 ? 7000.0 + (i - 11) * 400.0
                                                                                         : 11000.0 + (i - 21) * 400.0;
        const auto bianchi = static_cast<double>(elenco ? m_.ElencoOperazioni[i].find_first_not_of(' ') : 0);
        const QByteArray riga = "line " + QByteArray::number(static_cast<int>(i));
        QVERIFY2(std::abs(righe[i].X - righe[0].X - bianchi * 7.2) < 0.25, riga);
        QVERIFY2(std::abs(righe[i].Y - righe[1].Y - (y - 2000.0) / 20.0) < (i == 0 ? 0.5 : 0.1), riga);
    }

    const auto elenco = m_.ElencoOperazioni;
    Server->Ferma();
    Stampa();
    Server->Avvia();
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("Il servizio di stampa non risponde: la pagina non è stata stampata.")});
    QVERIFY(registro_.Caricata<FrmStampaEsercizio>() && finestra_->isVisible());
    QVERIFY(m_.ElencoOperazioni == elenco && m_.NumOperazioni == 20 && m_.StrTempoTotale == " 95");
}

// Catches: the PDF printer not reachable from the choice window; a page not
// A4 or proposed outside the documents folder; a save that ignores the path
// given; a cancelled save that writes, sends or says anything.
void TestStampaEsercizio::stampantePdfSalvaUnA4OppureTace()
{
    QTemporaryDir cartella;
    const int lavori = LavoriStampati();
    ApriEScegliStampante(Qt::Key_End, 1, QString::fromUtf8(StampanteQt::NomeStampantePdf));
    Stampa();
    QVERIFY(QDir(cartella.path()).isEmpty());
    fileScelto_ = cartella.filePath(QStringLiteral("resoconto.pdf"));
    Stampa();

    const QString proposta = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(QStringLiteral("Esercizio.pdf"));
    QCOMPARE(proposte_, (QStringList{proposta, proposta}));
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    const prove::PaginePdf pagine = prove::PagineDelPdf(*fileScelto_);
    QCOMPARE(pagine.Pagine, 1);
    QVERIFY(std::abs(pagine.Larghezza - 595.3) < 0.5 && std::abs(pagine.Altezza - 841.9) < 0.5);
    QCOMPARE(prove::RigheDelPdf(*fileScelto_).size(), std::size_t{23});
    QCOMPARE(LavoriStampati(), lavori);
}

QList<QMessageBox::Icon> TestStampaEsercizio::IconeMessaggi() const
{
    QList<QMessageBox::Icon> icone;
    for (const QMessageBox *scatola : finestra_->findChildren<QMessageBox *>(QStringLiteral("messaggio"))) {
        if (scatola->isVisible()) {
            icone.append(scatola->icon());
        }
    }
    return icone;
}

// Catches: a print system that is down before the run's first print taken
// for a machine without printers, so the page goes to the PDF dialog (or
// nowhere, when that is cancelled) without a word; the PDF printer kept as
// the default once the system is back.
void TestStampaEsercizio::servizioFermoAllaPrimaStampaLoDiceSenzaRipiegareSulPdf()
{
    const int beta = Server->StatoLavori("Beta").Completati;
    finestra_ = &registro_.Mostra<FrmStampaEsercizio>();
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
    Server->Ferma();
    Stampa();
    Server->Avvia();
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("Il servizio di stampa non risponde: la pagina non è stata stampata.")});
    QCOMPARE(proposte_, QStringList());

    Stampa();
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QVERIFY2(Server->AttendiLavori("Beta", beta + 1), Server->RegistroErrori().c_str());
    QCOMPARE(proposte_, QStringList());
}

// Catches: a page queued on a paused printer reported as printed without a
// word, or as a fault; the notice shown more than once or as a warning; the
// job lost or sent twice instead of waiting for the printer.
void TestStampaEsercizio::stampanteInPausaAccettaLaPaginaELoDiceUnaVolta()
{
    const int gamma = Server->StatoLavori("Gamma").Completati;
    ApriEScegliStampante(Qt::Key_Down, 2, QStringLiteral("Gamma"));
    Server->PausaCoda("Gamma");
    Stampa();
    QCOMPARE(IconeMessaggi(), QList<QMessageBox::Icon>{QMessageBox::Information});
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("La pagina è stata inviata alla stampante \"Gamma\", che è in pausa: "
                                        "verrà stampata quando la stampante riprenderà.")});
    QCOMPARE(Server->StatoLavori("Gamma").InCorso, 1);
    Server->RiprendiCoda("Gamma");
    QVERIFY2(Server->AttendiLavori("Gamma", gamma + 1), Server->RegistroErrori().c_str());
}

// Catches: a print server that is frozen (not dead: it still takes
// connections) freezing the window for as long as it stays so, with no
// repaint and no word; a wait past the bound; the page sent again, by a
// retry or by the question left behind, once the server answers.
void TestStampaEsercizio::servizioBloccatoNonFermaLaFinestraENonStampaDueVolte()
{
    const int lavori = LavoriStampati();
    const int gamma = Server->StatoLavori("Gamma").Completati;
    ApriEScegliStampante(Qt::Key_Down, 2, QStringLiteral("Gamma"));
    const prove::AttesaSospesa attesa = prove::ConServerSospeso(*Server, [this] { Stampa(); });
    QVERIFY2(attesa.Millisecondi < 10000, QByteArray::number(attesa.Millisecondi));
    QVERIFY2(attesa.Battiti > 10, QByteArray::number(attesa.Battiti));
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("Il servizio di stampa non risponde: la pagina non è stata stampata.")});

    Stampa();
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QVERIFY2(Server->AttendiLavori("Gamma", gamma + 1), Server->RegistroErrori().c_str());
    QCOMPARE(LavoriStampati(), lavori + 1);
}

QString TestStampaEsercizio::MessaggioSalvataggio(const QString &file)
{
    ApriEScegliStampante(Qt::Key_End, 1, QString::fromUtf8(StampanteQt::NomeStampantePdf));
    fileScelto_ = file;
    Stampa();
    const QStringList testi = prove::ChiudiMessaggi(finestra_);
    return testi.size() == 1 ? testi.front() : testi.join(QLatin1Char('|'));
}

// Catches: a missing folder and a path through a regular file reported
// alike ("non esiste o non vi si può scrivere"), or naming the wrong folder;
// something written anyway.
void TestStampaEsercizio::salvataggioPdfDiceSeLaCartellaMancaONonECartella()
{
    QTemporaryDir cartella;
    const QString manca = cartella.filePath(QStringLiteral("manca"));
    QCOMPARE(MessaggioSalvataggio(manca + QStringLiteral("/resoconto.pdf")),
             QStringLiteral("Non è stato possibile salvare il PDF \"%1/resoconto.pdf\": la cartella \"%1\" non "
                            "esiste.")
                 .arg(manca));

    const QString file = cartella.filePath(QStringLiteral("appunti.txt"));
    QFile appunti(file);
    QVERIFY(appunti.open(QIODevice::WriteOnly));
    appunti.close();
    QCOMPARE(MessaggioSalvataggio(file + QStringLiteral("/resoconto.pdf")),
             QStringLiteral("Non è stato possibile salvare il PDF \"%1/resoconto.pdf\": \"%1\" non è una cartella.")
                 .arg(file));
    QCOMPARE(QDir(cartella.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("appunti.txt")});
}

// Catches: a folder that exists but cannot be written into called missing.
void TestStampaEsercizio::salvataggioPdfInCartellaProtettaDiceIlPermesso()
{
    if (::geteuid() == 0) {
        QSKIP("Permissions do not stop root from writing.");
    }
    QTemporaryDir cartella;
    const QString protetta = cartella.filePath(QStringLiteral("protetta"));
    QVERIFY(QDir().mkdir(protetta));
    QVERIFY(QFile::setPermissions(protetta, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString messaggio = MessaggioSalvataggio(protetta + QStringLiteral("/resoconto.pdf"));
    QFile::setPermissions(protetta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(messaggio, QStringLiteral("Non è stato possibile salvare il PDF \"%1/resoconto.pdf\": non hai il "
                                       "permesso di scrivere nella cartella \"%1\".")
                            .arg(protetta));
}

// Catches: the choice closed on "Salva come PDF", all that a stopped print
// system leaves to choose, not taken, so "STAMPA ESERCIZIO" refuses the
// page (or sends it to the printer chosen before) although the choice
// promised it could be saved.
void TestStampaEsercizio::servizioFermoLaSceltaDelPdfSalvaLaPagina()
{
    QTemporaryDir cartella;
    // A real printer current before, as a choice made earlier in the run.
    stampante_.Printer(Dispositivo{"Beta"});
    Server->Ferma();
    ApriEScegliStampante(Qt::Key_End, 0, QString::fromUtf8(StampanteQt::NomeStampantePdf));
    fileScelto_ = cartella.filePath(QStringLiteral("resoconto.pdf"));
    const qsizetype proposte = proposte_.size();
    Stampa();
    Server->Avvia();
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QCOMPARE(proposte_.size(), proposte + 1);
    QCOMPARE(prove::RigheDelPdf(*fileScelto_).size(), std::size_t{23});
}

// Catches: a report short enough to stay in the writer's buffer saved onto a
// full disk as an empty file, without a word; the older file of the same
// name damaged by the failed save.
void TestStampaEsercizio::salvataggioPdfSuDiscoPienoLoDiceENonLasciaNulla()
{
    const prove::DiscoPieno disco(QStringLiteral("vecchio.pdf"), "%PDF-1.4 di ieri");
    if (!disco.Montato()) {
        QSKIP("a full disk needs a small tmpfs, which only root may mount here");
    }
    QVERIFY(disco.Pieno());
    const QString vecchio = disco.Percorso(QStringLiteral("vecchio.pdf"));
    const QString nuovo = disco.Percorso(QStringLiteral("resoconto.pdf"));
    QCOMPARE(MessaggioSalvataggio(nuovo),
             QStringLiteral("Non è stato possibile salvare il PDF \"%1\": il disco è pieno.").arg(nuovo));
    fileScelto_ = vecchio;
    Stampa();
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("Non è stato possibile salvare il PDF \"%1\": il disco è pieno.").arg(vecchio)});
    QCOMPARE(QDir(disco.Cartella()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("riempimento"), QStringLiteral("vecchio.pdf")}));
    QFile file(vecchio);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("%PDF-1.4 di ieri"));
}

// Catches: a send to a server that falls silent once the page is drawn
// freezing the window, or reported as surely not printed although the job
// may be in the queue; the page sent again once the server answers.
void TestStampaEsercizio::invioSenzaRispostaNonPromettePagineNonStampate()
{
    const int alfa = Server->StatoLavori("Alfa").Completati;
    stampante_.Printer(Dispositivo{"Alfa"});
    stampante_.Print("prova", ACapo::Si);
    EsitoStampa esito;
    QElapsedTimer durata;
    {
        const prove::Sospensione sospeso(*Server);
        durata.start();
        esito = EseguiStampa(stampante_, [this] { return stampante_.EndDoc(); });
    }
    QVERIFY2(durata.elapsed() < 10000, QByteArray::number(durata.elapsed()));
    QCOMPARE(esito.Esito, EsitoStampa::Tipo::Guasto);
    QCOMPARE(esito.Guasto, GuastoStampa::InvioSenzaRisposta);
    QCOMPARE(esito.Dettaglio.Stampante, std::string("Alfa"));
    QCOMPARE(TestoEsitoStampa(esito),
             QStringLiteral("Il servizio di stampa non risponde: la pagina inviata alla stampante \"Alfa\" potrebbe "
                            "essere stampata quando il servizio riprenderà. Controlla la stampante prima di "
                            "stamparla di nuovo."));
    QTest::qWait(2000);
    QVERIFY(Server->StatoLavori("Alfa").Completati <= alfa + 1);
}

int main(int argc, char **argv)
{
    return prove::ConServerCups([&](prove::ServerCupsPrivato &server) {
        Server = &server;
        QApplication applicazione(argc, argv);
        TestStampaEsercizio prova;
        return QTest::qExec(&prova, argc, argv);
    });
}

#include "TestStampaEsercizio.moc"
