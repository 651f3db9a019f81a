// TCortaDivide, the window that splits a multi-frame camera image into one file per frame, or
// crops one frame, keeping a band of lines of each frame.
#pragma once

#include "andor/ImageSplit.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

class TCortaDivide : public platform::Form {
    Q_OBJECT
public:
    TCortaDivide();

    QLabel* Label8 = nullptr;
    QLabel* lbAndorArch = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* rb1024x256 = nullptr;
    QRadioButton* rb2048x2048 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* rbUno = nullptr;
    QLineEdit* edCuadroN = nullptr;
    QRadioButton* rbTodos = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edRenIni = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edRenFin = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbTamanio = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* btLeeArch = nullptr;
    QPushButton* Button2 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void btLeeArchClick();
    void Button2Click();

private:
    void createControls();
    void split(textio::TextReader& in, const QString& input, int linesPerFrame,
               andor::LineBand band, const std::string& base);
    void crop(textio::TextReader& in, const QString& input, int linesPerFrame, int frame,
              andor::LineBand band, const std::string& base);
};

extern TCortaDivide* CortaDivide;
