// The report window: what it lists, the face it lists in, its commands, and
// the page it prints, read back from the queue of a private CUPS server
// (Alfa, Beta as the system default, Gamma).
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "printing/LetturaPdf.h"
#include "printing/StampanteQt.h"
#include "support/Finti.h"
#include "support/cups/ServerCupsPrivato.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/report/FrmStampaEsercizio.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

const QString MessaggioCourier = QStringLiteral("Devi installare il font Courier o il font Courier New");
const QString ServizioFermo = QStringLiteral("Il servizio di stampa non risponde: la pagina non è stata stampata.");

enum Comando { Esci = 0, StampaComando = 1 };

QString Compatta(const std::string &testo)
{
    std::istringstream parole(testo);
    std::string riga;
    for (std::string parola; parole >> parola;) {
        riga += (riga.empty() ? "" : " ") + parola;
    }
    return QString::fromStdString(riga);
}

QString Tempo(const QString &testo)
{
    return QStringLiteral("Tempo totale:    ") + testo + QStringLiteral("   secondi");
}

// Twenty problems run through the exercise core: right answers, and every
// third one wrong and then helped, so the log carries "*" and "°".
void EsercizioReale(Modulo2 &m)
{
    m.NumeroMin = 10;
    m.NumeroMax = 40;
    prove::OrologioFinto orologio;
    SorgenteCasualeReale casuale(2026);
    Esercizio esercizio(m, casuale, orologio);
    esercizio.Carica();
    for (int problema = 1; problema <= Esercizio::OperazioniPerEsercizio; ++problema) {
        orologio.Ora += 3.0F + static_cast<float>(problema % 4);
        if (problema % 3 == 0) {
            esercizio.EseguiTasto(1);
            esercizio.EseguiTasto(SchermoOperativo::TastoVerifica);
            esercizio.SiSi();
        } else {
            for (char cifra : m.StrSoluzione) {
                if (cifra != ' ') {
                    esercizio.EseguiTasto(cifra - '0');
                }
            }
            esercizio.EseguiTasto(SchermoOperativo::TastoVerifica);
        }
        if (problema < Esercizio::OperazioniPerEsercizio) {
            esercizio.EseguiTasto(SchermoOperativo::TastoAvanti);
        }
    }
}

void RigheSintetiche(Modulo2 &m, int righe)
{
    m.NumOperazioni = static_cast<std::int16_t>(righe);
    for (int i = 1; i <= righe; ++i) {
        m.ElencoOperazioni[static_cast<std::size_t>(i)] = "riga " + std::to_string(i) + "  36 -  ... =   30 -   12";
    }
    m.StrTempoTotale = " 95";
}

void InviaTasto(QEvent::Type tipo, int tasto, bool ripetuto)
{
    QKeyEvent evento(tipo, tasto, Qt::NoModifier, QString(), ripetuto);
    QCoreApplication::sendEvent(QApplication::focusWidget(), &evento);
}

} // namespace

class TestStampaEsercizio : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void elencoETempoTotale();
    void ilFontDelleRigheSegueLElencoDellaStampante_data();
    void ilFontDelleRigheSegueLElencoDellaStampante();
    void senzaCourierNonSiStampaNulla();
    void esciAzzeraIlTempoLaChiusuraNo();
    void ventiRigheStampateSullaStampanteScelta();
    void invioTenutoStampaUnaSolaPagina();
    void senzaServizioDiStampaLaFinestraResta();
    void stampantePdfSalvaOppureTace();

private:
    FrmStampaEsercizio &Apri();
    FrmStampaEsercizio &Finestra() const { return *registro_->Trova<FrmStampaEsercizio>(); }
    QLabel *Etichetta(const QString &nome) const { return Finestra().findChild<QLabel *>(nome); }
    QLabel *Riga(int riga) const { return Etichetta(QStringLiteral("LblOp_%1").arg(riga)); }
    QStringList TestiDelleRighe() const;
    void Comanda(int indice);
    QList<QMessageBox *> Messaggi() const;
    void ChiudiMessaggi();
    void ScegliStampante(Qt::Key tasto, int volte, const QString &attesa);
    int Completati(const std::string &coda) const { return Server->StatoLavori(coda).Completati; }

    Modulo2 m_;
    prove::StampanteRegistratrice registratrice_;
    std::unique_ptr<StampanteQt> stampanteQt_;
    Stampante *inUso_ = nullptr;
    std::unique_ptr<RegistroFinestre> registro_;
    // The answer of the save dialog, and how often it was asked.
    std::optional<QString> fileScelto_;
    int domande_ = 0;
};

