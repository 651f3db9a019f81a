// TConv, the window for Gaussian line profiles of the reference lines.
#pragma once

#include "platform/Form.h"
#include "platform/ListBox.h"
#include "plot/PlotFrame.h"
#include "reference/GaussProfile.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TConv : public platform::Form {
    Q_OBJECT
public:
    TConv();

    // The current profile, as the computation fills it; the fields below name its parts.
    reference::GaussProfile gauss;
    double& sigma = gauss.sigma;
    double& sampleStep = gauss.sampleStep;
    int& profileCount = gauss.profileCount;
    double& profileCentre = gauss.profileCentre;
    textio::OneBased<double, reference::profileCapacity>& profile = gauss.profile;
    plot::PlotFrame frame;

    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edAncho = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edResol = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* btConvo = nullptr;
    QPushButton* btFin = nullptr;
    platform::ListBox* ListBox1 = nullptr;

    void btConvoClick();
    // The profile centred on the reference line `index`, appended to ListBox1.
    void ComputeProfile(int index);
    void btFinClick();

private:
    void createControls();
};

extern TConv* Conv;
