// The name entry: what the keyboard puts in the label and in NomeAlunno, and
// how the window closes.
#include "exercise/Modulo2.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/name/frmNome.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace lumivex;

namespace {

struct Ambiente {
    Ambiente() { registro.Registra<frmNome>([this] { return std::make_unique<frmNome>(modulo, registro); }); }

    bool Apri()
    {
        frmNome &finestra = registro.Mostra<frmNome>();
        finestra.activateWindow();
        return QTest::qWaitForWindowActive(&finestra);
    }
    QString Etichetta() const { return registro.Trova<frmNome>()->findChild<QLabel *>(QStringLiteral("lblNome"))->text(); }
    QString Nome() const { return QString::fromStdString(modulo.NomeAlunno); }

    Modulo2 modulo;
    RegistroFinestre registro{[] {}};
};

// To the focus widget, as the keyboard would; letters as small letters.
void Tasti(std::initializer_list<int> tasti, Qt::KeyboardModifiers modificatori = Qt::NoModifier)
{
    for (const int tasto : tasti) {
        QTest::keyClick(static_cast<QWidget *>(nullptr), static_cast<Qt::Key>(tasto), modificatori);
    }
}

void Invia(QEvent::Type tipo, int tasto, bool ripetuto)
{
    QKeyEvent evento(tipo, tasto, Qt::NoModifier, QString(), ripetuto);
    QCoreApplication::sendEvent(QApplication::focusWidget(), &evento);
}

} // namespace

class TestFrmNome : public QObject {
    Q_OBJECT

private slots:
    void scrittura();
    void ilMouseChiudeERiaprendoSiRiparte();
};

// Catches: small letters, a name stored only on Enter, blanks, digits or
// accents reaching the name, a held key typing again, a deleted last letter
// left in NomeAlunno while the label shows "?", Enter closing the window.
void TestFrmNome::scrittura()
{
    Ambiente a;
    a.modulo.NomeAlunno = "Paolo";
    QVERIFY(a.Apri());
    QCOMPARE(a.Nome(), QStringLiteral("?"));
    frmNome *finestra = a.registro.Trova<frmNome>();
    QCOMPARE(finestra->geometry().center(), finestra->screen()->availableGeometry().center());

    Tasti({Qt::Key_Backspace});
    QCOMPARE(a.Etichetta(), QStringLiteral("?"));
    Tasti({Qt::Key_M, Qt::Key_A, Qt::Key_Space, Qt::Key_1, Qt::Key_Egrave, Qt::Key_Apostrophe, Qt::Key_Left});
    Tasti({Qt::Key_5}, Qt::KeypadModifier);
    Tasti({Qt::Key_R}, Qt::ShiftModifier);
    Invia(QEvent::KeyPress, Qt::Key_I, false);
    Invia(QEvent::KeyPress, Qt::Key_I, true);
    Invia(QEvent::KeyPress, Qt::Key_I, true);
    Invia(QEvent::KeyRelease, Qt::Key_I, false);
    Tasti({Qt::Key_O});
    QCOMPARE(a.Etichetta(), QStringLiteral("MARIO"));
    QCOMPARE(a.Nome(), QStringLiteral("MARIO"));

    Tasti({Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace});
    QCOMPARE(a.Nome(), QStringLiteral("M"));
    Tasti({Qt::Key_Backspace});
    QCOMPARE(a.Etichetta(), QStringLiteral("?"));
    QCOMPARE(a.Nome(), QStringLiteral("?"));
    Tasti({Qt::Key_Return});
    QCOMPARE(a.Nome(), QStringLiteral("?"));
    QVERIFY(a.registro.Caricata<frmNome>());
    QCOMPARE(QApplication::focusWidget(), finestra->findChild<QPushButton *>(QStringLiteral("Option4")));
}

// Catches: the press not closing the window or changing the name, the close
// box losing it, a second visit keeping the old name.
void TestFrmNome::ilMouseChiudeERiaprendoSiRiparte()
{
    Ambiente a;
    QVERIFY(a.Apri());
    Tasti({Qt::Key_L, Qt::Key_U});
    QTest::mousePress(a.registro.Trova<frmNome>()->findChild<QPushButton *>(QStringLiteral("Option4")),
                      Qt::RightButton);
    QVERIFY(!a.registro.Caricata<frmNome>());
    QCOMPARE(a.Nome(), QStringLiteral("LU"));

    QVERIFY(a.Apri());
    QCOMPARE(a.Etichetta(), QStringLiteral("?"));
    QCOMPARE(a.Nome(), QStringLiteral("?"));
    Tasti({Qt::Key_A});
    a.registro.Trova<frmNome>()->close();
    QVERIFY(!a.registro.Caricata<frmNome>());
    QCOMPARE(a.Nome(), QStringLiteral("A"));
}

QTEST_MAIN(TestFrmNome)
#include "TestFrmNome.moc"
