// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window's class sets and large print, printed through a
// private CUPS server and read back word by word with pdftotext -bbox.
#include "exercise/Modulo2.h"
#include "exercise/SorgenteCasuale.h"
#include "printing/StampanteQt.h"
#include "support/Finti.h"
#include "support/Messaggi.h"
#include "support/cups/ConServerCups.h"
#include "support/cups/ServerCupsPrivato.h"
#include "support/pdf/LetturaPdf.h"
#include "windows/common/ClasseSchede.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"
#include "worksheets/CodiceScheda.h"
#include "worksheets/ElencoClasse.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/StatoScheda.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

// A4 in points and the printable area the test queues' PPD declares.
constexpr double MargineA4 = 18.0;
constexpr double LarghezzaA4 = 595.0;
constexpr double AltezzaA4 = 842.0;

QStringList Venticinque()
{
    QStringList nomi{QStringLiteral("Giulia D'Angelo"), QStringLiteral("Nicolò Bianchi")};
    for (int i = 3; i <= 25; ++i) {
        nomi.append(QStringLiteral("Alunno %1 Rossi").arg(i));
    }
    return nomi;
}

// The words of a page as lines, top to bottom.
QStringList TestiDiRighe(const std::vector<prove::ParolaPdf> &parole)
{
    QStringList righe;
    for (const prove::RigaPdf &riga : prove::RigheDiParole(parole)) {
        righe.append(riga.Testo);
    }
    return righe;
}

// The code a page names.
QString CodiceDellaPagina(const QStringList &righe)
{
    for (const QString &riga : righe) {
        const qsizetype dove = riga.indexOf(QStringLiteral("Codice scheda: "));
        if (dove >= 0) {
            return riga.mid(dove + 15, 6);
        }
    }
    return {};
}

// The name after "Nome e cognome" on the heading's line, and whether it
// stands on that line just after the caption.
QString NomeDellaPagina(const std::vector<prove::ParolaPdf> &parole)
{
    const auto cognome = std::find_if(parole.begin(), parole.end(),
                                      [](const prove::ParolaPdf &p) { return p.Testo == QStringLiteral("cognome"); });
    if (cognome == parole.end()) {
        return {};
    }
    std::vector<prove::ParolaPdf> dopo;
    for (const prove::ParolaPdf &p : parole) {
        if (std::abs(p.Y - cognome->Y) < 1.0 && p.X > cognome->X + cognome->Larghezza &&
            p.X < cognome->X + cognome->Larghezza + 30.0 * 10.0) {
            dopo.push_back(p);
        }
    }
    std::sort(dopo.begin(), dopo.end(), [](const auto &a, const auto &b) { return a.X < b.X; });
    QStringList testo;
    for (const prove::ParolaPdf &p : dopo) {
        testo.append(p.Testo);
    }
    return testo.join(QLatin1Char(' '));
}

} // namespace

class TestClasseEGrandi : public QObject {
    Q_OBJECT

public:
    TestClasseEGrandi();

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void venticinqueAlunniVenticinqueSchedeColNome();
    void caratteriGrandiDalCodiceStesseRighe();
    void laClasseDaUnFileERestaNelleImpostazioni();
    void laClasseScrittaAltroveArrivaAllaRiattivazione();

private:
    FrmStampaSchedeBig &Apri();
    template <class T = QPushButton>
    T *Controllo(const char *nome) const
    {
        T *trovato = finestra_->findChild<T *>(QString::fromLatin1(nome));
        if (trovato == nullptr) {
            qFatal("Manca %s", nome);
        }
        return trovato;
    }
    void Premi(const char *nome) const { QTest::mouseClick(Controllo(nome), Qt::LeftButton); }
    // The pages printed on Gamma by `comando`, word by word.
    std::vector<std::vector<prove::ParolaPdf>> Stampa(const char *comando);
    // "Leggi da file…" and, in its dialog, `file` chosen.
    void ScegliFile(const QString &file);

    Modulo2 m_;
    StatoScheda s_;
    SorgenteCasualeReale casuale_{77};
    prove::OrologioFinto orologio_;
    StampanteQt stampante_{[](const QString &) { return std::optional<QString>(); }};
    RegistroFinestre registro_{[] {}};
    QPointer<FrmStampaSchedeBig> finestra_;
};

