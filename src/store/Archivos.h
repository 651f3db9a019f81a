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

    QGroupBox* GroupBox2 = nullptr;
    QPushButton* btLeeExp = nullptr;
    QLabel* Label7 = nullptr;
    platform::NameLabel* lbArchExp = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* btLeeRef = nullptr;
    QLabel* Label6 = nullptr;
    platform::NameLabel* lbArchEspec = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* Button2 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;
    platform::OpenDialog* OpenDialog2 = nullptr;

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
