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

    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbArchNist = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* edImin = nullptr;
    QPushButton* btLeeLineas = nullptr;
    QLabel* Label1 = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void btLeeLineasClick();
    void Button1Click();

private:
    void createControls();
};

extern TNist* Nist;
