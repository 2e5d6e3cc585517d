// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of each window, read from outside the program
// through AT-SPI, as a reader reads it: the windows run on a real X screen
// and a helper process walks their accessibility tree over the bus.
#include "support/finestre/FinestreProva.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <functional>

using namespace lumivex;
using namespace lumivex::prove;
using namespace Qt::StringLiterals;

namespace {

using Condizione = std::function<bool(const QJsonObject &)>;

// Every window of this program as the reader sees it now. The event loop
// keeps running meanwhile: the program answers the reader's questions.
QJsonArray AlberoLetto()
{
    QProcess lettore;
    lettore.start(QStringLiteral(LETTORE_PYTHON),
                  {QStringLiteral(LETTORE_ALBERO), QString::number(QCoreApplication::applicationPid())});
    if (!QTest::qWaitFor([&lettore] { return lettore.state() == QProcess::NotRunning; }, 30000))
        qFatal("Il lettore dell'albero non ha finito");
    if (lettore.exitStatus() != QProcess::NormalExit || lettore.exitCode() != 0)
        qFatal("Il lettore dell'albero non riesce: %s", lettore.readAllStandardError().constData());
    return QJsonDocument::fromJson(lettore.readAllStandardOutput()).array();
}

// What under `radice` (itself included) meets `condizione`.
QList<QJsonObject> Trova(const QJsonObject &radice, const Condizione &condizione)
{
    QList<QJsonObject> trovati;
    if (condizione(radice))
        trovati.append(radice);
    for (const QJsonValue figlio : radice.value(u"figli"_s).toArray())
        trovati += Trova(figlio.toObject(), condizione);
    return trovati;
}

// The one window on screen with this role and name; empty if there is
// none, or more than one.
QJsonObject Finestra(const QJsonArray &finestre, const QString &ruolo, const QString &nome)
{
    QList<QJsonObject> trovate;
    for (const QJsonValue finestra : finestre) {
        const QJsonObject f = finestra.toObject();
        if (f.value(u"visibile"_s).toBool() && f.value(u"ruolo"_s) == ruolo && f.value(u"nome"_s) == nome)
            trovate.append(f);
    }
    if (trovate.size() != 1)
        qWarning("Sullo schermo: %s", QJsonDocument(finestre).toJson(QJsonDocument::Compact).left(400).constData());
    return trovate.size() == 1 ? trovate.front() : QJsonObject();
}

// What is on screen under `finestra` and named `nome`.
QList<QJsonObject> Visibili(const QJsonObject &finestra, const QString &nome)
{
    return Trova(finestra, [&nome](const QJsonObject &n) {
        return n.value(u"visibile"_s).toBool() && n.value(u"nome"_s).toString() == nome;
    });
}

QStringList Nomi(const QJsonObject &nodo, const QString &relazione)
{
    QStringList nomi;
    for (const QJsonValue nome : nodo.value(relazione).toArray())
        nomi.append(nome.toString().trimmed());
    return nomi;
}

} // namespace

class TestLettoreSchermo : public QObject {
    Q_OBJECT

private slots:
    // Catches: the certificate heard as a nameless picture in a "Form1"
    // filler, or named without the pupil's name, grade and date as drawn;
    // its title changed.
    void attestato()
    {
        Programma p;
        p.stato.NomeAlunno = "GIULIA";
        p.stato.RisposteEsatte = 15;
        p.stato.NumOperazioni = 20;
        FrmAttestato &attestato = p.registro.MostraIngrandita<FrmAttestato>();
        QVERIFY(QTest::qWaitFor([&attestato] { return attestato.DisegnoCompleto(); }, 10000));
        QCOMPARE(attestato.windowTitle(), u"Form1"_s);

        const QJsonObject finestra = Finestra(AlberoLetto(), u"frame"_s, u"Diploma di merito"_s);
        QVERIFY(!finestra.isEmpty());
        const QList<QJsonObject> diploma = Visibili(finestra, u"Diploma di merito di Giulia, giudizio BUONO, data 07/12/2026"_s);
        QCOMPARE(diploma.size(), 1);
        QCOMPARE(diploma.front().value(u"ruolo"_s).toString(), u"image"_s);
    }

