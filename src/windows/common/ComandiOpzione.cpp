// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/ComandiOpzione.h"

#include "windows/common/GuardiaTasti.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <utility>

namespace lumivex {

ComandiOpzione::ComandiOpzione(QList<QPushButton *> elementi, ColoriComando colori, int ultimaCifra, Azione azione)
    : colori_(std::move(colori)), ultimaCifra_(ultimaCifra), azione_(std::move(azione))
{
    // Repeats that Qt does not flag are caught once for the whole program.
    GuardiaTasti::DellApplicazione();
    elementi_.reserve(static_cast<std::size_t>(elementi.size()));
    for (QPushButton *pulsante : elementi) {
        const int indice = static_cast<int>(elementi_.size());
        elementi_.emplace_back(pulsante);
        // A command never stays selected, and Enter in a dialog must reach
        // the focused element, not a default button.
        pulsante->setCheckable(false);
        pulsante->setAutoDefault(false);
        pulsante->setDefault(false);
        pulsante->installEventFilter(this);
        Colora(indice, pulsante->hasFocus() ? colori_.Fuoco : colori_.Normale);
        // Mouse presses are taken in eventFilter and never become clicks, so
        // clicked() comes only from click() and the accessibility action.
        connect(pulsante, &QAbstractButton::clicked, this, [this, indice] { EseguiAzione(indice); });
    }
}

ComandiOpzione::~ComandiOpzione()
{
    for (const QPointer<QWidget> &pulsante : elementi_) {
        if (pulsante)
            pulsante->removeEventFilter(this);
    }
}

QList<QPushButton *> ComandiOpzione::Elementi(const QWidget &radice, QStringView nome)
{
    QList<QPushButton *> trovati;
    for (int indice = 0;; ++indice) {
        const QString nomeElemento = nome.toString() + u'_' + QString::number(indice);
        auto *pulsante = radice.findChild<QPushButton *>(nomeElemento);
        if (pulsante == nullptr)
            return trovati;
        trovati.append(pulsante);
    }
}

void ComandiOpzione::AssociaTasto(int tasto, int indice)
{
    tastiAssociati_[tasto] = indice;
}

void ComandiOpzione::ImpostaGestoreTasti(GestoreTasti gestore)
{
    gestore_ = std::move(gestore);
}

QPushButton *ComandiOpzione::Elemento(int indice) const
{
    if (indice < 0 || indice >= Conta())
        return nullptr;
    return qobject_cast<QPushButton *>(elementi_[static_cast<std::size_t>(indice)].data());
}

int ComandiOpzione::IndiceConFuoco() const
{
    for (int indice = 0; indice < Conta(); ++indice) {
        const QPushButton *pulsante = Elemento(indice);
        if (pulsante != nullptr && pulsante->hasFocus())
            return indice;
    }
    return -1;
}

bool ComandiOpzione::PuoRicevereFuoco(int indice) const
{
    const QPushButton *pulsante = Elemento(indice);
    // isEnabled() is already false inside a disabled frame.
    return pulsante != nullptr && pulsante->isEnabled()
        && pulsante->isVisibleTo(pulsante->window()) && pulsante->focusPolicy() != Qt::NoFocus;
}

bool ComandiOpzione::SpostaFuoco(int indice)
{
    if (!PuoRicevereFuoco(indice))
        return false;
    Elemento(indice)->setFocus(Qt::OtherFocusReason);
    return true;
}

int ComandiOpzione::IndiceDi(const QObject *oggetto) const
{
    for (std::size_t indice = 0; indice < elementi_.size(); ++indice) {
        if (elementi_[indice] == oggetto)
            return static_cast<int>(indice);
    }
    return -1;
}

void ComandiOpzione::Colora(int indice, const QColor &colore)
{
    QPushButton *pulsante = Elemento(indice);
    if (pulsante == nullptr)
        return;
    QPalette tavolozza = pulsante->palette();
    tavolozza.setColor(QPalette::Button, colore);
    pulsante->setPalette(tavolozza);
}

void ComandiOpzione::EseguiAzione(int indice)
{
    if (azione_)
        azione_(indice);
}

void ComandiOpzione::FuocoAlSuccessivo(int indice)
{
    const int conta = Conta();
    for (int passo = 1; passo <= conta; ++passo) {
        if (SpostaFuoco((indice + passo) % conta))
            return;
    }
}

void ComandiOpzione::TastoPremuto(int indice, const QKeyEvent &evento)
{
    const int tasto = evento.key();
    if (gestore_) {
        // The handler may close the window; deleteLater keeps us alive, but
        // not a window that deletes itself outright.
        const QPointer<ComandiOpzione> vivo(this);
        const bool gestito = gestore_(indice, tasto, evento.modifiers().testFlag(Qt::KeypadModifier));
        if (gestito || !vivo)
            return;
    }
    if (tasto >= Qt::Key_1 && tasto <= Qt::Key_9) {
        const int cifra = tasto - Qt::Key_0;
        if (cifra <= ultimaCifra_)
            SpostaFuoco(cifra - 1);
        return;
    }
    if (const auto associato = tastiAssociati_.find(tasto); associato != tastiAssociati_.end()) {
        SpostaFuoco(associato->second);
        return;
    }
    switch (tasto) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EseguiAzione(indice);
        break;
    case Qt::Key_Space:
        FuocoAlSuccessivo(indice);
        break;
    default:
        break;
    }
}

bool ComandiOpzione::eventFilter(QObject *oggetto, QEvent *evento)
{
    // qobject_cast fails on a button already half destroyed, whose focus
    // may still be taken away on its way out.
    auto *pulsante = qobject_cast<QPushButton *>(oggetto);
    const int indice = IndiceDi(pulsante);
    if (pulsante == nullptr || indice < 0)
        return false;

    switch (evento->type()) {
    case QEvent::FocusIn:
        pulsante->setDown(false);
        Colora(indice, colori_.Fuoco);
        return false;
    case QEvent::FocusOut:
        Colora(indice, colori_.Normale);
        pulsante->setDown(false);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // Filters see mouse events even on disabled widgets.
        if (!pulsante->isEnabled())
            return false;
        // Taking the press and the release away from QAbstractButton keeps
        // the button up and stops the release from clicking a second time.
        // A second press soon after the first comes as a double click: it is
        // a press all the same.
        if (evento->type() != QEvent::MouseButtonRelease)
            EseguiAzione(indice);
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *tasto = static_cast<const QKeyEvent *>(evento);
        if (tasto->key() == Qt::Key_Tab || tasto->key() == Qt::Key_Backtab)
            return false;
        // Repeats are dropped outright rather than latched: a latch left set
        // by a key released over another array would swallow the next real
        // press here. GuardiaTasti has already dropped the repeats coming
        // through a window; this catches flagged ones sent to the button.
        if (evento->type() == QEvent::KeyPress && !tasto->isAutoRepeat())
            TastoPremuto(indice, *tasto);
        return true;
    }
    default:
        return false;
    }
}

} // namespace lumivex
