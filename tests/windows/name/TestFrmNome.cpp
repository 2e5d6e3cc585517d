// SPDX-License-Identifier: GPL-3.0-or-later
// The name entry: what the keyboard puts in the label and in NomeAlunno.
#include "exercise/Modulo2.h"
#include "exercise/OsservatoreEsercizio.h"
#include "windows/name/frmNome.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace lumivex;
using namespace Qt::StringLiterals;

class TestFrmNome : public QObject {
    Q_OBJECT

private slots:
    void scrittura()
    {
        Modulo2 modulo;
        modulo.NomeAlunno = "Paolo";
        frmNome finestra(modulo);
        finestra.show();
        finestra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        const QLabel *etichetta = finestra.findChild<QLabel *>(u"lblNome"_s);
        // What the label shows and what NomeAlunno holds.
        const auto nome = [&] { return QStringList{etichetta->text(), QString::fromStdString(modulo.NomeAlunno)}; };
        const QStringList vuoto{u"?"_s, u"?"_s};
        QCOMPARE(nome(), vuoto);
        // Keys go to "AVANTI", which keeps the focus; letters come as small
        // letters.
        QWidget *avanti = QApplication::focusWidget();
        QTest::keyClicks(avanti, u"\b"_s);
        QCOMPARE(nome(), vuoto);
        // A deleted last letter must not stay in NomeAlunno.
        QTest::keyClicks(avanti, u"a\b"_s);
        QCOMPARE(nome(), vuoto);

        QTest::keyClicks(avanti, u"ma 1'"_s);
        QTest::keyClick(avanti, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(avanti, Qt::Key_R, Qt::ShiftModifier);
        // I held down: its repeats type nothing.
        for (const bool ripetuto : {false, true, true}) {
            QKeyEvent evento(QEvent::KeyPress, Qt::Key_I, Qt::NoModifier, u"i"_s, ripetuto);
            QCoreApplication::sendEvent(avanti, &evento);
        }
        QTest::keyClick(avanti, Qt::Key_O);
        QCOMPARE(nome(), (QStringList{u"MARIO"_s, u"MARIO"_s}));

        // S held on an X server: one repeat Qt did not flag, a release and
        // a press with one timestamp, must not type a second S.
        const auto tastoX = [&finestra](QEvent::Type tipo, quint64 tempo) {
            QKeyEvent evento(tipo, Qt::Key_S, Qt::NoModifier, 39, 0, 0, u"s"_s);
            evento.setTimestamp(tempo);
            QCoreApplication::sendEvent(finestra.windowHandle(), &evento);
        };
        tastoX(QEvent::KeyPress, 500);
        for (const quint64 tempo : {1160, 1200}) {
            tastoX(QEvent::KeyRelease, tempo);
            tastoX(QEvent::KeyPress, tempo);
        }
        tastoX(QEvent::KeyRelease, 1240);
        QCOMPARE(nome().front(), u"MARIOS"_s);
    }

    // Catches: the register given every letter on the way, or not given the
    // name when "AVANTI" closes the window; an empty "?" given as a name.
    void nomeConfermatoAllaChiusura()
    {
        struct Nomi final : OsservatoreEsercizio {
            void EsercizioIniziato(std::int16_t, std::int16_t) override {}
            void ProblemaRisolto(const ProblemaConcluso &) override {}
            void EsercizioFinito(const EsitoEsercizio &) override {}
            void NomeConfermato(const std::string &nome) override { Dati << QString::fromStdString(nome); }
            QStringList Dati;
        } nomi;
        Modulo2 modulo;
        modulo.Osservatore = &nomi;
        for (const QString &lettere : {QString(), u"lia"_s}) {
            frmNome finestra(modulo);
            finestra.show();
            finestra.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&finestra));
            QWidget *avanti = QApplication::focusWidget();
            QTest::keyClicks(avanti, lettere);
            QVERIFY(nomi.Dati.isEmpty());
            QTest::mouseClick(finestra.findChild<QWidget *>(u"Option4"_s), Qt::LeftButton);
            QVERIFY(!finestra.isVisible());
        }
        QCOMPARE(nomi.Dati, QStringList{u"LIA"_s});
    }
};

QTEST_MAIN(TestFrmNome)
#include "TestFrmNome.moc"