    // Catches: counters heard as bare numbers (or as nothing when zero) with
    // no heading, the wrong answers' counter described as seconds, a cross
    // heard twice or not at all.
    void contatoriECroce()
    {
        Programma p;
        FrmOperativo &w = p.Apri<FrmOperativo>();
        Scrivi(w, 5);
        Premi(w, Qt::Key_Return); // wrong: a cross over the hidden term
        QVERIFY(Figlio(w, u"Line1_1"_s)->isVisible());

        const QJsonObject finestra = Finestra(AlberoLetto(), u"frame"_s, u"LUMIVEX"_s);
        QVERIFY(!finestra.isEmpty());
        const struct {
            QString nome;
            QString intestazione;
        } contatori[] = {
            {u"Operazioni: 1"_s, u"Operazioni"_s},
            {u"Risposte esatte: 0"_s, u"Risposte esatte"_s},
            {u"Risposte errate: 1"_s, u"Risposte errate"_s},
            {u"Tempo totale: 0"_s, u"Tempo totale"_s},
        };
        for (const auto &[nome, intestazione] : contatori) {
            const QList<QJsonObject> trovati = Visibili(finestra, nome);
            QVERIFY2(trovati.size() == 1, qPrintable(nome));
            QCOMPARE(Nomi(trovati.front(), u"etichettatoDa"_s), QStringList{intestazione});
        }
        const QString errate = Visibili(finestra, u"Risposte errate: 1"_s).front().value(u"descrizione"_s).toString();
        QVERIFY2(!errate.contains(u"Secondi"_s), qPrintable(errate));

        QCOMPARE(Visibili(finestra, u"Croce: risposta sbagliata"_s).size(), 1);
        const QList<QJsonObject> senzaNome = Trova(finestra, [](const QJsonObject &n) {
            return n.value(u"visibile"_s).toBool() && n.value(u"ruolo"_s).toString() == u"image"_s
                && n.value(u"nome"_s).toString().isEmpty();
        });
        QCOMPARE(senzaNome.size(), 0);
    }

    // Catches: the printer choice heard as a "Form1" filler, its list named
    // only by its entry and pointed at by the empty label beside it; the
    // window's title changed.
    void sceltaStampante()
    {
        Programma p;
        frmSceltaStampante &scelta = p.registro.Mostra<frmSceltaStampante>();
        scelta.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&scelta));
        QCOMPARE(scelta.windowTitle(), u"Form1"_s);

        const QJsonObject finestra = Finestra(AlberoLetto(), u"dialog"_s, u"Scelta della stampante"_s);
        QVERIFY(!finestra.isEmpty());
        const QList<QJsonObject> elenchi = Trova(finestra, [](const QJsonObject &n) {
            return n.value(u"ruolo"_s).toString() == u"combo box"_s;
        });
        QCOMPARE(elenchi.size(), 1);
        QCOMPARE(Nomi(elenchi.front(), u"etichettatoDa"_s), QStringList{u"Stampante su cui stampare"_s});
        const QList<QJsonObject> etichetteVuote = Trova(finestra, [](const QJsonObject &n) {
            return !n.value(u"etichettaPer"_s).toArray().isEmpty() && n.value(u"nome"_s).toString().trimmed().isEmpty();
        });
        QCOMPARE(etichetteVuote.size(), 0);
    }

    // Catches: the name window heard as a "Form2" filler, the name heard as a
    // bare "?" tied to nothing, or not following the letters typed.
    void nome()
    {
        Programma p;
        frmNome &nome = p.registro.Mostra<frmNome>();
        nome.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&nome));
        QCOMPARE(nome.windowTitle(), u"Form2"_s);

        const auto letto = [](const QString &atteso) {
            const QJsonObject finestra = Finestra(AlberoLetto(), u"dialog"_s, u"Scrivi il tuo nome"_s);
            QVERIFY(!finestra.isEmpty());
            const QList<QJsonObject> trovati = Visibili(finestra, atteso);
            QCOMPARE(trovati.size(), 1);
            QCOMPARE(Nomi(trovati.front(), u"etichettatoDa"_s), QStringList{u"SCRIVI  IL  TUO  NOME"_s});
        };
        letto(u"Il tuo nome: non hai ancora scritto nessuna lettera"_s);
        for (const Qt::Key lettera : {Qt::Key_E, Qt::Key_V, Qt::Key_A})
            Premi(nome, lettera);
        letto(u"Il tuo nome: EVA"_s);
    }

    // Catches: the sheet's code heard without saying it is the code, the
    // hidden-term choices heard in no named group.
    void schede()
    {
        Programma p;
        FrmStampaSchedeBig &schede = p.Apri<FrmStampaSchedeBig>();
        QTest::mouseClick(Figlio(schede, u"Option2_0"_s), Qt::LeftButton);
        QTest::mouseClick(Figlio(schede, u"CmdSchedaAlunni"_s), Qt::LeftButton);
        const QString codice = Testo(schede, u"lblCodice"_s);
        QVERIFY2(codice.startsWith(u"Codice scheda: "_s), qPrintable(codice));

        const QJsonObject finestra = Finestra(AlberoLetto(), u"frame"_s, schede.windowTitle());
        QVERIFY(!finestra.isEmpty());
        QCOMPARE(Visibili(finestra, codice).size(), 1);
        for (const QString &gruppo : {u"Operazioni"_s, u"Esercizi"_s, u"Termine da nascondere"_s}) {
            const QList<QJsonObject> trovati = Visibili(finestra, gruppo);
            QVERIFY2(trovati.size() == 1, qPrintable(gruppo));
            int scelte = 0;
            for (const QJsonValue figlio : trovati.front().value(u"figli"_s).toArray())
                scelte += figlio.toObject().value(u"ruolo"_s).toString() == u"radio button"_s;
            QVERIFY2(scelte >= 2, qPrintable(gruppo));
        }
    }
};

QTEST_MAIN(TestLettoreSchermo)

#include "TestLettoreSchermo.moc"
