// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/RegistroFinestre.h"

#include "windows/common/Accessibilita.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <stdexcept>
#include <string>

namespace lumivex {

RegistroFinestre::RegistroFinestre() : RegistroFinestre(&QCoreApplication::quit) {}

RegistroFinestre::RegistroFinestre(Fine fine) : fine_(std::move(fine)) {}

RegistroFinestre::~RegistroFinestre()
{
    // Emptied first, so the destroyed() of each window finds nothing to
    // forget and the end callback does not run.
    const auto caricate = std::exchange(caricate_, {});
    const auto pendenti = std::exchange(daDistruggere_, {});
    for (const auto &[tipo, voce] : caricate)
        delete voce.finestra.data();
    for (const QPointer<QWidget> &finestra : pendenti)
        delete finestra.data();
}

void RegistroFinestre::RegistraTipo(std::type_index tipo, FabbricaFinestra fabbrica)
{
    fabbriche_[tipo] = std::move(fabbrica);
}

QWidget *RegistroFinestre::TrovaTipo(std::type_index tipo) const
{
    const auto voce = caricate_.find(tipo);
    return voce == caricate_.end() ? nullptr : voce->second.finestra.data();
}

QWidget &RegistroFinestre::CaricaTipo(std::type_index tipo)
{
    if (QWidget *caricata = TrovaTipo(tipo))
        return *caricata;
    const auto fabbrica = fabbriche_.find(tipo);
    if (fabbrica == fabbriche_.end())
        throw std::logic_error(std::string("Finestra senza fabbrica: ") + tipo.name());

    // The constructor is the window's load work; it may load other windows.
    QWidget *finestra = fabbrica->second().release();
    NominaDidascalieSpaziate(*finestra);
    caricate_[tipo] = Voce{finestra, finestra, false};
    finestra->installEventFilter(this);
    connect(finestra, &QObject::destroyed, this, &RegistroFinestre::Dimentica);
    return *finestra;
}

void RegistroFinestre::ScaricaTipo(std::type_index tipo)
{
    const auto voce = caricate_.find(tipo);
    if (voce == caricate_.end() || voce->second.scaricando)
        return;
    voce->second.scaricando = true;
    // The window's unload work runs in its closeEvent, which eventFilter
    // lets through while scaricando is set. A refusal does not stop an
    // unload asked for by the program.
    if (const QPointer<QWidget> finestra = voce->second.finestra)
        finestra->close();
    Completa(tipo);
}

void RegistroFinestre::Completa(std::type_index tipo)
{
    const auto voce = caricate_.find(tipo);
    if (voce == caricate_.end())
        return;
    const QPointer<QWidget> finestra = voce->second.finestra;
    caricate_.erase(voce);
    if (finestra) {
        finestra->removeEventFilter(this);
        disconnect(finestra, &QObject::destroyed, this, &RegistroFinestre::Dimentica);
        finestra->hide();
        // Later, because the unload may come from one of its own handlers.
        finestra->deleteLater();
        std::erase_if(daDistruggere_, [](const QPointer<QWidget> &f) { return f.isNull(); });
        daDistruggere_.push_back(finestra);
    }
    if (caricate_.empty() && fine_)
        fine_();
}

std::map<std::type_index, RegistroFinestre::Voce>::iterator
RegistroFinestre::VoceDi(const QObject *finestra)
{
    for (auto voce = caricate_.begin(); voce != caricate_.end(); ++voce) {
        if (voce->second.indirizzo == finestra)
            return voce;
    }
    return caricate_.end();
}

void RegistroFinestre::Dimentica(const QObject *finestra)
{
    // A loaded window deleted behind the registry's back.
    const auto voce = VoceDi(finestra);
    if (voce == caricate_.end())
        return;
    caricate_.erase(voce);
    if (caricate_.empty() && fine_)
        fine_();
}

bool RegistroFinestre::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != QEvent::Close)
        return false;
    const auto voce = VoceDi(oggetto);
    if (voce == caricate_.end() || voce->second.scaricando)
        return false;

    // The close box, or close() from the window's own code: the window has
    // its say first, and an accepted close unloads it.
    const std::type_index tipo = voce->first;
    voce->second.scaricando = true;
    oggetto->event(evento);
    if (evento->isAccepted()) {
        Completa(tipo);
    } else if (const auto rimasta = caricate_.find(tipo); rimasta != caricate_.end()) {
        rimasta->second.scaricando = false;
    }
    return true;
}

void RegistroFinestre::MostraFinestra(QWidget &finestra)
{
    if (finestra.isMinimized())
        finestra.showNormal();
    else
        finestra.show();
    finestra.raise();
    // With no window manager nothing else would activate it.
    finestra.activateWindow();
}

void RegistroFinestre::MostraFinestraModale(QWidget &finestra)
{
    finestra.setWindowModality(Qt::ApplicationModal);
    MostraFinestra(finestra);
}

void RegistroFinestre::MostraFinestraIngrandita(QWidget &finestra)
{
    QScreen *schermo = finestra.screen();
    if (schermo == nullptr)
        schermo = QGuiApplication::primaryScreen();
    if (schermo != nullptr)
        finestra.setGeometry(schermo->availableGeometry());
    finestra.showMaximized();
    finestra.raise();
    finestra.activateWindow();
}

} // namespace lumivex
