#pragma once

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kavrel {

class SizeList;
struct ResultDescription;

// The controls of the main window, named as their objectNames.
struct WindowControls {
    QGroupBox* frmsectiontype = nullptr;
    QGroupBox* frmproperties = nullptr;
    QRadioButton* optrhs = nullptr;
    QRadioButton* optshs = nullptr;
    QRadioButton* optchs = nullptr;
    SizeList* cmbrhs = nullptr;
    SizeList* cmbshs = nullptr;
    SizeList* cmbchs = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* txta = nullptr;
    QLineEdit* txtwt = nullptr;
    QLineEdit* txtixx = nullptr;
    QLineEdit* txtiyy = nullptr;
    QLineEdit* txtzxx = nullptr;
    QLineEdit* txtzyy = nullptr;
    QLineEdit* txtrxx = nullptr;
    QLineEdit* txtryy = nullptr;
    QLineEdit* txtj = nullptr;
    QLineEdit* txtb = nullptr;
    QLineEdit* txtsa = nullptr;
    QPushButton* cmdfind = nullptr;
    QPushButton* cmdprint = nullptr;
    QPushButton* cmdexit = nullptr;
    QLabel* Image1 = nullptr;

    // The box that shows this result.
    QLineEdit* box(const ResultDescription& result) const;
};

// Builds every control of the window at its fixed place, with its font, text and tool tip:
// no option selected, the size lists empty, the result boxes empty.
WindowControls buildControls(QWidget& window);

} // namespace kavrel