TestClasseEGrandi::TestClasseEGrandi()
{
    registro_.Registra<FrmStampaSchedeBig>([this] {
        return std::make_unique<FrmStampaSchedeBig>(m_, s_, stampante_, casuale_, orologio_);
    });
}

void TestClasseEGrandi::initTestCase()
{
    // The class list goes to the settings: never the user's own.
    QVERIFY2(qEnvironmentVariable("XDG_CONFIG_HOME").contains(QStringLiteral("/casa/")),
             "serve la cartella di impostazioni che ctest dà alla prova");
    stampante_.Printer(Dispositivo{"Gamma"});
}

void TestClasseEGrandi::init()
{
    m_ = Modulo2{};
    s_ = StatoScheda{};
    QSettings(QStringLiteral("Lumivex"), QStringLiteral("Lumivex")).clear();
}

void TestClasseEGrandi::cleanup()
{
    prove::ChiudiMessaggi(finestra_);
    registro_.Scarica<FrmStampaSchedeBig>();
    QTRY_VERIFY(finestra_.isNull());
}

FrmStampaSchedeBig &TestClasseEGrandi::Apri()
{
    finestra_ = &registro_.MostraIngrandita<FrmStampaSchedeBig>();
    if (!QTest::qWaitForWindowActive(finestra_)) {
        qWarning("la finestra delle schede non si attiva");
    }
    return *finestra_;
}

std::vector<std::vector<prove::ParolaPdf>> TestClasseEGrandi::Stampa(const char *comando)
{
    const int lavori = Server->StatoLavori("Gamma").Completati;
    Premi(comando);
    if (!Server->AttendiLavori("Gamma", lavori + 1)) {
        qWarning("%s", Server->RegistroErrori().c_str());
        return {};
    }
    QTest::qWait(300);
    if (Server->StatoLavori("Gamma").Completati != lavori + 1) {
        return {};
    }
    return prove::ParolePerPagina(QString::fromStdString(Server->FileDiCoda("Gamma").string()));
}

void TestClasseEGrandi::ScegliFile(const QString &file)
{
    QTimer::singleShot(0, this, [file] {
        auto *dialogo = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialogo == nullptr) {
            qWarning("nessuna scelta di file aperta");
            return;
        }
        dialogo->selectFile(file);
        static_cast<QDialog *>(dialogo)->accept();
    });
    Premi("cmdLeggiClasse");
}

// Catches: a class set not in one job, or not a page a pupil; a name
// missing, altered ("D'Angelo", "Nicolò"), on another pupil's page or away
// from the "Nome e cognome" field; two pupils with the same sheet; "Copie"
// not following the list; "senza prestito" not reaching the copies; the
// answer pages not in the same order, with other sheets or without the
// names.
void TestClasseEGrandi::venticinqueAlunniVenticinqueSchedeColNome()
{
    Apri();
    const QStringList nomi = Venticinque();
    Controllo<QPlainTextEdit>("txtClasse")->setPlainText(nomi.join(QLatin1Char('\n')) + QStringLiteral("\n\n"));
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->value(), 25);
    QVERIFY(!Controllo<QSpinBox>("spnCopie")->isEnabled());
    QTest::mouseClick(Controllo("Option2_1"), Qt::LeftButton);
    QTest::mouseClick(Controllo<QRadioButton>("OptSenzaPrestito"), Qt::LeftButton, {}, QPoint(6, 10));
    QVERIFY(Controllo<QRadioButton>("OptSenzaPrestito")->isChecked());
    Premi("CmdSchedaAlunni");

    const auto alunni = Stampa("CmdStampaAlunni");
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QCOMPARE(alunni.size(), 25U);
    QStringList codici;
    for (std::size_t p = 0; p < alunni.size(); ++p) {
        QCOMPARE(NomeDellaPagina(alunni[p]), nomi[static_cast<qsizetype>(p)]);
        const QString codice = CodiceDellaPagina(TestiDiRighe(alunni[p]));
        codici.append(codice);
        DatiScheda dati;
        QCOMPARE(CodiceScheda::Leggi(codice.toStdString(), dati), CodiceScheda::Errore::Nessuno);
        QCOMPARE(dati.Opzioni.Prestito, PrestitoScheda::Senza);
        QCOMPARE(dati.Livello, 1);
        const StatoScheda scheda = GeneratoreScheda::Costruisci(dati);
        const QStringList righe = TestiDiRighe(alunni[p]);
        const QString tutto = righe.join(QLatin1Char(' '));
        for (int r : {1, 30, 31, 60}) {
            QVERIFY2(tutto.contains(QString::fromStdString(scheda.RigheAlunni[static_cast<std::size_t>(r)]).simplified()),
                     qPrintable(tutto));
        }
    }
    QCOMPARE(codici.front(), QString::fromStdString(s_.Codice));
    QCOMPARE(QSet<QString>(codici.begin(), codici.end()).size(), 25);

    Premi("CmdSchedaDocenti");
    const auto docenti = Stampa("CmdStampaDocenti");
    QCOMPARE(docenti.size(), 25U);
    for (std::size_t p = 0; p < docenti.size(); ++p) {
        QCOMPARE(NomeDellaPagina(docenti[p]), nomi[static_cast<qsizetype>(p)]);
        QCOMPARE(CodiceDellaPagina(TestiDiRighe(docenti[p])), codici[static_cast<qsizetype>(p)]);
    }
}