void TestStampaEsercizio::init()
{
    m_ = Modulo2();
    registratrice_ = prove::StampanteRegistratrice();
    fileScelto_.reset();
    domande_ = 0;
    // A new printing service is a new run: Beta is current again.
    stampanteQt_ = std::make_unique<StampanteQt>([this](const QString &) {
        ++domande_;
        return fileScelto_;
    });
    inUso_ = stampanteQt_.get();
    registro_ = std::make_unique<RegistroFinestre>([] {});
    registro_->Registra<FrmStampaEsercizio>(
        [this] { return std::make_unique<FrmStampaEsercizio>(m_, *inUso_, *registro_); });
    registro_->Registra<frmSceltaStampante>(
        [this] { return std::make_unique<frmSceltaStampante>(*inUso_, *registro_); });
}

void TestStampaEsercizio::cleanup()
{
    registro_.reset();
    stampanteQt_.reset();
    if (!Server->Attivo()) {
        Server->Avvia();
    }
}

FrmStampaEsercizio &TestStampaEsercizio::Apri()
{
    FrmStampaEsercizio &finestra = registro_->Mostra<FrmStampaEsercizio>();
    [[maybe_unused]] const bool esposta = QTest::qWaitForWindowExposed(&finestra);
    return finestra;
}

QStringList TestStampaEsercizio::TestiDelleRighe() const
{
    QStringList testi;
    for (int riga = 1; riga <= FrmStampaEsercizio::RigheElencate; ++riga) {
        testi.append(Riga(riga)->text());
    }
    return testi;
}

// A mouse press, as the pupil gives it.
void TestStampaEsercizio::Comanda(int indice)
{
    QTest::mouseClick(Finestra().findChild<QPushButton *>(QStringLiteral("Option1_%1").arg(indice)), Qt::LeftButton);
}

QList<QMessageBox *> TestStampaEsercizio::Messaggi() const
{
    QList<QMessageBox *> aperti;
    for (QMessageBox *scatola : Finestra().findChildren<QMessageBox *>(QStringLiteral("messaggio"))) {
        if (scatola->isVisible()) {
            aperti.append(scatola);
        }
    }
    return aperti;
}

void TestStampaEsercizio::ChiudiMessaggi()
{
    for (QMessageBox *scatola : Messaggi()) {
        QTest::mouseClick(scatola->button(QMessageBox::Ok), Qt::LeftButton);
    }
    QVERIFY(Messaggi().isEmpty());
}

