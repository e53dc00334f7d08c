#include "ui/window_layout.hpp"

#include "properties/result_descriptions.hpp"
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

#include <iterator>
#include <string_view>

namespace kavrel {
namespace {

// Client area of the window, in pixels at 96 dpi.
constexpr int windowWidth = 665;
constexpr int windowHeight = 407;

// All labels are 17 px high; all result boxes are 97 x 26 px.
constexpr int labelHeight = 17;
constexpr int boxWidth = 97;
constexpr int boxHeight = 26;

template <typename Widget>
Widget* place(QWidget* parent, std::string_view name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
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

// A screen reader reads the tool tip as the list's description. On Linux, Qt names an editable
// list by its text once it has one, so its text field carries the name too.
SizeList* makeSizeList(QWidget* frame, const char* name, const QString& accessibleName,
                       const QString& toolTip, int top) {
    auto* list = place<SizeList>(frame, name, QRect(272, top, 145, 25));
    list->setFont(controlFont());
    list->setAccessibleName(accessibleName);
    list->lineEdit()->setAccessibleName(accessibleName);
    list->setToolTip(toolTip);
    return list;
}

// One result row: the label, and its box to the right of it, 4 or 5 px higher.
QLineEdit* makeResultRow(QWidget* frame, QLabel*& label, const char* labelName,
                         const QString& caption, const QRect& labelGeometry,
                         std::string_view boxName, const QPoint& boxPosition) {
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
    banner->setAccessibleName(
        QStringLiteral("Kavrel: rectangular, square and circular hollow sections"));
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
    c.cmbrhs = makeSizeList(frame, "cmbrhs", QStringLiteral("RHS size"),
                            QStringLiteral("Click to Select the RHS"), 20);
    c.cmbshs = makeSizeList(frame, "cmbshs", QStringLiteral("SHS size"),
                            QStringLiteral("Click to Select the SHS"), 60);
    c.cmbchs = makeSizeList(frame, "cmbchs", QStringLiteral("CHS size"),
                            QStringLiteral("Click to Select the CHS"), 100);
}

// Where each result row sits, in display order: the label's name and rectangle, and the
// top-left corner of the box; captions and box names come with the results' descriptions.
struct RowPlace {
    QLabel* WindowControls::*label;
    const char* labelName;
    int labelLeft, labelTop, labelWidth;
    QLineEdit* WindowControls::*box;
    int boxLeft, boxTop;
};

const RowPlace rowPlaces[] = {
    {&WindowControls::Label1, "Label1", 16, 32, 169, &WindowControls::txta, 224, 27},
    {&WindowControls::Label2, "Label2", 16, 67, 185, &WindowControls::txtwt, 224, 63},
    {&WindowControls::Label3, "Label3", 16, 102, 201, &WindowControls::txtixx, 224, 97},
    {&WindowControls::Label4, "Label4", 16, 138, 193, &WindowControls::txtiyy, 224, 133},
    {&WindowControls::Label5, "Label5", 16, 173, 193, &WindowControls::txtzxx, 224, 168},
    {&WindowControls::Label6, "Label6", 16, 208, 193, &WindowControls::txtzyy, 224, 203},
    {&WindowControls::Label7, "Label7", 336, 32, 193, &WindowControls::txtrxx, 544, 27},
    {&WindowControls::Label8, "Label8", 336, 70, 193, &WindowControls::txtryy, 544, 65},
    {&WindowControls::Label9, "Label9", 336, 108, 193, &WindowControls::txtj, 544, 103},
    {&WindowControls::Label10, "Label10", 336, 146, 193, &WindowControls::txtb, 544, 141},
    {&WindowControls::Label12, "Label12", 336, 184, 201, &WindowControls::txtsa, 544, 179},
};
static_assert(std::size(rowPlaces) == resultsInDisplayOrder.size());

void buildPropertiesFrame(QWidget& window, WindowControls& c) {
    c.frmproperties =
        makeFrame(&window, "frmproperties", QStringLiteral("Properties"), QRect(8, 152, 649, 249));
    QWidget* frame = c.frmproperties;
    for (const ResultDescription* result : resultsInDisplayOrder) {
        const RowPlace& at = rowPlaces[result->row - 1];
        c.*at.box =
            makeResultRow(frame, c.*at.label, at.labelName, QString::fromUtf8(result->caption),
                          QRect(at.labelLeft, at.labelTop, at.labelWidth, labelHeight), result->box,
                          QPoint(at.boxLeft, at.boxTop));
    }

    c.cmdfind =
        makeButton(frame, "cmdfind", QStringLiteral("&Find"),
                   QStringLiteral("Click to Find the Section Prpoperties"), 344, findButtonFont());
    c.cmdprint = makeButton(frame, "cmdprint", QStringLiteral("&Print"),
                            QStringLiteral("Click for Print Out"), 456, controlFont());
    c.cmdexit = makeButton(frame, "cmdexit", QStringLiteral("E&xit"),
                           QStringLiteral("Click To Exit"), 560, controlFont());
}

} // namespace

QLineEdit* WindowControls::box(const ResultDescription& result) const {
    return this->*rowPlaces[result.row - 1].box;
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
