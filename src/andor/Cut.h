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

    QLabel* Label8;
    QLabel* lbAndorArch;
    QGroupBox* GroupBox2;
    QRadioButton* rb1024x256;
    QRadioButton* rb2048x2048;
    QGroupBox* GroupBox3;
    QRadioButton* rbUno;
    QLineEdit* edCuadroN;
    QRadioButton* rbTodos;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* edRenIni;
    QLabel* Label2;
    QLineEdit* edRenFin;
    QLabel* Label3;
    QLabel* lbTamanio;
    platform::ListBox* ListBox1;
    QPushButton* btLeeArch;
    QPushButton* Button2;
    platform::OpenDialog* OpenDialog1;

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
