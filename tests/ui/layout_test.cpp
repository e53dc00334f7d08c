// The window as built: every control's place, font, text and tool tip, the access keys, the
// banner and the pictures, the result boxes' settings.
#include "suites.hpp"
#include "window_test_support.hpp"

#include "ui/startup.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

namespace kavrel::test {
namespace {

// The text a control shows: a frame's caption, a button's caption, a label's or box's text.
QString shownText(const QWidget& widget) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frame->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
        return list->currentText();
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) {
        return box->text();
    }
    return QStringLiteral("<unknown kind>");
}

// Colour distance of two pictures of the same size, averaged over all pixels and channels.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

} // namespace

class LayoutTest : public QObject, WindowFixture {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<MainWindow>();
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void theWindow() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Kavrel"));
        QCOMPARE(window_->size(), QSize(665, 407));
        QCOMPARE(window_->minimumSize(), QSize(665, 407));
        QCOMPARE(window_->maximumSize(), QSize(665, 407));
        QVERIFY(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const QFontInfo font(window_->font());
        QCOMPARE(font.pixelSize(), 16);
        QVERIFY(font.bold());
        QVERIFY(font.italic());
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");

        const auto row = [](const char* name, const char* container, QRect geometry, int pixels,
                            bool bold, const char* text, const char* toolTip = "") {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                                << geometry << pixels << bold << QString::fromLatin1(text)
                                << QString::fromLatin1(toolTip);
        };
        const char* window = "";
        const char* types = "frmsectiontype";
        const char* properties = "frmproperties";
        row("frmsectiontype", window, {8, 8, 425, 137}, 16, true, "Section Type");
        row("frmproperties", window, {8, 152, 649, 249}, 16, true, "Properties");
        row("optrhs", types, {16, 24, 249, 18}, 15, false, "Rectangular Hollow Section (RHS)");
        row("optshs", types, {16, 64, 249, 18}, 15, false, "Square Hollow Section (SHS)");
        row("optchs", types, {16, 104, 249, 18}, 15, false, "Circular Hollow Section (CHS)");
        row("cmbrhs", types, {272, 20, 145, 25}, 15, false, "", "Click to Select the RHS");
        row("cmbshs", types, {272, 60, 145, 25}, 15, false, "", "Click to Select the SHS");
        row("cmbchs", types, {272, 100, 145, 25}, 15, false, "", "Click to Select the CHS");
        row("Label1", properties, {16, 32, 169, 17}, 15, false, "Sectional Area (CM^2)");
        row("Label2", properties, {16, 67, 185, 17}, 15, false, "Unit Weight (Kg./Mtr.)");
        row("Label3", properties, {16, 102, 201, 17}, 15, false, "Moment of Inertia,Ixx (Cm^4)");
        row("Label4", properties, {16, 138, 193, 17}, 15, false, "Moment of Inertia,Iyy (Cm^4)");
        row("Label5", properties, {16, 173, 193, 17}, 15, false, "Elastic Modulus,Zxx (Cm^3)");
        row("Label6", properties, {16, 208, 193, 17}, 15, false, "Elastic Modulus,Zyy (Cm^3)");
        row("Label7", properties, {336, 32, 193, 17}, 15, false, "Radius of Gyration,Rxx (Cm)");
        row("Label8", properties, {336, 70, 193, 17}, 15, false, "Radius of Gyration,Ryy (Cm)");
        row("Label9", properties, {336, 108, 193, 17}, 15, false, "Torsional Constant,J (Cm^4)");
        row("Label10", properties, {336, 146, 193, 17}, 15, false, "Torsional Constant,B (Cm^3)");
        row("Label12", properties, {336, 184, 201, 17}, 15, false, "Outer Surface Area (M^2/Mtr)");
        row("txta", properties, {224, 27, 97, 26}, 15, false, "");
        row("txtwt", properties, {224, 63, 97, 26}, 15, false, "");
        row("txtixx", properties, {224, 97, 97, 26}, 15, false, "");
        row("txtiyy", properties, {224, 133, 97, 26}, 15, false, "");
        row("txtzxx", properties, {224, 168, 97, 26}, 15, false, "");
        row("txtzyy", properties, {224, 203, 97, 26}, 15, false, "");
        row("txtrxx", properties, {544, 27, 97, 26}, 15, false, "");
        row("txtryy", properties, {544, 65, 97, 26}, 15, false, "");
        row("txtj", properties, {544, 103, 97, 26}, 15, false, "");
        row("txtb", properties, {544, 141, 97, 26}, 15, false, "");
        row("txtsa", properties, {544, 179, 97, 26}, 15, false, "");
        row("cmdfind", properties, {344, 216, 73, 25}, 16, false, "&Find",
            "Click to Find the Section Prpoperties");
        row("cmdprint", properties, {456, 216, 73, 25}, 15, false, "&Print", "Click for Print Out");
        row("cmdexit", properties, {560, 216, 73, 25}, 15, false, "E&xit", "Click To Exit");
        row("Image1", window, {440, 16, 213, 129}, 16, true, "",
            "For any Querries mail to kavrel@example.org");
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);

