// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window as the teacher uses it: ranges, views, options, the
// clearing on activation, and the page printed through a private CUPS server
// (Alfa, Beta as the system default, Gamma), read back from the PDF.
#include "exercise/Modulo2.h"
#include "support/Messaggi.h"
#include "support/pdf/LetturaPdf.h"
#include "printing/StampanteQt.h"
#include "support/cups/ConServerCups.h"
#include "support/cups/ServerCupsPrivato.h"
#include "support/finestre/SchedeProva.h"
#include "windows/common/Messaggio.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"
#include "worksheets/CodiceScheda.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/StatoScheda.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

const QString ServizioFermo = QStringLiteral("Il servizio di stampa non risponde: la pagina non è stata stampata.");

} // namespace

class TestFrmStampaSchedeBig : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void finestraNuovaVuotaEVisteInutilizzabiliFinoAUnLivello();
    void dueSchedeDiverseEDocentiComeLUltimaSenzaToccareLEsercizio();
    void attivazioneCancellaMaUnMessaggioNo();
    void leOpzioniCambianoLaSchedaSeguente();
    void stampaSullaPaginaAlleSuePosizioni();
    void servizioFermoLoDiceETieneLaScheda();
    void unCodiceRidaLaSchedaEUnoSbagliatoNonToccaNulla();
    void trentaCopieDiverseInUnLavoroELeLoroRisposte();

private:
    FrmStampaSchedeBig &Apri();
    template <class T = QPushButton>
    T *Controllo(const char *nome) const
    {
        return schede_.Controllo<T>(nome);
    }
    void Premi(const char *nome) const { QTest::mouseClick(Controllo(nome), Qt::LeftButton); }
    QStringList Righe() const { return schede_.Righe(); }
    // The page printed on Gamma by the command `comando`, its words.
    std::vector<prove::ParolaPdf> StampaSuGamma(const char *comando);
    void ScriviCodice(const QString &codice);
    // The code shown with the sheet, without its caption.
    QString CodiceMostrato() const
    {
        return Controllo<QLabel>("lblCodice")->text().remove(QStringLiteral("Codice scheda: "));
    }

    prove::SchedeProva schede_;
    Modulo2 &m_ = schede_.programma.stato;
    StatoScheda &s_ = schede_.programma.schede;
    StampanteQt &stampante_ = schede_.stampante;
    RegistroFinestre &registro_ = schede_.programma.registro;
    QPointer<FrmStampaSchedeBig> &finestra_ = schede_.finestra;
};

void TestFrmStampaSchedeBig::init()
{
    schede_.Ricomincia();
}

void TestFrmStampaSchedeBig::cleanup()
{
    QVERIFY(schede_.Scarica());
}

FrmStampaSchedeBig &TestFrmStampaSchedeBig::Apri()
{
    schede_.Mostra();
    if (!QTest::qWaitForWindowActive(finestra_)) {
        qWarning("worksheet window not active");
    }
    return *finestra_;
}

