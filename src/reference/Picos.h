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

    QPushButton* btPicos = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    platform::ListBox* ListBox2 = nullptr;
    QPushButton* Button1 = nullptr;

    void btPicosClick();
    void Button1Click();

private:
    void createControls();
};

extern TBuscaPicos* BuscaPicos;
