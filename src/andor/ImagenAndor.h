// TAndorImagen, the image window: reads one frame of a camera image into a matrix of whole
// numbers and paints it in sixteen shades, one screen pixel per value.
#pragma once

#include "andor/ImageFrame.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"
#include "plot/PlotFrame.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

class TAndorImagen : public platform::Form {
    Q_OBJECT
public:
    TAndorImagen();

    int imageLines = 0;
    int imageColumns = 0;
    int nSum = 0;
    int frameNumber = 0;
    andor::ImageMatrix imageValues;
    int imageMax = 0;
    int imageMin = 0;
    double xScale = 0;
    double yScale = 0;
    // This window's own frame: 1 % of the width from the left, bottom at 90 % of the height,
    // 95 % wide and 50 % high.
    plot::PlotFrame frame;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* rb1024x256 = nullptr;
    QRadioButton* rb2048x2048 = nullptr;
    QRadioButton* rbOtro = nullptr;
    QLabel* lbOtro = nullptr;
    QLineEdit* edPixHor = nullptr;
    QLabel* lbX = nullptr;
    QLineEdit* edPixVer = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lbAndorArch = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbCurPosic = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* ednsum = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* edCuadroN = nullptr;
    QPushButton* btAndor = nullptr;
    QPushButton* btGraf = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void FormCreate();
    void btAndorClick();
    void btGrafClick();
    // Paints one image value: value p of line s at client (s, frameBottom - p), in the shade of
    // its level, or not at all when the level is outside 1 .. 256.
    void PaintPixel(int level, double p, double s);
    void FormMouseDown(const platform::MouseState& state);
    void rbOtroClick();
    void rb1024x256Click();
    void rb2048x2048Click();
    void Button2Click();
    void Button1Click();

protected:
    void clientMouseDown(const platform::MouseState& state) override { FormMouseDown(state); }

private:
    void createControls();
    void connectHandlers();
    void showTypedSize(bool visible);
    // L and V of the checked size button; a typed size must be positive.
    andor::FrameRequest sizeFromControls() const;
};

extern TAndorImagen* AndorImagen;
