// TNist, the window for conversion of atomic line lists into reference-line files.
#pragma once

#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TNist : public platform::Form {
    Q_OBJECT
public:
    TNist();

    QGroupBox* GroupBox4;
    QLabel* Label4;
    QLabel* lbArchNist;
    QLabel* Label5;
    QLineEdit* edImin;
    QPushButton* btLeeLineas;
    QLabel* Label1;
    platform::ListBox* ListBox1;
    QPushButton* Button1;
    platform::OpenDialog* OpenDialog1;

    void btLeeLineasClick();
    void Button1Click();

private:
    void createControls();
};

extern TNist* Nist;
