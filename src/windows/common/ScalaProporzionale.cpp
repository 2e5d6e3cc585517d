// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/ScalaProporzionale.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <QVariant>
#include <QWidget>

#include <cmath>
#include <utility>

namespace lumivex {

namespace {

constexpr const char *ProprietaLinea = "lumivexLinea";

void Raccogli(const QWidget &contenitore, std::vector<QPointer<QWidget>> &controlli)
{
    for (QObject *figlio : contenitore.children()) {
        auto *controllo = qobject_cast<QWidget *>(figlio);
        if (controllo == nullptr || controllo->isWindow()
            || controllo->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        controlli.emplace_back(controllo);
        if (qobject_cast<QComboBox *>(controllo) == nullptr)
            Raccogli(*controllo, controlli);
    }
}

bool Linea(const QWidget &controllo)
{
    if (controllo.property(ProprietaLinea).toBool())
        return true;
    const auto *cornice = qobject_cast<const QFrame *>(&controllo);
    return cornice != nullptr
        && (cornice->frameShape() == QFrame::HLine || cornice->frameShape() == QFrame::VLine);
}

bool Fisso(const QWidget &controllo)
{
    return qobject_cast<const QComboBox *>(&controllo) != nullptr
        || qobject_cast<const QMenuBar *>(&controllo) != nullptr
        || qobject_cast<const QMenu *>(&controllo) != nullptr || Linea(controllo);
}

float Rapporto(int parte, int tutto)
{
    // An empty client area gives no ratio; it stays 0.
    return tutto > 0 ? static_cast<float>(parte) / static_cast<float>(tutto) : 0.0F;
}

int Scala(int tutto, float rapporto)
{
    return static_cast<int>(std::lround(static_cast<float>(tutto) * rapporto));
}

} // namespace

ScalaProporzionale::~ScalaProporzionale()
{
    if (area_)
        area_->removeEventFilter(this);
}

void ScalaProporzionale::SegnaComeLinea(QWidget &controllo)
{
    controllo.setProperty(ProprietaLinea, true);
}

QWidget &ScalaProporzionale::AreaClient(QWidget &finestra)
{
    // The menu bar is not client area.
    if (auto *principale = qobject_cast<QMainWindow *>(&finestra);
        principale != nullptr && principale->centralWidget() != nullptr)
        return *principale->centralWidget();
    return finestra;
}

void ScalaProporzionale::RegistraProporzioni(QWidget &finestra)
{
    if (area_)
        area_->removeEventFilter(this);
    // A window not shown yet has not placed its central widget.
    if (QLayout *disposizione = finestra.layout())
        disposizione->activate();

    area_ = &AreaClient(finestra);
    controlli_.clear();
    Raccogli(*area_, controlli_);

    const QSize client = area_->size();
    proporzioni_.assign(controlli_.size(), Proporzioni{});
    for (std::size_t i = 0; i < controlli_.size(); ++i) {
        const QRect posto = controlli_[i]->geometry();
        Proporzioni &p = proporzioni_[i];
        p.Larghezza = Rapporto(posto.width(), client.width());
        p.Altezza = Rapporto(posto.height(), client.height());
        p.Sinistra = Rapporto(posto.x(), client.width());
        p.Alto = Rapporto(posto.y(), client.height());
    }
    area_->installEventFilter(this);
}

void ScalaProporzionale::ApplicaProporzioni()
{
    if (area_) {
        const QSize client = area_->size();
        for (std::size_t i = 0; i < controlli_.size(); ++i) {
            QWidget *controllo = controlli_[i];
            if (controllo == nullptr || Fisso(*controllo))
                continue;
            const Proporzioni &p = proporzioni_[i];
            controllo->setGeometry(Scala(client.width(), p.Sinistra), Scala(client.height(), p.Alto),
                                   Scala(client.width(), p.Larghezza),
                                   Scala(client.height(), p.Altezza));
        }
    }
    if (dopoApplicazione_)
        dopoApplicazione_();
}

void ScalaProporzionale::ImpostaDopoApplicazione(std::function<void()> passo)
{
    dopoApplicazione_ = std::move(passo);
}

bool ScalaProporzionale::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == area_ && evento->type() == QEvent::Resize)
        ApplicaProporzioni();
    return false;
}

} // namespace lumivex