        auto* widget = window_->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->toolTip(), toolTip);
        if (name != QStringLiteral("Image1")) {
            QCOMPARE(shownText(*widget), text);
        }

        const QFontInfo font(widget->font());
        QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
        // Liberation Sans has Arial's metrics; any other substitute would clip the texts.
        QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(font.family()),
                 qPrintable(font.family()));
        QCOMPARE(font.pixelSize(), pixelSize);
        QCOMPARE(font.bold(), bold);
        QVERIFY(font.italic());
    }

    // Every caption fits its control's fixed size in its own font: nothing is clipped.
    void textsFit_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"optrhs", "optshs", "optchs", "Label1", "Label2", "Label3", "Label4", "Label5",
              "Label6", "Label7", "Label8", "Label9", "Label10", "Label12", "cmdfind", "cmdprint",
              "cmdexit", "frmsectiontype", "frmproperties"}) {
            QTest::newRow(name) << name;
        }
    }

    void textsFit() {
        QFETCH(QString, name);
        auto* widget = window_->findChild<QWidget*>(name);
        QString text = shownText(*widget);
        text.remove(QLatin1Char('&'));
        const QFontMetrics metrics(widget->font());
        int needed = metrics.horizontalAdvance(text);
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            // The caption starts after the button and the gap.
            QStyleOptionButton style;
            style.initFrom(option);
            needed += option->style()
                          ->subElementRect(QStyle::SE_RadioButtonContents, &style, option)
                          .left();
        }
        QVERIFY2(needed <= widget->width(),
                 qPrintable(QStringLiteral("%1 needs %2 px").arg(text).arg(needed)));
        QVERIFY(metrics.height() <= widget->height());
    }

    void accessKeys_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Alt+F presses Find") << "cmdfind" << int(Qt::Key_F);
        QTest::newRow("Alt+P presses Print") << "cmdprint" << int(Qt::Key_P);
        QTest::newRow("Alt+X presses Exit") << "cmdexit" << int(Qt::Key_X);
    }

    void accessKeys() {
        QFETCH(QString, button);
        QFETCH(int, key);
        auto* pressed = window_->findChild<QPushButton*>(button);
        QCOMPARE(QKeySequence::mnemonic(pressed->text()), QKeySequence(Qt::ALT | Qt::Key(key)));
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        // Print asks for a file name: that dialog is cancelled, so nothing is written.
        ModalWatcher cancelDialogs;
        pressAlt(Qt::Key(key));
        QTRY_COMPARE(clicks.count(), 1);
    }

    void noDefaultButton_data() {
        QTest::addColumn<QString>("focused");
        QTest::newRow("Return in the RHS list") << "cmbrhs";
        QTest::newRow("Return in a result box") << "txta";
    }

    void noDefaultButton() {
        QFETCH(QString, focused);
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (const char* name : {"cmdfind", "cmdprint", "cmdexit"}) {
            auto* button = control<QPushButton>(*window_, name);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            spies << std::make_shared<QSignalSpy>(button, &QPushButton::clicked);
        }
        auto* target = window_->findChild<QWidget*>(focused);
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), target);
        // Were a button pressed after all, its dialog must not hold up the test.
        ModalWatcher cancelDialogs;
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Escape);
        QTest::qWait(250); // longer than an animated click
        for (const auto& spy : spies) {
            QCOMPARE(spy->count(), 0);
        }
        QVERIFY(window_->isVisible());
    }

    void resultBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("label");
        const char* pairs[][2] = {{"txta", "Label1"},   {"txtwt", "Label2"},  {"txtixx", "Label3"},
                                  {"txtiyy", "Label4"}, {"txtzxx", "Label5"}, {"txtzyy", "Label6"},
                                  {"txtrxx", "Label7"}, {"txtryy", "Label8"}, {"txtj", "Label9"},
                                  {"txtb", "Label10"},  {"txtsa", "Label12"}};
        for (const auto& pair : pairs) {
            QTest::newRow(pair[0]) << pair[0] << pair[1];
        }
    }

    void resultBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, label);
        auto* edit = window_->findChild<QLineEdit*>(box);
        auto* caption = window_->findChild<QLabel*>(label);
        QVERIFY(edit->isReadOnly());
        QVERIFY(edit->focusPolicy() & Qt::TabFocus);
        QVERIFY(edit->alignment() & Qt::AlignLeft);
        QCOMPARE(edit->accessibleName(), caption->text());
        QCOMPARE(caption->buddy(), edit);
        QCOMPARE(caption->focusPolicy(), Qt::NoFocus);

        // The user cannot type into a box but can select and copy its text.
        edit->setText(QStringLiteral("2.74"));
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, QStringLiteral("9"));
        QCOMPARE(edit->text(), QStringLiteral("2.74"));
        edit->selectAll();
        QCOMPARE(edit->selectedText(), QStringLiteral("2.74"));
    }

    void sizeListSettings_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("cmbrhs") << "cmbrhs";
        QTest::newRow("cmbshs") << "cmbshs";
        QTest::newRow("cmbchs") << "cmbchs";
    }

    void sizeListSettings() {
        QFETCH(QString, list);
        auto* combo = window_->findChild<QComboBox*>(list);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(combo->completer() == nullptr);
    }

    void banner() {
        auto* banner = control<QLabel>(*window_, "Image1");
        QVERIFY(banner->hasScaledContents());
        QCOMPARE(banner->focusPolicy(), Qt::NoFocus);

        // Exactly what a plain label with scaled contents shows of the full-size picture.
        QLabel plain;
        plain.resize(banner->size());
        plain.setScaledContents(true);
        plain.setPixmap(QPixmap(QStringLiteral(":/kavrel/banner.png")));
        QCOMPARE(banner->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 plain.grab().toImage().convertToFormat(QImage::Format_RGB32));

        // The whole picture squeezed into the rectangle: neither clipped nor at its own size.
        const QImage shown = banner->grab().toImage();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(213, 129));
        const QImage source(QStringLiteral(":/kavrel/banner.png"));
        const QImage squeezed =
            source.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage clipped = source.copy(QRect(QPoint(0, 0), shown.size()));
        QVERIFY2(meanDifference(shown, squeezed) < 6.0,
                 qPrintable(QString::number(meanDifference(shown, squeezed))));
        QVERIFY(meanDifference(shown, clipped) > 2 * meanDifference(shown, squeezed));
    }

    // The banner has its picture before the window first shows, kept only at the size drawn.
    void bannerBeforeShow() {
        const MainWindow hidden;
        QVERIFY(!hidden.isVisible());
        const QPixmap picture = control<QLabel>(hidden, "Image1")->pixmap();
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(213, 129));
        QCOMPARE(picture.devicePixelRatio(), hidden.devicePixelRatio());
    }

    // The small icon comes with the window; the larger ones once the first frame is out.
    void startUpIcons() {
        int framesReported = 0;
        const auto started = startUp([&framesReported] { ++framesReported; });
        QVERIFY(started->isVisible());
        QCOMPARE(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QTRY_COMPARE(QApplication::windowIcon().availableSizes().size(), 4);
        QCOMPARE(QApplication::windowIcon().availableSizes().last(), QSize(256, 256));
        QCOMPARE(framesReported, 1);
    }

    void pictures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("colourType"); // of the PNG header: 2 RGB, 3 palette, 6 RGBA
        QTest::newRow("banner, 24-bit") << ":/kavrel/banner.png" << QSize(772, 398) << 2;
        QTest::newRow("window icon, 256 colours") << ":/kavrel/kavrel-32.png" << QSize(32, 32) << 3;
        QTest::newRow("desktop icon 48") << ":/kavrel/kavrel-48.png" << QSize(48, 48) << 6;
        QTest::newRow("desktop icon 128") << ":/kavrel/kavrel-128.png" << QSize(128, 128) << 6;
        QTest::newRow("desktop icon 256") << ":/kavrel/kavrel-256.png" << QSize(256, 256) << 6;
    }

    void pictures() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(int, colourType);
        QFile png(file);
        QVERIFY(png.open(QIODevice::ReadOnly));
        const QByteArray header = png.read(26);
        QCOMPARE(header.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(int(header.at(24)), 8); // bits per channel or palette index
        QCOMPARE(int(header.at(25)), colourType);
        const QImage image(file);
        QCOMPARE(image.size(), size);
        if (colourType == 3) {
            QCOMPARE(image.format(), QImage::Format_Indexed8);
            QVERIFY(image.colorCount() <= 256);
        }
    }

    // What a screen reader meets, through Qt's accessibility interfaces: each control's role,
    // name and description, the object that contains it and the label that names it.
    void accessibility_data() {
        QTest::addColumn<QString>("name"); // empty for the window
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("container");      // "application" for the window
        QTest::addColumn<QStringList>("labelledBy"); // the labels and frames that name it

        const auto row = [](const char* name, QAccessible::Role role, const char* accessibleName,
                            const char* description, const char* container,
                            QStringList labelledBy = {}) {
            QTest::newRow(*name != '\0' ? name : "window")
                << QString::fromLatin1(name) << int(role) << QString::fromLatin1(accessibleName)
                << QString::fromLatin1(description) << QString::fromLatin1(container) << labelledBy;
        };
        const char* types = "frmsectiontype";
        row("", QAccessible::Window, "Kavrel", "", "application");
        row("frmsectiontype", QAccessible::Grouping, "Section Type", "", "");
        row("frmproperties", QAccessible::Grouping, "Properties", "", "");
        row("optshs", QAccessible::RadioButton, "Square Hollow Section (SHS)", "", types, {types});
        row("cmbrhs", QAccessible::ComboBox, "RHS size", "Click to Select the RHS", types, {types});
        row("cmbshs", QAccessible::ComboBox, "SHS size", "Click to Select the SHS", types, {types});
        row("cmbchs", QAccessible::ComboBox, "CHS size", "Click to Select the CHS", types, {types});
        row("txtixx", QAccessible::EditableText, "Moment of Inertia,Ixx (Cm^4)", "",
            "frmproperties", {"Label3", "frmproperties"});
        row("Image1", QAccessible::Graphic,
            "Kavrel: rectangular, square and circular hollow sections",
            "For any Querries mail to kavrel@example.org", "");
    }

    void accessibility() {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, accessibleName);
        QFETCH(QString, description);
        QFETCH(QString, container);
        QFETCH(QStringList, labelledBy);
        QWidget* widget = name.isEmpty() ? window_.get() : window_->findChild<QWidget*>(name);
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(item != nullptr);
        QCOMPARE(int(item->role()), role);
        QCOMPARE(item->text(QAccessible::Name), accessibleName);
        QCOMPARE(item->text(QAccessible::Description), description);

        QAccessibleInterface* parent = item->parent();
        QVERIFY(parent != nullptr);
        if (container == QStringLiteral("application")) {
            QCOMPARE(parent->role(), QAccessible::Application);
        } else {
            QWidget* expected =
                container.isEmpty() ? window_.get() : window_->findChild<QWidget*>(container);
            QCOMPARE(parent->object(), expected);
            QVERIFY(parent->indexOfChild(item) >= 0);
        }

        QStringList labels;
        for (const auto& [label, relation] : item->relations(QAccessible::Label)) {
            labels << label->object()->objectName();
        }
        labels.sort();
        labelledBy.sort();
        QCOMPARE(labels, labelledBy);

        // Qt names an editable list by its text once it has one; its text field keeps the name.
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->setCurrentIndex(0);
            QVERIFY(!list->currentText().isEmpty());
            QCOMPARE(
                QAccessible::queryAccessibleInterface(list->lineEdit())->text(QAccessible::Name),
                accessibleName);
        }
    }
};

int runLayoutTest(int argc, char** argv) {
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "layout_test.moc"
