// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace lumivex::registro {

class PasswordDocente;

// Asks the teacher's password: twice when none is set yet, once after. It
// accepts only a right (or newly set) password; while the tries are locked
// it says how long is left.
class DlgPassword : public QDialog {
    Q_OBJECT

public:
    DlgPassword(PasswordDocente &password, QWidget *genitore);

private:
    void Conferma();
    void MostraBlocco();

    PasswordDocente &password_;
    bool nuova_ = false;
    QLabel *lblMessaggio_;
    QLineEdit *txtPassword_;
    QLineEdit *txtConferma_;
    QPushButton *cmdOk_;
    QTimer *attesa_;
};

} // namespace lumivex::registro
