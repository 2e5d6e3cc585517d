// SPDX-License-Identifier: GPL-3.0-or-later
// What the start leaves for after its first frame: it runs once, after the
// window's first paint, and still runs when no frame ever comes.
#include "app/PrimoQuadro.h"

#include <QEvent>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace lumivex;
using namespace std::chrono_literals;

namespace {

// Writes down each paint of the window it watches, in order with the steps.
class Diario : public QObject {
public:
    QStringList voci;

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            voci << QStringLiteral("pittura");
        return false;
    }
};

} // namespace

class TestPrimoQuadro : public QObject {
    Q_OBJECT

private slots:
    // Catches: the step run at show, before anything is on the screen (the
    // register's opening would then delay the first frame again), run again
    // at each later paint, or left waiting for the time limit.
    void unaVoltaDopoLaPrimaPittura()
    {
        QWidget finestra;
        finestra.resize(300, 200);
        Diario diario;
        finestra.installEventFilter(&diario);
        DopoIlPrimoQuadro(finestra, [&] { diario.voci << QStringLiteral("passo"); }, 60s);
        finestra.show();
        QCOMPARE(diario.voci, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(diario.voci.contains(QStringLiteral("passo")), 5000);
        QCOMPARE(diario.voci.first(), QStringLiteral("pittura"));
        for (int i = 0; i < 3; ++i) {
            finestra.repaint();
            QTest::qWait(20);
        }
        QCOMPARE(diario.voci.count(QStringLiteral("passo")), 1);
    }

    // Catches: a window that never draws (started hidden, or closed and
    // destroyed before its frame) keeping the register closed for the whole
    // run, or the wait touching the destroyed window.
    void senzaQuadroDopoIlLimite()
    {
        int nascosta = 0;
        QWidget mai;
        DopoIlPrimoQuadro(mai, [&] { ++nascosta; }, 100ms);

        int distrutta = 0;
        auto breve = std::make_unique<QWidget>();
        DopoIlPrimoQuadro(*breve, [&] { ++distrutta; }, 100ms);
        breve->show();
        breve.reset();

        QTRY_COMPARE_WITH_TIMEOUT(nascosta, 1, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(distrutta, 1, 3000);
        QTest::qWait(200);
        QCOMPARE(nascosta, 1);
        QCOMPARE(distrutta, 1);
    }
};

QTEST_MAIN(TestPrimoQuadro)
#include "TestPrimoQuadro.moc"
