// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Aspetto.h"

#include "qt/ImmagineGrezza.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace lumivex {

QLocale LinguaDialoghi(const QLocale &sistema)
{
    if (sistema.language() == QLocale::Italian) {
        return sistema;
    }
    return QLocale(QLocale::Italian, QLocale::Italy);
}

bool CaricaTraduzioniToolkit(QCoreApplication &applicazione, const QLocale &sistema)
{
    auto *traduzioni = new QTranslator(&applicazione);
    if (!traduzioni->load(LinguaDialoghi(sistema), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduzioni;
        return false;
    }
    return QCoreApplication::installTranslator(traduzioni);
}

QPalette TavolozzaProgramma()
{
    // A light window palette, the one the forms were drawn against.
    const QColor finestra(239, 239, 239);
    const QColor testo(0, 0, 0);
    const QColor disabilitato(120, 120, 120);
    QPalette tavolozza(testo, finestra, Qt::white, QColor(159, 159, 159), QColor(184, 184, 184), testo, Qt::white,
                       Qt::white, finestra);
    for (const QPalette::ColorGroup gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool spento = gruppo == QPalette::Disabled;
        tavolozza.setColor(gruppo, QPalette::WindowText, spento ? disabilitato : testo);
        tavolozza.setColor(gruppo, QPalette::Text, spento ? disabilitato : testo);
        tavolozza.setColor(gruppo, QPalette::ButtonText, spento ? disabilitato : testo);
        tavolozza.setColor(gruppo, QPalette::Button, finestra);
        tavolozza.setColor(gruppo, QPalette::Window, finestra);
        tavolozza.setColor(gruppo, QPalette::Base, spento ? finestra : QColor(Qt::white));
        tavolozza.setColor(gruppo, QPalette::AlternateBase, QColor(247, 247, 247));
        tavolozza.setColor(gruppo, QPalette::Highlight, spento ? QColor(145, 145, 145) : QColor(48, 140, 198));
        tavolozza.setColor(gruppo, QPalette::HighlightedText, Qt::white);
        tavolozza.setColor(gruppo, QPalette::BrightText, Qt::white);
        tavolozza.setColor(gruppo, QPalette::ToolTipBase, QColor(255, 255, 220));
        tavolozza.setColor(gruppo, QPalette::ToolTipText, testo);
        tavolozza.setColor(gruppo, QPalette::PlaceholderText, disabilitato);
        tavolozza.setColor(gruppo, QPalette::Link, QColor(0, 0, 255));
        tavolozza.setColor(gruppo, QPalette::LinkVisited, QColor(255, 0, 255));
        tavolozza.setColor(gruppo, QPalette::Light, Qt::white);
        tavolozza.setColor(gruppo, QPalette::Midlight, QColor(202, 202, 202));
        tavolozza.setColor(gruppo, QPalette::Mid, QColor(184, 184, 184));
        tavolozza.setColor(gruppo, QPalette::Dark, QColor(159, 159, 159));
        tavolozza.setColor(gruppo, QPalette::Shadow, QColor(118, 118, 118));
    }
    return tavolozza;
}

void ImpostaApplicazione()
{
    QApplication::setPalette(TavolozzaProgramma());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(IdApplicazione));
}

void CompletaApplicazione(QApplication &applicazione)
{
    CaricaTraduzioniToolkit(applicazione, QLocale::system());
    // The copy built into the program is the artwork installed in the icon
    // theme; looking it up there would walk the theme's folders before the
    // first window.
    QIcon icona;
    for (const int lato : {48, 64, 128, 256}) {
        const QImage immagine = ImmagineGrezza(QStringLiteral(":/icone/lumivex-%1").arg(lato));
        if (!immagine.isNull()) {
            icona.addPixmap(QPixmap::fromImage(immagine));
        }
    }
    QApplication::setWindowIcon(icona);
}

} // namespace lumivex
