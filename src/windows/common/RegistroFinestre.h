// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace lumivex {

// Every window of the program, one instance each, loaded on first use.
//
//     registro.Registra<FrmOperativo>([&] { return std::make_unique<FrmOperativo>(stato, casuale, orologio); });
//     registro.Carica<FrmOperativo>().Etichetta(...);   // loads it hidden if needed
//     registro.Mostra<FrmOperativo>();                   // loads if needed, shows modeless
//     registro.Scarica<FrmOperativo>();                  // unloads; nothing if not loaded
//
// A window's load work is its constructor; its unload work is its
// closeEvent, which runs whether the window is unloaded from code or by its
// close box. Unloading hides the window at once and deletes it later, so a
// window may unload itself from one of its own handlers: its own close()
// does it, and a window needs no registry of its own. When the last loaded
// window is unloaded the end callback runs: a hidden loaded window keeps the
// program alive.
class RegistroFinestre : public QObject {
    Q_OBJECT

public:
    using Fine = std::function<void()>;

    // Ends the program by default.
    RegistroFinestre();
    explicit RegistroFinestre(Fine fine);
    ~RegistroFinestre() override;

    RegistroFinestre(const RegistroFinestre &) = delete;
    RegistroFinestre &operator=(const RegistroFinestre &) = delete;

    template <class T>
    void Registra(std::function<std::unique_ptr<T>()> fabbrica)
    {
        RegistraTipo(typeid(T), [f = std::move(fabbrica)]() -> std::unique_ptr<QWidget> { return f(); });
    }

    template <class T>
    T &Carica()
    {
        return static_cast<T &>(CaricaTipo(typeid(T)));
    }

    template <class T>
    void Scarica()
    {
        ScaricaTipo(typeid(T));
    }

    template <class T>
    bool Caricata() const
    {
        return TrovaTipo(typeid(T)) != nullptr;
    }

    // The window if it is loaded, without loading it.
    template <class T>
    T *Trova() const
    {
        return static_cast<T *>(TrovaTipo(typeid(T)));
    }

    template <class T>
    T &Mostra()
    {
        T &finestra = Carica<T>();
        MostraFinestra(finestra);
        return finestra;
    }

    // Modal to the whole program, without a nested event loop: the call
    // returns at once and the other windows stay blocked until this one goes.
    template <class T>
    T &MostraModale()
    {
        T &finestra = Carica<T>();
        MostraFinestraModale(finestra);
        return finestra;
    }

    template <class T>
    T &MostraIngrandita()
    {
        T &finestra = Carica<T>();
        MostraFinestraIngrandita(finestra);
        return finestra;
    }

    static void MostraFinestra(QWidget &finestra);
    static void MostraFinestraModale(QWidget &finestra);
    // Fills the screen's available area even where no window manager
    // maximizes windows.
    static void MostraFinestraIngrandita(QWidget &finestra);

    int FinestreCaricate() const { return static_cast<int>(caricate_.size()); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    using FabbricaFinestra = std::function<std::unique_ptr<QWidget>()>;

    struct Voce {
        QPointer<QWidget> finestra;
        // Identity even while the window is being destroyed.
        const QObject *indirizzo = nullptr;
        // Its unload work is running; a second unload must not start.
        bool scaricando = false;
    };

    void RegistraTipo(std::type_index tipo, FabbricaFinestra fabbrica);
    QWidget &CaricaTipo(std::type_index tipo);
    void ScaricaTipo(std::type_index tipo);
    QWidget *TrovaTipo(std::type_index tipo) const;
    void Completa(std::type_index tipo);
    void Dimentica(const QObject *finestra);
    std::map<std::type_index, Voce>::iterator VoceDi(const QObject *finestra);

    Fine fine_;
    std::map<std::type_index, FabbricaFinestra> fabbriche_;
    std::map<std::type_index, Voce> caricate_;
    // Unloaded windows whose deletion is still pending.
    std::vector<QPointer<QWidget>> daDistruggere_;
};

} // namespace lumivex