// Catches: large print of a code typed in "Codice scheda" giving other
// problems, or the same ones in another order, than the ordinary page;
// lines not in 18 points or more than ten a page; a page without its
// number, code or footer; anything outside A4's printable area; the
// teacher's large print not following the same layout.
void TestClasseEGrandi::caratteriGrandiDalCodiceStesseRighe()
{
    Apri();
    DatiScheda dati;
    dati.Livello = 2;
    dati.Opzioni.Prestito = PrestitoScheda::Con;
    dati.Seme = 321;
    const StatoScheda attesa = GeneratoreScheda::Costruisci(dati);
    auto *campo = Controllo<QLineEdit>("txtCodiceScheda");
    campo->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(campo, QString::fromStdString(attesa.Codice));
    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QTest::mouseClick(Controllo<QCheckBox>("chkCaratteriGrandi"), Qt::LeftButton, {}, QPoint(6, 10));
    QVERIFY(Controllo<QCheckBox>("chkCaratteriGrandi")->isChecked());

    for (const bool docenti : {false, true}) {
        if (docenti) {
            Premi("CmdSchedaDocenti");
        }
        const auto pagine = Stampa(docenti ? "CmdStampaDocenti" : "CmdStampaAlunni");
        QCOMPARE(pagine.size(), 6U);
        QStringList problemi;
        for (std::size_t p = 0; p < pagine.size(); ++p) {
            const QStringList righe = TestiDiRighe(pagine[p]);
            QCOMPARE(CodiceDellaPagina(righe), QString::fromStdString(attesa.Codice));
            QVERIFY2(righe.join(QLatin1Char('|')).contains(QStringLiteral("pagina %1 di 6").arg(p + 1)),
                     qPrintable(righe.join(QLatin1Char('|'))));
            QVERIFY(righe.contains(QStringLiteral("DOV: ricerca")));
            QVERIFY(righe.contains(QString::fromUtf8(docenti ? "Scheda per docenti stampata con Brenotal.1"
                                                             : "Scheda per alunni stampata con Brenotal.1")));
            double piede = 0.0;
            for (const prove::ParolaPdf &parola : pagine[p]) {
                QVERIFY2(parola.X >= MargineA4 && parola.Y >= MargineA4 &&
                             parola.X + parola.Larghezza <= LarghezzaA4 - MargineA4 &&
                             parola.Y + parola.Altezza <= AltezzaA4 - MargineA4,
                         qPrintable(parola.Testo));
                if (parola.Testo == QStringLiteral("DOV:")) {
                    piede = parola.Altezza;
                }
            }
            int diQuestaPagina = 0;
            for (const prove::RigaPdf &riga : prove::RigheDiParole(pagine[p])) {
                if (riga.Testo.endsWith(QStringLiteral("R.")) || riga.Testo.endsWith(QLatin1Char(')'))) {
                    problemi.append(riga.Testo);
                    ++diQuestaPagina;
                    const auto parola = std::find_if(pagine[p].begin(), pagine[p].end(), [&](const auto &w) {
                        return std::abs(w.Y - riga.Y) < 0.5;
                    });
                    // Against the 8-point footer: 18 points.
                    QVERIFY2(std::abs(parola->Altezza / piede - 18.0 / 8.0) < 0.1, qPrintable(riga.Testo));
                }
            }
            QCOMPARE(diQuestaPagina, 10);
        }
        QStringList ordinarie;
        for (std::size_t r = 1; r <= 60; ++r) {
            ordinarie.append(QString::fromStdString(docenti ? attesa.RigheDocenti[r] : attesa.RigheAlunni[r]).simplified());
        }
        QCOMPARE(problemi, ordinarie);
    }
}