// Through the report's menu, as the pupil does it: the list moves under the
// keyboard, each step a choice, then "C H I U D I".
void TestStampaEsercizio::ScegliStampante(Qt::Key tasto, int volte, const QString &attesa)
{
    Finestra().findChild<QAction *>(QStringLiteral("mnuScegli"))->trigger();
    frmSceltaStampante *scelta = registro_->Trova<frmSceltaStampante>();
    QVERIFY(scelta != nullptr);
    QVERIFY(scelta->isVisible() && scelta->isModal());
    auto *combo = scelta->findChild<QComboBox *>(QStringLiteral("Combo1"));
    for (int i = 0; i < volte; ++i) {
        QTest::keyClick(combo, tasto);
    }
    QCOMPARE(combo->currentText(), attesa);
    QTest::mouseClick(scelta->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(!registro_->Caricata<frmSceltaStampante>());
}

// Catches: log element 0 listed or lines shifted by one, lines past
// NumOperazioni filled, the time text without its exact blanks or on one
// label only.
void TestStampaEsercizio::elencoETempoTotale()
{
    inUso_ = &registratrice_;
    RigheSintetiche(m_, 12);
    m_.ElencoOperazioni[0] = "mai elencata";
    m_.ElencoOperazioni[13] = "oltre il numero di operazioni";
    Apri();

    QStringList attese;
    for (int riga = 1; riga <= FrmStampaEsercizio::RigheElencate; ++riga) {
        attese.append(riga <= 12 ? QString::fromStdString(m_.ElencoOperazioni[static_cast<std::size_t>(riga)])
                                 : QString());
    }
    QCOMPARE(TestiDelleRighe(), attese);
    QCOMPARE(Etichetta(QStringLiteral("Label1"))->text(), QStringLiteral("Tempo totale:     95   secondi"));
    QCOMPARE(Etichetta(QStringLiteral("Label2"))->text(), QStringLiteral("Tempo totale:     95   secondi"));

    // The list is made at load; showing the loaded window again keeps it.
    m_.ElencoOperazioni[1] = "aggiunta dopo";
    registro_->Mostra<FrmStampaEsercizio>();
    QCOMPARE(TestiDelleRighe(), attese);
}

void TestStampaEsercizio::ilFontDelleRigheSegueLElencoDellaStampante_data()
{
    QTest::addColumn<QStringList>("font");
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<int>("punti");
    QTest::addColumn<bool>("grassetto");
    QTest::addColumn<bool>("messaggio");

    // Catches: Courier New preferred whatever the printer's order.
    QTest::newRow("Courier prima di Courier New")
        << QStringList{QStringLiteral("Arial"), QStringLiteral("Courier"), QStringLiteral("Courier New")} << QStringLiteral("Courier") << 10 << false
        << false;
    // Catches: Courier preferred whatever the order, or its size and weight used.
    QTest::newRow("Courier New prima di Courier")
        << QStringList{QStringLiteral("Courier New"), QStringLiteral("Courier")} << QStringLiteral("Courier New") << 9 << true << false;
    // Catches: a match that ignores case or takes a longer name; no warning.
    QTest::newRow("solo nomi simili")
        << QStringList{QStringLiteral("courier"), QStringLiteral("Courier New Bold"), QStringLiteral("Arial")}
                                      << QStringLiteral("Courier New") << 9 << true << true;
}

// The form's own face for the lines is Courier New 9 bold: the lines past
// NumOperazioni keep it, whatever the printer offers.
void TestStampaEsercizio::ilFontDelleRigheSegueLElencoDellaStampante()
{
    QFETCH(QStringList, font);
    QFETCH(QString, famiglia);
    QFETCH(int, punti);
    QFETCH(bool, grassetto);
    QFETCH(bool, messaggio);
    inUso_ = &registratrice_;
    registratrice_.ElencoFont.clear();
    for (const QString &nome : font) {
        registratrice_.ElencoFont.push_back(nome.toStdString());
    }
    RigheSintetiche(m_, 5);
    Apri();

    for (int riga = 1; riga <= FrmStampaEsercizio::RigheElencate; ++riga) {
        const QFont carattere = Riga(riga)->font();
        const bool elencata = riga <= 5;
        QCOMPARE(carattere.family(), elencata ? famiglia : QStringLiteral("Courier New"));
        QCOMPARE(carattere.pointSize(), elencata ? punti : 9);
        QCOMPARE(carattere.bold(), elencata ? grassetto : true);
    }
    QCOMPARE(Riga(5)->text(), QStringLiteral("riga 5  36 -  ... =   30 -   12"));
    const QList<QMessageBox *> messaggi = Messaggi();
    QCOMPARE(messaggi.size(), messaggio ? 1 : 0);
    if (messaggio) {
        QCOMPARE(messaggi.front()->text(), MessaggioCourier);
        QCOMPARE(messaggi.front()->standardButtons(), QMessageBox::Ok);
    }
}

// Catches: a page started (or sent) before the font search failed, and a
// refusal without a word to the pupil.
void TestStampaEsercizio::senzaCourierNonSiStampaNulla()
{
    inUso_ = &registratrice_;
    registratrice_.ElencoFont = {"Arial"};
    RigheSintetiche(m_, 3);
    Apri();
    ChiudiMessaggi();
    registratrice_.Operazioni.clear();

    Comanda(StampaComando);

    QCOMPARE(registratrice_.Operazioni, (std::vector<std::string>{"FontCount", "Fonts 0"}));
    QVERIFY(registratrice_.DocumentiInviati.empty());
    const QList<QMessageBox *> messaggi = Messaggi();
    QCOMPARE(messaggi.size(), 1);
    QCOMPARE(messaggi.front()->text(), MessaggioCourier);
    QVERIFY(registro_->Caricata<FrmStampaEsercizio>());
}

// Catches: "ESCI" that keeps the time or does not unload, the close box
// clearing it too, a reopened window that shows a stale time.
void TestStampaEsercizio::esciAzzeraIlTempoLaChiusuraNo()
{
    inUso_ = &registratrice_;
    RigheSintetiche(m_, 3);
    Apri().close();
    QVERIFY(!registro_->Caricata<FrmStampaEsercizio>());
    QCOMPARE(m_.StrTempoTotale, " 95");

    Apri();
    QCOMPARE(Etichetta(QStringLiteral("Label1"))->text(), Tempo(QStringLiteral(" 95")));
    Comanda(Esci);
    QVERIFY(!registro_->Caricata<FrmStampaEsercizio>());
    QCOMPARE(m_.StrTempoTotale, "");

    Apri();
    QCOMPARE(Etichetta(QStringLiteral("Label1"))->text(), QStringLiteral("Tempo totale:       secondi"));
    QCOMPARE(Etichetta(QStringLiteral("Label2"))->text(), QStringLiteral("Tempo totale:       secondi"));
    QCOMPARE(Riga(3)->text(), QString::fromStdString(m_.ElencoOperazioni[3]));
}

// Catches: the window printing on the default rather than the printer
// chosen from its menu, lines lost or garbled on the way to paper, a wrong
// spacing or gap between the blocks, the time lines missing or differing
// in more than their number.
void TestStampaEsercizio::ventiRigheStampateSullaStampanteScelta()
{
    EsercizioReale(m_);
    QCOMPARE(m_.NumOperazioni, 20);
    QVERIFY(!m_.StrTempoTotale.empty());
    const int alfa = Completati("Alfa");
    const int beta = Completati("Beta");
    const int gamma = Completati("Gamma");
    Apri();
    QCOMPARE(Riga(20)->text(), QString::fromStdString(m_.ElencoOperazioni[20]));
    ScegliStampante(Qt::Key_Down, 2, QStringLiteral("Gamma"));

    Comanda(StampaComando);

    QVERIFY2(Server->AttendiLavori("Gamma", gamma + 1), Server->RegistroErrori().c_str());
    QCOMPARE(Completati("Alfa"), alfa);
    QCOMPARE(Completati("Beta"), beta);
    QVERIFY(Messaggi().isEmpty());
    const QString file = QString::fromStdString(Server->FileDiCoda("Gamma").string());
    QCOMPARE(prove::PagineDelPdf(file).Pagine, 1);
    const std::vector<prove::RigaPdf> righe = prove::RigheDelPdf(file);
    QCOMPARE(righe.size(), std::size_t{23});

    QStringList attese{QStringLiteral("SCUOLA ELEMENTARE DI")};
    std::vector<double> ordinate{0.0};
    for (int i = 1; i <= 20; ++i) {
        attese.append(Compatta(m_.ElencoOperazioni[static_cast<std::size_t>(i)]));
        ordinate.push_back(i <= 10 ? 2000.0 + (i - 1) * 400.0 : 7000.0 + (i - 11) * 400.0);
    }
    const QString tempo = Compatta(m_.StrTempoTotale);
    attese.append(QStringLiteral("Eser. n.1: Tempo tot. ") + tempo + QStringLiteral(" secondi"));
    attese.append(QStringLiteral("Eser. n.2: Tempo tot. ") + tempo + QStringLiteral(" secondi"));
    ordinate.push_back(11000.0);
    ordinate.push_back(11400.0);

    // Positions relative to the heading and the first log line, in points
    // (20 twips each): the printable area's offset is the queue's business.
    // Every line starts at the heading's x; a log line's first word stands
    // after its leading blanks, 0.6 em each in a Courier face.
    const prove::RigaPdf &prima = righe[1];
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const QByteArray dove = "line " + QByteArray::number(static_cast<int>(i));
        QVERIFY2(righe[i].Testo == attese[static_cast<qsizetype>(i)],
                 qPrintable(righe[i].Testo + QStringLiteral(" != ") + attese[static_cast<qsizetype>(i)]));
        const std::size_t bianchi = i >= 1 && i <= 20 ? m_.ElencoOperazioni[i].find_first_not_of(' ') : 0;
        QVERIFY2(std::abs(righe[i].X - righe[0].X - static_cast<double>(bianchi) * 0.6 * 12.0) < 0.25,
                 dove.constData());
        if (i >= 1) {
            QVERIFY2(std::abs(righe[i].Y - prima.Y - (ordinate[i] - 2000.0) / 20.0) < 0.1, dove.constData());
        }
    }
    // The heading is a larger face: its top within half a point of 1000.
    QVERIFY(std::abs(prima.Y - righe[0].Y - 50.0) < 0.5);
}

