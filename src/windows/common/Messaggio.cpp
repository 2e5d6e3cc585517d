#include "windows/common/Messaggio.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lumivex {

void MostraMessaggio(QWidget *genitore, const QString &testo)
{
    auto *scatola = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), testo,
                                    QMessageBox::Ok, genitore);
    scatola->setObjectName(QStringLiteral("messaggio"));
    scatola->setAttribute(Qt::WA_DeleteOnClose);
    scatola->open();
}

} // namespace lumivex