// Catches: a file with a byte-order mark, Windows line ends or blank lines
// read wrong; a file that is not text taken as names, or refused in no
// words or with the list lost; the list not kept for the next time the
// window opens; "Copie" left locked when the list is emptied.
void TestClasseEGrandi::laClasseDaUnFileERestaNelleImpostazioni()
{
    QTemporaryDir cartella;
    const QString testo = cartella.filePath(QStringLiteral("classe.csv"));
    QFile file(testo);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFGiulia D'Angelo\r\n\r\n  Nicol\xC3\xB2 Bianchi  \r\nLuca Verdi\r\n");
    file.close();
    QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("foto")));
    const QString immagine = cartella.filePath(QStringLiteral("foto/foto.csv"));
    QFile foto(immagine);
    QVERIFY(foto.open(QIODevice::WriteOnly));
    foto.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    foto.close();

    Apri();
    ScegliFile(testo);
    const QString attesa = QStringLiteral("Giulia D'Angelo\nNicolò Bianchi\nLuca Verdi");
    QCOMPARE(Controllo<QPlainTextEdit>("txtClasse")->toPlainText(), attesa);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->value(), 3);

    ScegliFile(immagine);
    QCOMPARE(prove::ChiudiMessaggi(finestra_),
             QStringList{QStringLiteral("Il file scelto non è un elenco di nomi: serve un file di testo o CSV con "
                                            "un nome per riga.")});
    QCOMPARE(Controllo<QPlainTextEdit>("txtClasse")->toPlainText(), attesa);

    registro_.Scarica<FrmStampaSchedeBig>();
    QTRY_VERIFY(finestra_.isNull());
    Apri();
    QCOMPARE(Controllo<QPlainTextEdit>("txtClasse")->toPlainText(), attesa);
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->value(), 3);
    QVERIFY(!Controllo<QSpinBox>("spnCopie")->isEnabled());
    // Large print is the teacher's choice of the moment, never kept.
    QVERIFY(!Controllo<QCheckBox>("chkCaratteriGrandi")->isChecked());
    QVERIFY(!QSettings(QStringLiteral("Lumivex"), QStringLiteral("Lumivex")).allKeys().join(QLatin1Char(' ')).contains(
        QStringLiteral("grand"), Qt::CaseInsensitive));

    Controllo<QPlainTextEdit>("txtClasse")->clear();
    QVERIFY(Controllo<QSpinBox>("spnCopie")->isEnabled());
    QVERIFY(!QSettings(QStringLiteral("Lumivex"), QStringLiteral("Lumivex")).contains(QStringLiteral("schede/classe")));
}

// Catches: a list another window wrote meanwhile not shown when this one
// is active again, or shown without "Copie" following it; a quoted name
// printed with its quotes or split at its ';'.
void TestClasseEGrandi::laClasseScrittaAltroveArrivaAllaRiattivazione()
{
    Apri();
    QWidget altra;
    altra.show();
    altra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&altra));
    ScriviClasseSchede(TestoClasse({QStringLiteral("Anna Rossi"), QStringLiteral("D'Amico; \"Gio\""),
                                    QStringLiteral("Luca Bianchi")}));
    finestra_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra_));
    QCOMPARE(Controllo<QPlainTextEdit>("txtClasse")->toPlainText(),
             QStringLiteral("Anna Rossi\n\"D'Amico; \"\"Gio\"\"\"\nLuca Bianchi"));
    QCOMPARE(Controllo<QSpinBox>("spnCopie")->value(), 3);
    QVERIFY(!Controllo<QSpinBox>("spnCopie")->isEnabled());
    const std::vector<std::string> attesi{"Anna Rossi", "D'Amico; \"Gio\"", "Luca Bianchi"};
    QCOMPARE(LeggiElencoClasse(ClasseSchede().toStdString()).value_or(std::vector<std::string>()), attesi);
}

int main(int argc, char **argv)
{
    return prove::ConServerCups([&](prove::ServerCupsPrivato &server) {
        Server = &server;
        QApplication applicazione(argc, argv);
        TestClasseEGrandi prova;
        return QTest::qExec(&prova, argc, argv);
    });
}

#include "TestClasseEGrandi.moc"
