// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/finestre/FinestreProva.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>

#include <array>

using namespace lumivex;
using namespace lumivex::prove;

// Notes the order in which windows receive their close.
struct Chiusure : QObject {
    QStringList ordine;
    bool eventFilter(QObject *finestra, QEvent *evento) override
    {
        if (evento->type() == QEvent::Close)
            ordine.append(finestra->objectName());
        return false;
    }
};

class TestFrmInizio : public QObject {
    Q_OBJECT

private slots:
    void sceltaDelLivelloVaiEChiusura();
    void escoEdEsciChiudeTutto();
    void unAltroLivelloPrimaDiVai();
    void ilRegistroDalMenuChiedePrimaLaPassword();
    void coloriDeiComandi();
    void figuraDellaFinestra();
};

// Catches: the picture built into the program decoded wrongly (channels,
// rows, premultiplication) or missing: the window must show the PNG of the
// assets exactly.
void TestFrmInizio::figuraDellaFinestra()
{
    Programma p;
    FrmInizio &inizio = p.registro.Carica<FrmInizio>();
    const QLabel *figura = inizio.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(figura != nullptr);
    const QImage attesa =
        QImage(QStringLiteral(LUMIVEX_RISORSE "/Image1.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!attesa.isNull());
    const QImage mostrata = figura->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(mostrata.size(), attesa.size());
    // Pixel by pixel: the PNG also carries a colour space, which the window
    // does not use.
    for (int y = 0; y < attesa.height(); ++y) {
        for (int x = 0; x < attesa.width(); ++x)
            QCOMPARE(mostrata.pixel(x, y), attesa.pixel(x, y));
    }
}

void TestFrmInizio::sceltaDelLivelloVaiEChiusura()
{
    // Catches: "Vai" reachable by mouse, Space or digit before a range is
    // chosen (an exercise with no bounds); the choice (here by accessibility
    // Press) not loading the exercise window hidden, or drawing its first
    // problem with the old bounds; "Vai" not showing it with the focus on
    // its key "1"; closing the start window leaving the exercise loaded.
    Programma p;
    FrmInizio &w = p.Apri<FrmInizio>();
    QTest::mouseClick(Pulsante(w, u"Option3_0"_s), Qt::LeftButton);
    Pulsante(w, u"Option3_1"_s)->setFocus();
    Premi(w, Qt::Key_Space);
    Premi(w, Qt::Key_1);
    QCOMPARE(ConFuoco(w), u"Option3_1"_s);
    QVERIFY(!p.registro.Caricata<FrmOperativo>());

    QAccessible::queryAccessibleInterface(Pulsante(w, u"Option2_2"_s))->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(Testo(w, u"Label6"_s), u"Numero massimo compreso tra 50 e 90"_s);
    auto *operativo = p.registro.Trova<FrmOperativo>();
    QVERIFY(operativo && !operativo->isVisible());
    for (const int termine : {p.stato.Num1, p.stato.Num2, p.stato.Num3, p.stato.Num4})
        QVERIFY2(termine >= 50 && termine <= 90, qPrintable(QString::number(termine)));
    QCOMPARE(ConFuoco(w), u"Option3_0"_s);
    Premi(w, Qt::Key_Return);
    QVERIFY(QTest::qWaitForWindowActive(operativo));
    QCOMPARE(ConFuoco(*operativo), u"Option2_1"_s);

    QVERIFY(w.close());
    QCOMPARE(p.fine, 1);
    QCOMPARE(p.caricateAllaFine, 0);
}

void TestFrmInizio::escoEdEsciChiudeTutto()
{
    // Catches: "Esco" taking the start window or the program with it, or a
    // later "Vai" finding the old exercise or not naming the range; "Esci"
    // leaving a window (the report) loaded, unloading them out of their
    // order, or ending the program more than once or before the last window.
    Programma p;
    FrmInizio &w = p.Apri<FrmInizio>();
    QTest::mouseClick(Pulsante(w, u"Option2_0"_s), Qt::LeftButton);
    QTest::mouseClick(Pulsante(w, u"Option3_0"_s), Qt::LeftButton);
    FrmOperativo &operativo = p.Apri<FrmOperativo>();
    Scrivi(operativo, p.stato.Soluzione);
    for (const Qt::Key tasto : {Qt::Key_Return, Qt::Key_E, Qt::Key_Return})
        Premi(operativo, tasto);
    QVERIFY(!p.registro.Caricata<FrmOperativo>());
    QVERIFY(w.isVisible());
    QCOMPARE(p.fine, 0);

    QTest::mouseClick(Pulsante(w, u"Option3_0"_s), Qt::LeftButton);
    QCOMPARE(p.stato.RisposteEsatte, 0);
    QCOMPARE(Testo(*p.registro.Trova<FrmOperativo>(), u"Label2"_s), Testo(w, u"Label6"_s));
    Figlio<QAction>(*p.registro.Trova<FrmOperativo>(), u"mnuVisualizzaEsercizio"_s)->trigger();
    Figlio<QAction>(w, u"mnuAutore"_s)->trigger();
    p.registro.Carica<frmSceltaStampante>();
    QCOMPARE(p.registro.FinestreCaricate(), 5);
    Chiusure chiusure;
    for (QWidget *finestra : QApplication::topLevelWidgets())
        finestra->installEventFilter(&chiusure);
    QTest::mouseClick(Pulsante(w, u"Option3_1"_s), Qt::LeftButton);
    QCOMPARE(p.fine, 1);
    QCOMPARE(p.caricateAllaFine, 0);
    QCOMPARE(chiusure.ordine, QStringList({u"frmAutore"_s, u"FrmInizio"_s, u"FrmOperativo"_s,
                                           u"frmSceltaStampante"_s, u"FrmStampaEsercizio"_s}));
}

void TestFrmInizio::ilRegistroDalMenuChiedePrimaLaPassword()
{
    // Catches: "Registro" missing from the menu or moving the items there;
    // the register shown before its password; the register, or its password
    // dialog, left behind by "Esci".
    QTemporaryDir casa;
    QVERIFY(casa.isValid());
    qputenv("XDG_DATA_HOME", casa.path().toUtf8());
    Programma p;
    FrmInizio &w = p.Apri<FrmInizio>();
    QStringList voci;
    for (const QAction *azione : Figlio<QMenuBar>(w, u"menubar"_s)->actions())
        voci.append(azione->text());
    QCOMPARE(voci, (QStringList{u"Stampa schede"_s, u"Registro"_s, u"About"_s}));

    Figlio<QAction>(w, u"mnuRegistro"_s)->trigger();
    QVERIFY(p.registro.Caricata<FrmRegistro>());
    QVERIFY(!p.registro.Trova<FrmRegistro>()->isVisible());
    QPointer<QWidget> dialogo = p.registro.Trova<FrmRegistro>()->findChild<QDialog *>(u"DlgPassword"_s);
    QVERIFY(dialogo != nullptr && dialogo->isVisible());

    QTest::mouseClick(Pulsante(w, u"Option3_1"_s), Qt::LeftButton);
    QVERIFY(!p.registro.Caricata<FrmRegistro>());
    QTRY_VERIFY(dialogo.isNull());
    qunsetenv("XDG_DATA_HOME");
}

void TestFrmInizio::unAltroLivelloPrimaDiVai()
{
    // Catches: a range chosen again before "Vai" leaving the hidden exercise
    // with a first problem of the old range under the new heading; a range
    // chosen after "Vai" drawing again the problem the pupil is looking at.
    Programma p;
    FrmInizio &w = p.Apri<FrmInizio>();
    QTest::mouseClick(Pulsante(w, u"Option2_1"_s), Qt::LeftButton);
    QTest::mouseClick(Pulsante(w, u"Option2_0"_s), Qt::LeftButton);
    auto *operativo = p.registro.Trova<FrmOperativo>();
    QVERIFY(operativo && !operativo->isVisible());
    QCOMPARE(Testo(*operativo, u"Label2"_s), u"Numero massimo compreso tra 10 e  40"_s);
    const std::array termini{p.stato.Num1, p.stato.Num2, p.stato.Num3, p.stato.Num4};
    for (std::size_t k = 0; k < termini.size(); ++k) {
        QVERIFY2(termini[k] >= 10 && termini[k] <= 39, qPrintable(QString::number(termini[k])));
        const QString atteso = k + 1 == static_cast<std::size_t>(p.stato.TermineNascosto)
            ? u"?"_s
            : u" %1"_s.arg(termini[k]);
        QCOMPARE(Testo(*operativo, u"lblNumero%1"_s.arg(k + 1)), atteso);
    }
    QCOMPARE(p.stato.NumOperazioni, std::int16_t{1});
    QCOMPARE(Testo(*operativo, u"LblOperazione"_s), u"1"_s);

    QTest::mouseClick(Pulsante(w, u"Option3_0"_s), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(operativo));
    const std::string riga = p.stato.ElencoOperazioni[1];
    QTest::mouseClick(Pulsante(w, u"Option2_2"_s), Qt::LeftButton);
    QCOMPARE(p.stato.ElencoOperazioni[1], riga);
    QCOMPARE(p.stato.NumOperazioni, std::int16_t{1});
    QCOMPARE(Testo(*operativo, u"Label2"_s), u"Numero massimo compreso tra 50 e 90"_s);
}

void TestFrmInizio::coloriDeiComandi()
{
    // Catches: the start window painted with another window's pair.
    Programma p;
    FrmInizio &w = p.Apri<FrmInizio>();
    QCOMPARE(ConFuoco(w), u"Option2_0"_s);
    QCOMPARE(Pulsante(w, u"Option2_0"_s)->palette().color(QPalette::Button), QColor(128, 255, 255));
    QCOMPARE(Pulsante(w, u"Option2_1"_s)->palette().color(QPalette::Button), QColor(192, 255, 255));
}

QTEST_MAIN(TestFrmInizio)
#include "TestFrmInizio.moc"
