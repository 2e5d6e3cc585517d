// SPDX-License-Identifier: GPL-3.0-or-later
// What the program settles before its first window, seen in its windows: a
// dark desktop theme, the toolkit's dialogs in Italian, the names a screen
// reader says.
#include "app/Aspetto.h"
#include "support/finestre/FinestreProva.h"
#include "windows/about/frmAutore.h"
#include "windows/common/Accessibilita.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/exercise/FrmOperativo.h"
#include "windows/name/frmNome.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/report/FrmStampaEsercizio.h"
#include "windows/start/FrmInizio.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace lumivex;
using namespace Qt::StringLiterals;

namespace {

// Relative luminance and contrast ratio as the accessibility guidelines
// define them.
double Luminanza(const QColor &c)
{
    const auto lineare = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
}

double Contrasto(const QColor &a, const QColor &b)
{
    const double la = Luminanza(a);
    const double lb = Luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What is painted behind a widget: the nearest widget that fills its
// background, or the window.
QColor Sfondo(const QWidget *w)
{
    while (!w->autoFillBackground() && !w->isWindow())
        w = w->parentWidget();
    return w->palette().color(QPalette::Active, w->backgroundRole());
}

QString Nome(QObject *oggetto)
{
    QAccessibleInterface *interfaccia = QAccessible::queryAccessibleInterface(oggetto);
    return interfaccia != nullptr ? interfaccia->text(QAccessible::Name) : QString();
}

QPalette TemaScuro()
{
    QPalette scura;
    for (const QPalette::ColorRole ruolo : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        scura.setColor(ruolo, QColor(42, 42, 46));
    for (const QPalette::ColorRole ruolo : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        scura.setColor(ruolo, QColor(230, 230, 230));
    scura.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(80, 80, 84));
    scura.setColor(QPalette::Disabled, QPalette::WindowText, QColor(80, 80, 84));
    return scura;
}

} // namespace

class TestAspetto : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The desktop's themes arrive before the program sets itself up: a
        // dark palette, and an icon theme with an icon of the program's name.
        QApplication::setPalette(TemaScuro());
        QVERIFY(temaIcone_.isValid());
        QDir(temaIcone_.path()).mkpath(u"prova/48x48/apps"_s);
        QFile indice(temaIcone_.filePath(u"prova/index.theme"_s));
        QVERIFY(indice.open(QIODevice::WriteOnly));
        indice.write("[Icon Theme]\nName=prova\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
        indice.close();
        QImage estranea(48, 48, QImage::Format_ARGB32);
        estranea.fill(Qt::red);
        QVERIFY(estranea.save(temaIcone_.filePath(u"prova/48x48/apps/it.lumivex.Lumivex.png"_s)));
        QIcon::setThemeSearchPaths({temaIcone_.path()});
        QIcon::setThemeName(u"prova"_s);
        ImpostaApplicazione();
        CompletaApplicazione(*qApp);
    }

    // Catches: a window icon decoded wrongly from the copy built into the
    // program (channels, rows, premultiplication), a size missing, and an
    // icon theme asked for it at start (walking the theme's folders was a
    // good part of the start's cost, and its answer is the same artwork).
    void iconaDelProgramma()
    {
        const QIcon icona = QApplication::windowIcon();
        QCOMPARE(icona.availableSizes(), (QList<QSize>{{48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        for (const int lato : {48, 64, 128, 256}) {
            const QString file = QStringLiteral(LUMIVEX_RISORSE "/icone/lumivex-%1.png").arg(lato);
            const QImage attesa = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!attesa.isNull(), qPrintable(file));
            QCOMPARE(icona.pixmap(QSize(lato, lato)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     attesa);
        }
    }

    // Catches: light theme text kept on the forms' light design colours (or
    // the reverse) under a dark desktop theme, and disabled keys drawn in
    // the colour of their own face.
    void leggibileConUnTemaScuro()
    {
        prove::Programma p;
        QList<QWidget *> finestre{&p.registro.Mostra<FrmInizio>(), &p.registro.Mostra<frmAutore>(),
                                  &p.registro.Mostra<frmNome>(), &p.registro.Mostra<FrmStampaEsercizio>(),
                                  &p.registro.Mostra<frmSceltaStampante>(), &p.registro.Mostra<FrmOperativo>(),
                                  &p.registro.Mostra<FrmStampaSchedeBig>()};
        const QPalette programma = TavolozzaProgramma();
        int etichette = 0;
        int spenti = 0;
        for (QWidget *finestra : finestre) {
            for (QLabel *etichetta : finestra->findChildren<QLabel *>()) {
                if (etichetta->text().trimmed().isEmpty())
                    continue;
                ++etichette;
                const QColor testo = etichetta->palette().color(QPalette::Active, etichetta->foregroundRole());
                const QColor sfondo = Sfondo(etichetta);
                // A caption whose colour and background both come from the
                // form is the program's design, the same under any theme.
                const bool coloreDelTema = testo == TemaScuro().color(QPalette::WindowText)
                                           || testo == programma.color(QPalette::WindowText);
                const bool sfondoDelTema = sfondo == TemaScuro().color(QPalette::Window)
                                           || sfondo == programma.color(QPalette::Window);
                if (!coloreDelTema && !sfondoDelTema)
                    continue;
                // Large text (18 points, or 14 bold) needs 3:1, the rest 4.5:1.
                const QFont &f = etichetta->font();
                const bool grande = f.pointSizeF() >= 18.0 || (f.bold() && f.pointSizeF() >= 14.0);
                const double rapporto = Contrasto(testo, sfondo);
                QVERIFY2(rapporto >= (grande ? 3.0 : 4.5), qPrintable(u"%1.%2: %3"_s.arg(finestra->objectName(), etichetta->objectName())
                                                         .arg(rapporto)));
            }
            for (QPushButton *tasto : finestra->findChildren<QPushButton *>()) {
                if (tasto->isEnabled())
                    continue;
                ++spenti;
                const QPalette &t = tasto->palette();
                const double rapporto =
                    Contrasto(t.color(QPalette::Disabled, QPalette::ButtonText), t.color(QPalette::Disabled, QPalette::Button));
                QVERIFY2(rapporto >= 2.0, qPrintable(u"%1.%2: %3"_s.arg(finestra->objectName(), tasto->objectName())
                                                         .arg(rapporto)));
            }
        }
        QVERIFY(etichette > 20);
        QVERIFY(spenti > 0);
    }

    // Catches: the toolkit's dialogs left in English, under an Italian
    // session and under LANG=C alike (the test runs under both), and a
    // locale with no translation taken as it is.
    void dialoghiInItaliano()
    {
        QCOMPARE(LinguaDialoghi(QLocale::c()).language(), QLocale::Italian);
        QCOMPARE(LinguaDialoghi(QLocale(QLocale::English, QLocale::UnitedStates)).language(), QLocale::Italian);
        QCOMPARE(LinguaDialoghi(QLocale(QLocale::Italian, QLocale::Switzerland)).territory(), QLocale::Switzerland);

        QMessageBox domanda;
        domanda.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(domanda.button(QMessageBox::Yes)->text().remove(u'&'), u"Sì"_s);
        QCOMPARE(domanda.button(QMessageBox::Cancel)->text().remove(u'&'), u"Annulla"_s);

        QFileDialog salva;
        salva.setOption(QFileDialog::DontUseNativeDialog);
        salva.setAcceptMode(QFileDialog::AcceptSave);
        const QDialogButtonBox *pulsanti = salva.findChild<QDialogButtonBox *>();
        QVERIFY(pulsanti != nullptr);
        QCOMPARE(pulsanti->button(QDialogButtonBox::Cancel)->text().remove(u'&'), u"Annulla"_s);
    }

    // Catches: spaced-out captions read letter by letter, a caption of
    // numbers or a plain word changed, and a named control renamed.
    void didascalieSpaziateLetteComeParole()
    {
        QCOMPARE(TestoParlato(u"C h i u d i"_s), u"Chiudi"_s);
        QCOMPARE(TestoParlato(u"C H I U D I"_s), u"Chiudi"_s);
        QCOMPARE(TestoParlato(u"E S E R C I Z I   E S E G U I T I "_s), u"Esercizi eseguiti"_s);
        QCOMPARE(TestoParlato(u"Stampa"_s), u"Stampa"_s);
        QCOMPARE(TestoParlato(u"5 + 3"_s), u"5 + 3"_s);
        QCOMPARE(TestoParlato(u"A B C D"_s), u"Abcd"_s);

        prove::Programma p;
        frmAutore &autore = p.registro.Mostra<frmAutore>();
        QPushButton *chiudi = nullptr;
        for (QPushButton *pulsante : autore.findChildren<QPushButton *>())
            if (pulsante->text() == u"C h i u d i"_s)
                chiudi = pulsante;
        QVERIFY(chiudi != nullptr);
        QCOMPARE(Nome(chiudi), u"Chiudi"_s);
    }

    // Catches: the hidden term read as "question mark", a cross read as
    // nothing or twice (once per stroke), and the printer list without the
    // label that says what it is, or pointed at by the empty Label2.
    void nomiPerIlLettoreDiSchermo()
    {
        prove::Programma p;
        FrmInizio &inizio = p.registro.Mostra<FrmInizio>();
        QTest::mouseClick(inizio.findChild<QPushButton *>(u"Option2_1"_s), Qt::LeftButton);
        QTest::mouseClick(inizio.findChild<QPushButton *>(u"Option3_0"_s), Qt::LeftButton);
        FrmOperativo *operativo = p.registro.Trova<FrmOperativo>();
        QVERIFY(operativo != nullptr);
        int nascosti = 0;
        for (int k = 1; k <= 4; ++k) {
            QLabel *termine = operativo->findChild<QLabel *>(u"lblNumero%1"_s.arg(k));
            if (termine->text() == u"?"_s) {
                ++nascosti;
                QCOMPARE(Nome(termine), u"Termine da trovare"_s);
            } else {
                QCOMPARE(Nome(termine), termine->text());
            }
        }
        QCOMPARE(nascosti, 1);
        QCOMPARE(Nome(operativo->findChild<QWidget *>(u"Line1_0"_s)), u"Croce: risposta sbagliata"_s);
        QAccessibleInterface *secondoTratto = QAccessible::queryAccessibleInterface(operativo->findChild<QWidget *>(u"Line2_3"_s));
        QVERIFY(secondoTratto->text(QAccessible::Name).isEmpty() && secondoTratto->state().invisible);

        frmSceltaStampante &scelta = p.registro.Mostra<frmSceltaStampante>();
        QComboBox *elenco = scelta.findChild<QComboBox *>(u"Combo1"_s);
        // On Linux a list is named through the label that points at it.
        QLabel *etichetta = scelta.findChild<QLabel *>(u"lblElenco"_s);
        bool etichettato = false;
        for (const auto &[altro, relazione] : QAccessible::queryAccessibleInterface(elenco)->relations(QAccessible::Label))
            etichettato = etichettato || altro->object() == etichetta;
        QVERIFY(etichettato);
        QCOMPARE(Nome(etichetta), u"Stampante su cui stampare"_s);
        QCOMPARE(scelta.findChild<QLabel *>(u"Label2"_s)->buddy(), nullptr);
    }

private:
    QTemporaryDir temaIcone_;
};

QTEST_MAIN(TestAspetto)

#include "TestAspetto.moc"
