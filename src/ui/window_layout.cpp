#include "ui/window_layout.hpp"

#include "ui/option_style.hpp"
#include "ui/pictures.hpp"
#include "ui/size_list.hpp"
#include "ui/window_fonts.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace kavrel {
namespace {

// Client area of the window, in pixels at 96 dpi.
constexpr int windowWidth = 665;
constexpr int windowHeight = 407;

// All labels are 17 px high; all result boxes are 97 x 26 px.
constexpr int labelHeight = 17;
constexpr int boxWidth = 97;
constexpr int boxHeight = 26;

template <typename Widget> Widget* place(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QGroupBox* makeFrame(QWidget* window, const char* name, const QString& caption,
                     const QRect& geometry) {
    auto* frame = place<QGroupBox>(window, name, geometry);
    frame->setTitle(caption);
    return frame;
}

QRadioButton* makeOption(QWidget* frame, QStyle* style, const char* name, const QString& caption,
                         int top) {
    auto* option = place<QRadioButton>(frame, name, QRect(16, top, 249, 18));
    option->setText(caption);
    option->setFont(controlFont());
    option->setStyle(style);
    return option;
}

SizeList* makeSizeList(QWidget* frame, const char* name, const QString& toolTip, int top) {
    auto* list = place<SizeList>(frame, name, QRect(272, top, 145, 25));
    list->setFont(controlFont());
    list->setToolTip(toolTip);
    return list;
}

// One result row: the label, and its box to the right of it, 4 or 5 px higher.
QLineEdit* makeResultRow(QWidget* frame, QLabel*& label, const char* labelName,
                         const QString& caption, const QRect& labelGeometry, const char* boxName,
                         const QPoint& boxPosition) {
    label = place<QLabel>(frame, labelName, labelGeometry);
    label->setText(caption);
    label->setFont(controlFont());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // No fill of its own: the frame's shaded panel shows through, so a label does not stand
    // out as a lighter patch.
    label->setAutoFillBackground(false);

    auto* box = place<QLineEdit>(frame, boxName, QRect(boxPosition, QSize(boxWidth, boxHeight)));
    box->setFont(controlFont());
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Only Find writes the boxes, so Print never reports a value a user typed; the text can
    // still be selected and copied.
    box->setReadOnly(true);
    box->setAccessibleName(caption);
    label->setBuddy(box);
    return box;
}

QPushButton* makeButton(QWidget* frame, const char* name, const QString& caption,
                        const QString& toolTip, int left, const QFont& font) {
    auto* button = place<QPushButton>(frame, name, QRect(left, 216, 73, 25));
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setFont(font);
    // Enter must never press a button on its own.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

constexpr QRect bannerGeometry(440, 16, 213, 129);

QLabel* makeBanner(QWidget* window, QImage picture) {
    auto* banner = place<QLabel>(window, "Image1", bannerGeometry);
    QPixmap pixmap = QPixmap::fromImage(std::move(picture));
    pixmap.setDevicePixelRatio(window->devicePixelRatio());
    banner->setPixmap(pixmap);
    banner->setScaledContents(true);
    banner->setToolTip(QStringLiteral("For any Querries mail to kavrel@example.org"));
    banner->setFocusPolicy(Qt::NoFocus);
    return banner;
}

void buildSectionTypeFrame(QWidget& window, WindowControls& c) {
    c.frmsectiontype =
        makeFrame(&window, "frmsectiontype", QStringLiteral("Section Type"), QRect(8, 8, 425, 137));
    QWidget* frame = c.frmsectiontype;
    // A widget does not own the style set on it: the frame does.
    auto* style = new OptionStyle;
    style->setParent(frame);
    c.optrhs =
        makeOption(frame, style, "optrhs", QStringLiteral("Rectangular Hollow Section (RHS)"), 24);
    c.optshs =
        makeOption(frame, style, "optshs", QStringLiteral("Square Hollow Section (SHS)"), 64);
    c.optchs =
        makeOption(frame, style, "optchs", QStringLiteral("Circular Hollow Section (CHS)"), 104);
    c.cmbrhs = makeSizeList(frame, "cmbrhs", QStringLiteral("Click to Select the RHS"), 20);
    c.cmbshs = makeSizeList(frame, "cmbshs", QStringLiteral("Click to Select the SHS"), 60);
    c.cmbchs = makeSizeList(frame, "cmbchs", QStringLiteral("Click to Select the CHS"), 100);
}

void buildPropertiesFrame(QWidget& window, WindowControls& c) {
    c.frmproperties =
        makeFrame(&window, "frmproperties", QStringLiteral("Properties"), QRect(8, 152, 649, 249));
    QWidget* frame = c.frmproperties;
    const auto row = [frame](QLabel*& label, const char* labelName, const char* caption, int left,
                             int top, int width, const char* boxName, int boxLeft, int boxTop) {
        return makeResultRow(frame, label, labelName, QString::fromLatin1(caption),
                             QRect(left, top, width, labelHeight), boxName,
                             QPoint(boxLeft, boxTop));
    };
    c.txta = row(c.Label1, "Label1", "Sectional Area (CM^2)", 16, 32, 169, "txta", 224, 27);
    c.txtwt = row(c.Label2, "Label2", "Unit Weight (Kg./Mtr.)", 16, 67, 185, "txtwt", 224, 63);
    c.txtixx =
        row(c.Label3, "Label3", "Moment of Inertia,Ixx (Cm^4)", 16, 102, 201, "txtixx", 224, 97);
    c.txtiyy =
        row(c.Label4, "Label4", "Moment of Inertia,Iyy (Cm^4)", 16, 138, 193, "txtiyy", 224, 133);
    c.txtzxx =
        row(c.Label5, "Label5", "Elastic Modulus,Zxx (Cm^3)", 16, 173, 193, "txtzxx", 224, 168);
    c.txtzyy =
        row(c.Label6, "Label6", "Elastic Modulus,Zyy (Cm^3)", 16, 208, 193, "txtzyy", 224, 203);
    c.txtrxx =
        row(c.Label7, "Label7", "Radius of Gyration,Rxx (Cm)", 336, 32, 193, "txtrxx", 544, 27);
    c.txtryy =
        row(c.Label8, "Label8", "Radius of Gyration,Ryy (Cm)", 336, 70, 193, "txtryy", 544, 65);
    c.txtj =
        row(c.Label9, "Label9", "Torsional Constant,J (Cm^4)", 336, 108, 193, "txtj", 544, 103);
    c.txtb =
        row(c.Label10, "Label10", "Torsional Constant,B (Cm^3)", 336, 146, 193, "txtb", 544, 141);
    c.txtsa =
        row(c.Label12, "Label12", "Outer Surface Area (M^2/Mtr)", 336, 184, 201, "txtsa", 544, 179);

    c.cmdfind =
        makeButton(frame, "cmdfind", QStringLiteral("&Find"),
                   QStringLiteral("Click to Find the Section Prpoperties"), 344, findButtonFont());
    c.cmdprint = makeButton(frame, "cmdprint", QStringLiteral("&Print"),
                            QStringLiteral("Click for Print Out"), 456, controlFont());
    c.cmdexit = makeButton(frame, "cmdexit", QStringLiteral("E&xit"),
                           QStringLiteral("Click To Exit"), 560, controlFont());
}

} // namespace

std::array<QLineEdit*, 11> WindowControls::resultBoxes() const {
    return {txta, txtwt, txtixx, txtiyy, txtzxx, txtzyy, txtrxx, txtryy, txtj, txtb, txtsa};
}

WindowControls buildControls(QWidget& window) {
    window.setWindowTitle(QStringLiteral("Kavrel"));
    window.setFont(windowFont());
    // Nothing in the layout follows a change of size: fixed, minimisable, not maximisable.
    window.setFixedSize(windowWidth, windowHeight);
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // Only what the banner draws is kept: the whole picture squeezed into its rectangle,
    // aspect ratio not kept, at the screen's pixel density; made while the other controls
    // are built when no picture made at build time fits.
    ScaledPictureLoad banner(QStringLiteral(":/kavrel/banner.png"),
                             QStringLiteral(":/kavrel/banner-drawn.ppm"),
                             bannerGeometry.size() * window.devicePixelRatio());
    WindowControls controls;
    buildSectionTypeFrame(window, controls);
    buildPropertiesFrame(window, controls);
    controls.Image1 = makeBanner(&window, banner.take());
    return controls;
}

} // namespace kavrel
