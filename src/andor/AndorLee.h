// TAndor, the trace extraction window: cuts one trace out of a frame of a camera image, writes
// it as a two-column file, lists it and plots it through the spectrum store.
#pragma once

#include "andor/AndorImage.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"
#include "plot/PlotFrame.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

class TAndor : public platform::Form {
    Q_OBJECT
public:
    TAndor();

    int linesPerFrame = 0;
    int valuesPerLine = 0;
    int nSum = 0;
    int frameNumber = 0;
    int traceIndex = 0;
    double xScale = 0;
    double yScale = 0;
    plot::PlotFrame frame;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lbAndorArch = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbCurPosic = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* rb1024x256 = nullptr;
    QRadioButton* rb2048x2048 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* rbCol = nullptr;
    QRadioButton* rbRen = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edCol = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* edCuadroN = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* ednsum = nullptr;
    QPushButton* btGraf = nullptr;
    QPushButton* btAndor = nullptr;
    QPushButton* Button2 = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button1 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void FormCreate();
    void btAndorClick();
    // The extraction for another window: the named image file and trace index, into "temp.dat".
    void ExtractTraceToTemp(const QString& fileName, int index);
    void Button2Click();
    void btGrafClick();
    void rbColClick();
    void rbRenClick();
    void FormMouseDown(const platform::MouseState& state);
    void Button3Click();
    void Button4Click();
    void Button1Click();

    // The settings an extraction started now would use, read from the controls (trace index 0).
    andor::TraceSettings settingsFromControls() const;

protected:
    void clientMouseDown(const platform::MouseState& state) override { FormMouseDown(state); }

private:
    void createControls();
    void connectHandlers();
    // One extraction; without an index the trace index comes from edCol.
    void extract(const QString& imagePath, const QString& outputName, std::optional<int> index);
};

extern TAndor* Andor;
