// TLee, the data-loading window: reads an experimental spectrum and a reference-line file into
// the spectrum store that every other window reads.
#pragma once

#include "platform/ClickLabel.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/NameLabel.h"
#include "platform/OpenDialog.h"
#include "store/SpectrumStore.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class TLee : public platform::Form {
    Q_OBJECT
public:
    TLee();

    store::SpectrumStore store;

    QGroupBox* GroupBox2;
    QPushButton* btLeeExp;
    QLabel* Label7;
    platform::NameLabel* lbArchExp;
    QGroupBox* GroupBox3;
    QPushButton* btLeeRef;
    QLabel* Label6;
    platform::NameLabel* lbArchEspec;
    platform::ListBox* ListBox1;
    QPushButton* Button2;
    platform::OpenDialog* OpenDialog1;
    platform::OpenDialog* OpenDialog2;

    void FormCreate();
    void btLeeExpClick();
    void btLeeRefClick();
    void Button2Click();
    // Reads the named experimental file without a dialog; archExp and lbArchExp stay as they are.
    void LoadExperimentalFile(const QString& fileName);

    // Shows the window with only the experimental group, or only the reference group.
    void openExperimental();
    void openReference();

private:
    void createControls();
    void showAlone(QGroupBox* group, QLabel* name, QGroupBox* other);
    void readExperimentalFile(const QString& path);
    void reportTruncation(const store::ReadOutcome& outcome, int capacity);
};

extern TLee* Lee;
