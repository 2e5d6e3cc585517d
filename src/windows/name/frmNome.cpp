// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/name/frmNome.h"

#include "ui_frmNome.h"

#include "exercise/Modulo2.h"
#include "qt/Testo.h"
#include "windows/common/Centratura.h"

#include <QCloseEvent>

namespace lumivex {

namespace {

// Designer keeps whole points only.
constexpr qreal PuntiTitolo = 14.25;

void ImpostaPunti(QWidget &controllo, qreal punti)
{
    QFont carattere = controllo.font();
    carattere.setPointSizeF(punti);
    controllo.setFont(carattere);
}

} // namespace

frmNome::frmNome(Modulo2 &modulo)
    : m_(modulo)
    , ui_(std::make_unique<Ui::frmNome>())
{
    ui_->setupUi(this);
    ImpostaPunti(*ui_->Label12, PuntiTitolo);
    ImpostaPunti(*ui_->Option4, PuntiTitolo);
    setFixedSize(size());

    // The label's design caption is the empty state.
    nomeVuoto_ = ui_->lblNome->text();
    // "AVANTI" has no focus colour of its own: it is the only control that
    // can take the focus.
    option4_ = std::make_unique<ComandiOpzione>(QList<QPushButton *>{ui_->Option4},
                                                ColoriComando{ColoriArancio.Normale, ColoriArancio.Normale}, 0,
                                                [this](int) { close(); });
    // Every key is the name's: none moves the focus or closes the window.
    option4_->ImpostaGestoreTasti([this](int, int tasto, bool) {
        TastoNome(tasto);
        return true;
    });
    ui_->Option4->setFocus(Qt::OtherFocusReason);

    // A new visit starts from the empty name, whatever the last one left.
    m_.ImpostaNomeAlunno(AStd(nomeVuoto_));
}

frmNome::~frmNome() = default;

void frmNome::showEvent(QShowEvent *evento)
{
    CentraSulloSchermo(*this);
    QWidget::showEvent(evento);
}

// Closing is the pupil's "this is my name": the register attaches it then,
// not at every letter on the way.
void frmNome::closeEvent(QCloseEvent *evento)
{
    if (ui_->lblNome->text() != nomeVuoto_) {
        m_.ConfermaNomeAlunno();
    }
    QWidget::closeEvent(evento);
}

// Only A to Z reach the name, always in capitals; the key code is the
// same whatever the shift state.
void frmNome::TastoNome(int tasto)
{
    const QString nome = ui_->lblNome->text();
    if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z) {
        const QString inizio = nome == nomeVuoto_ ? QString() : nome;
        CambiaNome(inizio + QChar(static_cast<char16_t>(tasto)));
    } else if (tasto == Qt::Key_Backspace) {
        const QString resto = nome.chopped(nome.isEmpty() ? 0 : 1);
        CambiaNome(resto.isEmpty() ? nomeVuoto_ : resto);
    } else if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
        CambiaNome(nome);
    }
}

// The certificate prints NomeAlunno: it follows the label, "?" included,
// so a letter the pupil deleted never turns up there.
void frmNome::CambiaNome(const QString &nome)
{
    ui_->lblNome->setText(nome);
    m_.ImpostaNomeAlunno(AStd(nome));
    ui_->Option4->setFocus(Qt::OtherFocusReason);
}

} // namespace lumivex