// Catches: lines shown or print buttons visible in a fresh window; the view
// buttons usable before a range (a sheet of terms drawn in 0..0); the level
// the start window left not shown; lines in a face that is not fixed-pitch,
// or not in six groups of ten, two columns in three bands; a range key that
// does not apply the worksheet's own range and texts; the teacher view
// before any pupil sheet showing anything but empty lines.
void TestFrmStampaSchedeBig::finestraNuovaVuotaEVisteInutilizzabiliFinoAUnLivello()
{
    m_.TestoLivello = "Numero massimo compreso tra 30 e 70";
    Apri();
    QCOMPARE(finestra_->windowTitle(), QStringLiteral("IL QUARTO TERMINE -"));
    QCOMPARE(Controllo<QLabel>("Label2")->text(), QStringLiteral("Numero massimo compreso tra 30 e 70"));
    QCOMPARE(Controllo<QLabel>("Label1")->text(), QString());
    QCOMPARE(Righe(), QStringList(60, QString()));
    QVERIFY(!Controllo("CmdStampaAlunni")->isVisible() && !Controllo("CmdStampaDocenti")->isVisible());
    const auto *primo = Controllo<QLabel>("LblOp_1");
    QVERIFY(QFontInfo(primo->font()).fixedPitch());
    for (int i = 1; i <= 60; ++i) {
        const int gruppo = (i - 1) / 10;
        const auto *etichetta = finestra_->findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(i));
        const auto *inizioGruppo = finestra_->findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(gruppo * 10 + 1));
        const auto *sinistra = finestra_->findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(gruppo / 2 * 20 + 1));
        const QByteArray riga = "line " + QByteArray::number(i);
        // Same column as its group's first line, rows going down; groups in
        // pairs side by side, each band below the one before.
        QVERIFY2(etichetta->x() == inizioGruppo->x() &&
                     std::abs(etichetta->y() - inizioGruppo->y() - (i - 1) % 10 * primo->height()) <= 1,
                 riga);
        QVERIFY2(inizioGruppo->y() == sinistra->y() && (gruppo % 2 == 0) == (inizioGruppo->x() == primo->x()), riga);
        QVERIFY2(gruppo % 2 == 0 || inizioGruppo->x() >= sinistra->x() + sinistra->width(), riga);
        const auto *sopra =
            finestra_->findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(std::max(gruppo / 2 * 20, 1)));
        QVERIFY2(gruppo < 2 || sinistra->y() > sopra->y(), riga);
    }

    Premi("CmdSchedaAlunni");
    Premi("CmdSchedaDocenti");
    QCOMPARE(Righe(), QStringList(60, QString()));
    QVERIFY(!Controllo<QGroupBox>("Frame3")->isEnabled() && !Controllo<QGroupBox>("Frame4")->isEnabled());
    QCOMPARE(s_.Indice, std::int16_t{0});

    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_3);
    QCOMPARE(QApplication::focusWidget(), Controllo("Option2_2"));
    QCOMPARE(Controllo("Option2_2")->palette().color(QPalette::Button), QColor(255, 192, 128));
    QCOMPARE(Controllo("Option2_0")->palette().color(QPalette::Button), QColor(255, 224, 192));
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
    QCOMPARE(Controllo<QLabel>("Label2")->text(), QStringLiteral("     Numero massimo compreso tra 50 e 99"));
    QVERIFY(m_.NumeroMin == 50 && m_.NumeroMax == 99);
    QVERIFY(Controllo<QGroupBox>("Frame3")->isEnabled() && Controllo<QGroupBox>("Frame4")->isEnabled());

    Premi("CmdSchedaDocenti");
    QVERIFY(Controllo("CmdStampaDocenti")->isVisible() && !Controllo("CmdStampaAlunni")->isVisible());
    QCOMPARE(Righe(), QStringList(60, QString()));
}