// Catches: auto-repeated Enter presses printing a page each.
void TestStampaEsercizio::invioTenutoStampaUnaSolaPagina()
{
    RigheSintetiche(m_, 2);
    const int beta = Completati("Beta");
    FrmStampaEsercizio &finestra = Apri();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option1_1"));

    InviaTasto(QEvent::KeyPress, Qt::Key_Return, false);
    for (int i = 0; i < 5; ++i) {
        InviaTasto(QEvent::KeyRelease, Qt::Key_Return, true);
        InviaTasto(QEvent::KeyPress, Qt::Key_Return, true);
    }
    InviaTasto(QEvent::KeyRelease, Qt::Key_Return, false);

    // Jobs are handed over before the key returns: any extra one is queued.
    QVERIFY2(Server->AttendiLavori("Beta", beta + 1), Server->RegistroErrori().c_str());
    QVERIFY(Messaggi().isEmpty());
}

// Catches: a crash or a silent loss when the print system is gone, the
// window or the log damaged by the failed print, half a page sent later,
// and no printing once the service is back.
void TestStampaEsercizio::senzaServizioDiStampaLaFinestraResta()
{
    EsercizioReale(m_);
    const auto elenco = m_.ElencoOperazioni;
    const int beta = Completati("Beta");
    Apri();
    const QStringList righe = TestiDelleRighe();
    Comanda(StampaComando);
    QVERIFY2(Server->AttendiLavori("Beta", beta + 1), Server->RegistroErrori().c_str());

    Server->Ferma();
    Comanda(StampaComando);

    const QList<QMessageBox *> messaggi = Messaggi();
    QCOMPARE(messaggi.size(), 1);
    QCOMPARE(messaggi.front()->text(), ServizioFermo);
    QVERIFY(registro_->Caricata<FrmStampaEsercizio>());
    QVERIFY(Finestra().isVisible());
    QCOMPARE(TestiDelleRighe(), righe);
    QCOMPARE(m_.NumOperazioni, 20);
    QVERIFY(m_.ElencoOperazioni == elenco);
    ChiudiMessaggi();

    Server->Avvia();
    Comanda(StampaComando);
    QVERIFY(Messaggi().isEmpty());
    QVERIFY2(Server->AttendiLavori("Beta", beta + 2), Server->RegistroErrori().c_str());
    const std::vector<prove::RigaPdf> pagina =
        prove::RigheDelPdf(QString::fromStdString(Server->FileDiCoda("Beta").string()));
    QCOMPARE(pagina.size(), std::size_t{23});
}

