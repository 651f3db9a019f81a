// TBuscaPicos, the window for the peak search on the experimental spectrum.
#pragma once

#include "platform/Form.h"
#include "platform/ListBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

class TBuscaPicos : public platform::Form {
    Q_OBJECT
public:
    TBuscaPicos();

    int averageCount = 0;
    // Entry i is the mean of yExp[i+1..i+averageCount]; entry 0 is always 0.
    std::vector<double> runningMean;

    QPushButton* btPicos;
    QLabel* Label4;
    QLineEdit* Edit1;
    QGroupBox* GroupBox3;
    QLabel* Label1;
    QLineEdit* Edit2;
    QLabel* Label2;
    QGroupBox* GroupBox2;
    platform::ListBox* ListBox1;
    QGroupBox* GroupBox4;
    platform::ListBox* ListBox2;
    QPushButton* Button1;

    void btPicosClick();
    void Button1Click();

private:
    void createControls();
};

extern TBuscaPicos* BuscaPicos;