// Catches: a second pupil view showing the first sheet again; lines shown
// that are not the sheet's; the teacher view drawing a new sheet or not
// matching the last one; the print button not appearing with the focus on
// its view; a sheet overwriting the problem the pupil is solving or the
// exercise log the report prints.
void TestFrmStampaSchedeBig::dueSchedeDiverseEDocentiComeLUltimaSenzaToccareLEsercizio()
{
    m_.Num1 = 36;
    m_.Num2 = 18;
    m_.Num3 = 30;
    m_.Num4 = 12;
    m_.StrNum1 = " 36";
    m_.StrNum2 = " 18";
    m_.StrSoluzione = " 18";
    m_.TermineNascosto = 2;
    m_.Risposta = "1";
    m_.Spazi5 = " ";
    m_.Indice = 3;
    m_.NumOperazioni = 3;
    for (std::size_t i = 1; i <= 3; ++i) {
        m_.ElencoOperazioni[i] = " 36 -  ... =  30 -  12              (R. 18";
    }
    const Modulo2 prima = m_;

    Apri();
    QTest::mousePress(Controllo("Option2_1"), Qt::LeftButton);
    QTest::mouseRelease(Controllo("Option2_1"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    QVERIFY(Controllo("CmdStampaAlunni")->isVisible());
    const QStringList primaScheda = Righe();
    Premi("CmdSchedaAlunni");
    const QStringList alunni = Righe();
    QVERIFY(alunni != primaScheda);
    for (int i = 1; i <= 60; ++i) {
        QCOMPARE(alunni[i - 1], QString::fromStdString(s_.RigheAlunni[static_cast<std::size_t>(i)]));
        QVERIFY2(alunni[i - 1].contains(QStringLiteral("...")) && alunni[i - 1].endsWith(QStringLiteral("     R.")),
                 qPrintable(alunni[i - 1]));
    }

    Premi("CmdSchedaDocenti");
    const QStringList docenti = Righe();
    for (int i = 0; i < 60; ++i) {
        const QRegularExpression risposta(QRegularExpression::escape(alunni[i]) +
                                          QStringLiteral("    \\( [3-6]\\d\\)"));
        QVERIFY2(risposta.match(docenti[i]).hasMatch(), qPrintable(docenti[i]));
    }

    QVERIFY(m_.Num1 == prima.Num1 && m_.Num2 == prima.Num2 && m_.Num3 == prima.Num3 && m_.Num4 == prima.Num4);
    QVERIFY(m_.StrNum1 == prima.StrNum1 && m_.StrNum2 == prima.StrNum2 && m_.StrSoluzione == prima.StrSoluzione);
    QVERIFY(m_.TermineNascosto == prima.TermineNascosto && m_.Risposta == prima.Risposta &&
            m_.Spazi5 == prima.Spazi5 && m_.Indice == prima.Indice && m_.NumOperazioni == prima.NumOperazioni);
    QVERIFY(m_.ElencoOperazioni == prima.ElencoOperazioni);
}

// Catches: a sheet left on screen (or a print button left visible) when the
// teacher comes back from another window of the program, here the printer
// choice opened from the menu; a sheet wiped when only a message box of
// the program closed; the teacher view after the clearing drawing anew.
void TestFrmStampaSchedeBig::attivazioneCancellaMaUnMessaggioNo()
{
    Apri();
    QTest::mouseClick(Controllo("Option2_0"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    const QStringList alunni = Righe();
    QVERIFY(!alunni.front().isEmpty());

    MostraMessaggio(finestra_, QStringLiteral("prova"));
    auto *scatola = finestra_->findChild<QMessageBox *>(QStringLiteral("messaggio"));
    scatola->activateWindow();
    QTRY_COMPARE(QGuiApplication::focusWindow(), scatola->windowHandle());
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{QStringLiteral("prova")});
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
    QCOMPARE(Righe(), alunni);
    QVERIFY(Controllo("CmdStampaAlunni")->isVisible());

    Controllo<QAction>("mnuStampante")->trigger();
    const QPointer<frmSceltaStampante> scelta = registro_.Trova<frmSceltaStampante>();
    QVERIFY(scelta && scelta->isModal());
    QVERIFY(QTest::qWaitForWindowActive(scelta));
    QTest::mouseClick(scelta->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QTRY_VERIFY(scelta.isNull());
    // The window manager's part: the worksheet window is active again.
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
    QCOMPARE(Righe(), QStringList(60, QString()));
    QVERIFY(!Controllo("CmdStampaAlunni")->isVisible() && !Controllo("CmdStampaDocenti")->isVisible());

    Premi("CmdSchedaDocenti");
    for (int i = 0; i < 60; ++i) {
        QVERIFY(Righe()[i].startsWith(alunni[i] + QStringLiteral("    (")));
    }
}

// Catches: the option groups without effect, or with effect at once on the
// sheet shown; a group of the smaller sheet moved out of its place; the
// result not the hidden term with "Risultato"; options from an earlier
// visit applied although the reopened window shows the load-time choice.
void TestFrmStampaSchedeBig::leOpzioniCambianoLaSchedaSeguente()
{
    Apri();
    QTest::mouseClick(Controllo("Option2_1"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    for (const char *opzione : {"Opt5", "Opt1", "Option1_0"}) {
        auto *bottone = Controllo<QRadioButton>(opzione);
        QTest::mouseClick(bottone, Qt::LeftButton, {}, QPoint(6, bottone->height() / 2));
    }
    Premi("CmdSchedaDocenti");
    QVERIFY(!Righe().contains(QString()));

    Premi("CmdSchedaAlunni");
    const QStringList righe = Righe();
    for (int i = 1; i <= 60; ++i) {
        const bool inUso = (i <= 5) || (i >= 11 && i <= 15);
        QCOMPARE(righe[i - 1].isEmpty(), !inUso);
        QVERIFY2(!inUso || righe[i - 1].endsWith(QStringLiteral(" -  ...      R.")), qPrintable(righe[i - 1]));
    }

    Premi("Command1");
    QTRY_VERIFY(finestra_.isNull());
    QVERIFY(!registro_.Caricata<FrmStampaSchedeBig>());
    QCOMPARE(QString::fromStdString(s_.RigheVisualizzate[1]), righe[0]);
    Apri();
    QCOMPARE(s_.Opzioni, OpzioniScheda{});
}

// Prints with `comando` (made visible by the focus on its view) and reads
// the page back from Gamma.
std::vector<prove::ParolaPdf> TestFrmStampaSchedeBig::StampaSuGamma(const char *comando)
{
    const int gamma = Server->StatoLavori("Gamma").Completati;
    Premi(comando);
    if (!Server->AttendiLavori("Gamma", gamma + 1)) {
        qWarning("%s", Server->RegistroErrori().c_str());
        return {};
    }
    const QString file = QString::fromStdString(Server->FileDiCoda("Gamma").string());
    return prove::PagineDelPdf(file).Pagine == 1 ? prove::ParoleDelPdf(file) : std::vector<prove::ParolaPdf>{};
}

namespace {

// Where line i (1..60) starts on the page, in points from the sheet's
// corner: twips from the printable area's, which is 18 points inside.
QPointF InizioRiga(int i)
{
    const int gruppo = ((i - 1) / 10) % 3;
    const double y = (gruppo == 0 ? 2000.0 : gruppo == 1 ? 6500.0 : 11000.0) + 400.0 * ((i - 1) % 10);
    return {18.0 + (i <= 30 ? 1000.0 : 6000.0) / 20.0, 18.0 + y / 20.0};
}

// The right column starts at 318 points; a line of the left one printed
// in its size ends before that.
constexpr double InizioColonnaDestra = 316.0;

// The height of a word of the lines against one of the 8-point footer.
double RapportoAlPiede(const std::vector<prove::ParolaPdf> &parole)
{
    double righe = 0.0;
    double piede = 0.0;
    for (const prove::ParolaPdf &parola : parole) {
        if (parola.Testo == QStringLiteral("DOV:")) {
            piede = parola.Altezza;
        } else if (parola.Testo == QStringLiteral("R.")) {
            righe = parola.Altezza;
        }
    }
    return piede > 0.0 ? righe / piede : 0.0;
}

QString Piede(bool alunni)
{
    return alunni ? QStringLiteral("Scheda per alunni stampata con Brenotal.1")
                  : QStringLiteral("Scheda per docenti stampata con Brenotal.1");
}

// The whole page: the heading, every line where it belongs with its leading
// blanks, the footer, the size of the lines.
void VerificaPagina(const std::vector<prove::ParolaPdf> &parole, const QStringList &righe, double punti, bool alunni,
                    const QString &codice)
{
    std::vector<prove::ParolaPdf> sinistra;
    std::vector<prove::ParolaPdf> destra;
    for (const prove::ParolaPdf &parola : parole) {
        // The footer, below the lines, is wider than the left column.
        (parola.X < InizioColonnaDestra || parola.Y > 18.0 + 15000.0 / 20.0 ? sinistra : destra).push_back(parola);
    }
    const std::vector<prove::RigaPdf> righeSinistra = prove::RigheDiParole(sinistra);
    const std::vector<prove::RigaPdf> righeDestra = prove::RigheDiParole(destra);
    QCOMPARE(righeSinistra.size(), std::size_t{35});
    QCOMPARE(righeDestra.size(), std::size_t{30});
    QCOMPARE(righeSinistra.front().Testo, QStringLiteral("Nome e cognome"));
    QVERIFY(std::abs(righeSinistra.front().X - 68.0) < 0.1 && std::abs(righeSinistra.front().Y - 68.0) < 1.5);
    const QStringList piede{QStringLiteral("DOV: ricerca"),
                            QStringLiteral("Livello di difficoltà: Numero massimo compreso tra 30 e 70"),
                            Piede(alunni)};
    for (int j = 0; j < 3; ++j) {
        const prove::RigaPdf &riga = righeSinistra[static_cast<std::size_t>(31 + j)];
        QCOMPARE(riga.Testo, piede[j]);
        QVERIFY2(std::abs(riga.X - 68.0) < 0.1 && std::abs(riga.Y - (18.0 + (15100.0 + 200.0 * j) / 20.0)) < 1.0,
                 qPrintable(riga.Testo));
    }
    const prove::RigaPdf &rigaCodice = righeSinistra[34];
    QCOMPARE(rigaCodice.Testo, QStringLiteral("Codice scheda: ") + codice);
    QVERIFY2(std::abs(rigaCodice.X - 68.0) < 0.1 && std::abs(rigaCodice.Y - (18.0 + 15700.0 / 20.0)) < 1.5,
             QByteArray::number(rigaCodice.Y));
    QVERIFY2(std::abs(RapportoAlPiede(parole) - punti / 8.0) < 0.02, QByteArray::number(RapportoAlPiede(parole)));
    for (int i = 1; i <= 60; ++i) {
        const prove::RigaPdf &riga =
            i <= 30 ? righeSinistra[static_cast<std::size_t>(i)] : righeDestra[static_cast<std::size_t>(i - 31)];
        const QString &attesa = righe[i - 1];
        QCOMPARE(riga.Testo, attesa.simplified());
        const auto bianchi = static_cast<double>(attesa.indexOf(QRegularExpression(QStringLiteral("\\S"))));
        const QByteArray dove = "line " + QByteArray::number(i) + " at " + QByteArray::number(riga.X) + ", " +
                                QByteArray::number(riga.Y);
        QVERIFY2(std::abs(riga.X - InizioRiga(i).x() - bianchi * 0.6 * punti) < 0.25, dove);
        QVERIFY2(std::abs(riga.Y - InizioRiga(i).y()) < 1.0, dove);
    }
}

} // namespace

// Catches: on the page that comes out, the sheet's code missing below the
// footer or not the one shown; a line in the wrong column, group or
// row (line 1 at (1000, 2000), 30 at (1000, 14600), 31 at (6000, 2000), 60
// at (6000, 14600) twips from the printable area's corner); the pupils'
// lines not in 12 points or the teachers' not in 10; a footer wrong or
// misplaced; a print split into jobs or pages; the pupils' command after
// the teacher view printing anything but the teacher lines in 12 points
// with the pupils' footer.
void TestFrmStampaSchedeBig::stampaSullaPaginaAlleSuePosizioni()
{
    stampante_.Printer(Dispositivo{"Gamma"});
    Apri();
    QTest::mouseClick(Controllo("Option2_1"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    const QStringList alunni = Righe();
    const QString codice = CodiceMostrato();
    QCOMPARE(codice, QString::fromStdString(s_.Codice));
    VerificaPagina(StampaSuGamma("CmdStampaAlunni"), alunni, 12.0, true, codice);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());

    Premi("CmdSchedaDocenti");
    const QStringList docenti = Righe();
    VerificaPagina(StampaSuGamma("CmdStampaDocenti"), docenti, 10.0, false, codice);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());

    // In 12 points the answers of the left column run into the right one,
    // so the page is read by the answers' opening brackets.
    const std::vector<prove::ParolaPdf> parole = StampaSuGamma("CmdStampaAlunni");
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QVERIFY(std::abs(RapportoAlPiede(parole) - 1.5) < 0.02);
    QVERIFY(std::any_of(parole.begin(), parole.end(),
                        [](const prove::ParolaPdf &p) { return p.Testo == QStringLiteral("alunni"); }));
    for (int i = 1; i <= 60; ++i) {
        const QPointF parentesi = InizioRiga(i) + QPointF(docenti[i - 1].indexOf(QLatin1Char('(')) * 7.2, 0.0);
        const bool trovata = std::any_of(parole.begin(), parole.end(), [&](const prove::ParolaPdf &p) {
            return p.Testo.startsWith(QLatin1Char('(')) && std::abs(p.X - parentesi.x()) < 0.25 &&
                   std::abs(p.Y - parentesi.y()) < 1.0;
        });
        QVERIFY2(trovata, qPrintable(QStringLiteral("line %1").arg(i)));
    }
}

// Catches: a print fault that ends the program, closes the window, says
// nothing or wipes the sheet (when its message closes, too); a page sent
// once the server is back.
void TestFrmStampaSchedeBig::servizioFermoLoDiceETieneLaScheda()
{
    stampante_.Printer(Dispositivo{"Gamma"});
    const int lavori = Server->StatoLavori("Gamma").Completati;
    Apri();
    QTest::mouseClick(Controllo("Option2_2"), Qt::LeftButton);
    Premi("CmdSchedaDocenti");
    Premi("CmdSchedaAlunni");
    const QStringList alunni = Righe();

    Server->Ferma();
    Premi("CmdStampaAlunni");
    Server->Avvia();
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{ServizioFermo});
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
    QVERIFY(registro_.Caricata<FrmStampaSchedeBig>() && finestra_->isVisible());
    QCOMPARE(Righe(), alunni);
    QVERIFY(Controllo("CmdStampaAlunni")->isVisible());
    QTest::qWait(500);
    QCOMPARE(Server->StatoLavori("Gamma").Completati, lavori);
}

// Types `codice` in "Codice scheda" and presses Enter.
void TestFrmStampaSchedeBig::ScriviCodice(const QString &codice)
{
    auto *campo = Controllo<QLineEdit>("txtCodiceScheda");
    campo->setFocus(Qt::OtherFocusReason);
    campo->selectAll();
    QTest::keyClicks(campo, codice);
    QTest::keyClick(campo, Qt::Key_Return);
}

// Catches: a code that does not give back its sheet (or not its answers in
// the teacher view); the entry unusable in a window just opened, before a
// range; an invalid code (short, a look-alike, one character changed)
// taken, said in no words or in the wrong ones, or changing the lines or the
// code shown, also once its message box has closed; the entry's label not
// leading to it.
void TestFrmStampaSchedeBig::unCodiceRidaLaSchedaEUnoSbagliatoNonToccaNulla()
{
    Apri();
    QCOMPARE(Controllo<QLabel>("lblCodiceScheda")->buddy(), Controllo<QLineEdit>("txtCodiceScheda"));
    QTest::mouseClick(Controllo("Option2_2"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    const QStringList prima = Righe();
    const QString codice = CodiceMostrato();
    Premi("CmdSchedaDocenti");
    const QStringList risposte = Righe();
    Premi("Command1");
    QTRY_VERIFY(finestra_.isNull());

    // A week later: another sheet in another range has been drawn since.
    s_ = StatoScheda{};
    Apri();
    ScriviCodice(codice.toLower());
    QCOMPARE(Righe(), prima);
    QCOMPARE(CodiceMostrato(), codice);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    Premi("CmdSchedaDocenti");
    QCOMPARE(Righe(), risposte);
    QVERIFY(Controllo("CmdStampaDocenti")->isVisible());

    QString cambiato = codice;
    cambiato[2] = cambiato[2] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    const std::vector<std::pair<QString, QString>> sbagliati{
        {codice.left(5), QStringLiteral("Il codice scheda è di 6 caratteri: controllare di averlo scritto per intero.")},
        {codice.left(5) + QLatin1Char('O'),
         QStringLiteral("Il codice scheda contiene un carattere che nei codici non compare: si usano le cifre da 2 a 9, "
                        "le lettere tranne I, L e O e i segni + = # %.")},
        {cambiato, QStringLiteral("Il codice scheda non corrisponde a nessuna scheda: controllare di averlo copiato "
                                  "senza errori.")},
    };
    for (const auto &[sbagliato, messaggio] : sbagliati) {
        ScriviCodice(sbagliato);
        QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{messaggio});
        finestra_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(finestra_));
        QCOMPARE(Righe(), risposte);
        QCOMPARE(CodiceMostrato(), codice);
    }
}

namespace {

// The text of each page of a PDF, blanks run together.
QStringList TestiDellePagine(const QString &file)
{
    QProcess processo;
    // In the order drawn: in 12 points the left column runs into the right one.
    processo.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
    if (!processo.waitForFinished(20000)) {
        return {};
    }
    QStringList pagine = QString::fromUtf8(processo.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pagine.isEmpty() && pagine.back().trimmed().isEmpty()) {
        pagine.removeLast();
    }
    for (QString &pagina : pagine) {
        pagina = pagina.simplified();
    }
    return pagine;
}

// The code each page names, in page order.
QStringList CodiciDellePagine(const QStringList &pagine)
{
    static const QRegularExpression codice(QStringLiteral("Codice scheda: (\\w{6})"));
    QStringList codici;
    for (const QString &pagina : pagine) {
        codici.append(codice.match(pagina).captured(1));
    }
    return codici;
}

// Each page holds every used line of the sheet its code rebuilds, pupil or
// teacher lines.
void VerificaCopie(const QStringList &pagine, const QStringList &codici, bool docenti)
{
    for (int p = 0; p < pagine.size(); ++p) {
        DatiScheda dati;
        QCOMPARE(CodiceScheda::Leggi(codici[p].toStdString(), dati), CodiceScheda::Errore::Nessuno);
        const StatoScheda scheda = GeneratoreScheda::Costruisci(dati);
        for (int riga = 1; riga <= 60; ++riga) {
            const auto &righe = docenti ? scheda.RigheDocenti : scheda.RigheAlunni;
            const QString attesa = QString::fromStdString(righe[static_cast<std::size_t>(riga)]).simplified();
            QVERIFY2(attesa.isEmpty() || pagine[p].contains(attesa),
                     qPrintable(QStringLiteral("page %1 line %2: %3").arg(p + 1).arg(riga).arg(attesa)));
        }
    }
}

} // namespace

// Catches: copies printed as separate jobs or on one page; two pupils with
// the same sheet; a page whose lines are not those of the code it names;
// the first page not the sheet shown; the teacher print not giving the
// answers of the same sheets in the same order, or drawing new ones; a
// new sheet still printing the copies of the one before.
void TestFrmStampaSchedeBig::trentaCopieDiverseInUnLavoroELeLoroRisposte()
{
    stampante_.Printer(Dispositivo{"Gamma"});
    Apri();
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->value(), 1);
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->minimum(), 1);
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->maximum(), 40);
    QCOMPARE(Controllo<QLabel>("lblCopie")->buddy(), Controllo<QSpinBox>("spnCopie"));
    QTest::mouseClick(Controllo("Option2_0"), Qt::LeftButton);
    Premi("CmdSchedaAlunni");
    const QString primo = CodiceMostrato();
    Controllo<QSpinBox>("spnCopie")->setValue(30);

    const QString file = QString::fromStdString(Server->FileDiCoda("Gamma").string());
    const auto stampa = [&](const char *comando) {
        const int lavori = Server->StatoLavori("Gamma").Completati;
        Premi(comando);
        const bool arrivato = Server->AttendiLavori("Gamma", lavori + 1);
        QTest::qWait(300);
        return arrivato && Server->StatoLavori("Gamma").Completati == lavori + 1 ? TestiDellePagine(file)
                                                                                  : QStringList();
    };

    const QStringList alunni = stampa("CmdStampaAlunni");
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QCOMPARE(prove::PagineDelPdf(file).Pagine, 30);
    QCOMPARE(alunni.size(), 30);
    const QStringList codici = CodiciDellePagine(alunni);
    QCOMPARE(codici.front(), primo);
    QCOMPARE(QSet<QString>(codici.begin(), codici.end()).size(), 30);
    VerificaCopie(alunni, codici, false);

    Premi("CmdSchedaDocenti");
    const QStringList docenti = stampa("CmdStampaDocenti");
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QCOMPARE(docenti.size(), 30);
    QCOMPARE(CodiciDellePagine(docenti), codici);
    VerificaCopie(docenti, codici, true);

    Premi("CmdSchedaAlunni");
    QVERIFY(CodiceMostrato() != primo);
    Controllo<QSpinBox>("spnCopie")->setValue(1);
    const QStringList una = stampa("CmdStampaAlunni");
    QCOMPARE(CodiciDellePagine(una), QStringList{CodiceMostrato()});
}

int main(int argc, char **argv)
{
    return prove::ConServerCups([&](prove::ServerCupsPrivato &server) {
        Server = &server;
        QApplication applicazione(argc, argv);
        TestFrmStampaSchedeBig prova;
        return QTest::qExec(&prova, argc, argv);
    });
}

#include "TestFrmStampaSchedeBig.moc"
