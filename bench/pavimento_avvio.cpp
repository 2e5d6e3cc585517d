// SPDX-License-Identifier: GPL-3.0-or-later
// The least a start window of this kind can cost: a bare main window with a
// menu and 40 controls, linked to the print support as the program is, shown
// maximized as the start window is. bench_avvio measures the program against it.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    // Taking its address keeps the print support linked, and loaded at start.
    volatile auto stampanti = &QPrinterInfo::availablePrinterNames;
    static_cast<void>(stampanti);

    QMainWindow finestra;
    QMenu *menu = finestra.menuBar()->addMenu(QStringLiteral("Menu"));
    menu->addAction(QStringLiteral("Uno"));
    menu->addAction(QStringLiteral("Due"));
    auto *centro = new QWidget(&finestra);
    for (int i = 0; i < 20; ++i) {
        auto *etichetta = new QLabel(QStringLiteral("Etichetta %1").arg(i), centro);
        etichetta->setGeometry(20, 20 + 40 * i, 300, 30);
        auto *pulsante = new QPushButton(QStringLiteral("Pulsante %1").arg(i), centro);
        pulsante->setGeometry(400, 20 + 40 * i, 300, 30);
    }
    finestra.setCentralWidget(centro);
    finestra.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    finestra.showMaximized();
    finestra.activateWindow();
    return QApplication::exec();
}