// Catches: the PDF printer not reachable from the choice window, a save
// that ignores the path given, a cancelled save that writes, sends or says
// anything.
void TestStampaEsercizio::stampantePdfSalvaOppureTace()
{
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    RigheSintetiche(m_, 20);
    const int code = Completati("Alfa") + Completati("Beta") + Completati("Gamma");
    Apri();
    ScegliStampante(Qt::Key_End, 1, QString::fromUtf8(StampanteQt::NomeStampantePdf));

    Comanda(StampaComando);
    QCOMPARE(domande_, 1);
    QVERIFY(Messaggi().isEmpty());
    QVERIFY(QDir(cartella.path()).isEmpty());

    fileScelto_ = cartella.filePath(QStringLiteral("resoconto.pdf"));
    Comanda(StampaComando);
    QCOMPARE(domande_, 2);
    QVERIFY(Messaggi().isEmpty());
    QCOMPARE(prove::PagineDelPdf(*fileScelto_).Pagine, 1);
    const std::vector<prove::RigaPdf> righe = prove::RigheDelPdf(*fileScelto_);
    QCOMPARE(righe.size(), std::size_t{23});
    QCOMPARE(righe.front().Testo, QStringLiteral("SCUOLA ELEMENTARE DI"));
    QCOMPARE(righe.back().Testo, QStringLiteral("Eser. n.2: Tempo tot. 95 secondi"));
    QCOMPARE(Completati("Alfa") + Completati("Beta") + Completati("Gamma"), code);
}

int main(int argc, char **argv)
{
    // CUPS_SERVER must be set before anything asks for printers.
    std::optional<prove::ServerCupsPrivato> server;
    try {
        server.emplace();
    } catch (const std::exception &errore) {
        std::cerr << "Cannot start the private CUPS server: " << errore.what() << '\n';
        return 1;
    }
    Server = &*server;
    QApplication applicazione(argc, argv);
    TestStampaEsercizio prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "TestStampaEsercizio.moc"
