#include "ui/main_window.hpp"

#include "properties/result_descriptions.hpp"
#include "ui/select_on_focus.hpp"
#include "ui/size_list.hpp"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <variant>

namespace kavrel {
namespace {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

// Qt presents a plain QWidget as a client area; a screen reader should meet Kavrel's window as
// a window (a frame on the accessibility bus).
QAccessibleInterface* accessibleWindow(const QString& className, QObject* object) {
    if (className == QLatin1String(MainWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

std::string systemDecimalSeparator() {
    return QLocale::system().decimalPoint().toStdString();
}

MainWindow::MainWindow(FindStep findStep, std::string separator, QWidget* parent)
    : QWidget(parent), ui_(buildControls(*this)), findStep_(std::move(findStep)),
      separator_(std::move(separator)) {
    // Qt keeps one copy of a factory however often it is installed.
    QAccessible::installFactory(&accessibleWindow);
    for (SectionFamily family : allFamilies) {
        wireFamily(family);
    }
    connect(ui_.cmdfind, &QPushButton::clicked, this, [this] { onFind(); });
    connect(ui_.cmdprint, &QPushButton::clicked, this, [this] { onPrint(); });
    connect(ui_.cmdexit, &QPushButton::clicked, this, [this] { close(); });

    ui_.cmbrhs->fill(SectionFamily::RHS);
    ui_.cmbchs->fill(SectionFamily::CHS);
    ui_.cmbshs->fill(SectionFamily::SHS);
    applyFocusOrder();

    // The RHS option is first in the focus order and receiving the focus selects it. The
    // window system may never deliver that first focus event (no window manager, focus
    // stealing prevented), so select it and run its transition here, once.
    ui_.optrhs->setFocus(Qt::OtherFocusReason);
    {
        const QSignalBlocker quiet(ui_.optrhs);
        ui_.optrhs->setChecked(true);
    }
    selectFamily(SectionFamily::RHS);
}

MainWindow::~MainWindow() = default;

MainWindow::Family MainWindow::familyOf(SectionFamily family) const {
    switch (family) {
    case SectionFamily::RHS:
        return {ui_.optrhs, ui_.cmbrhs};
    case SectionFamily::SHS:
        return {ui_.optshs, ui_.cmbshs};
    case SectionFamily::CHS:
        break;
    }
    return {ui_.optchs, ui_.cmbchs};
}

void MainWindow::wireFamily(SectionFamily family) {
    const Family controls = familyOf(family);
    new SelectOnFocus(*controls.option);
    connect(controls.option, &QRadioButton::toggled, this, [this, family](bool checked) {
        if (checked) {
            selectFamily(family);
        }
    });
    // Choosing an entry, and editing the text too: results never stand next to a text they
    // were not computed for.
    connect(controls.list, &SizeList::chosen, this, [this] { clearResults(); });
    connect(controls.list, &SizeList::edited, this, [this] { clearResults(); });
}

void MainWindow::selectFamily(SectionFamily family) {
    for (SectionFamily other : allFamilies) {
        if (other != family) {
            const Family controls = familyOf(other);
            controls.list->setEnabled(false);
            controls.list->clearText();
        }
    }
    const Family own = familyOf(family);
    own.list->setEnabled(true);
    clearResults();
    focusOrder_.bringForward(own.list->objectName().toStdString());
    applyFocusOrder();
}

void MainWindow::clearResults() {
    for (const ResultDescription* result : resultsInDisplayOrder) {
        ui_.box(*result)->clear();
    }
}

void MainWindow::applyFocusOrder() {
    QWidget* previous = nullptr;
    for (const std::string& name : focusOrder_.names()) {
        auto* widget = findChild<QWidget*>(QString::fromStdString(name));
        // Frames and labels never take the focus, and setTabOrder ignores them.
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::onFind() {
    const FindInputs inputs{
        ui_.cmbrhs->currentText().toStdString(), ui_.cmbshs->currentText().toStdString(),
        ui_.cmbchs->currentText().toStdString(), ui_.optrhs->isChecked(), ui_.optshs->isChecked()};
    std::visit(Overloaded{[this](const SectionProperties& found) { showResults(found); },
                          [this](const UnreadableNumber&) { showUnreadableNumber(); },
                          [](const ArithmeticFailure&) {}},
               findStep_(inputs, separator_));
}

void MainWindow::onPrint() {
    printer_.print(reportInputs());
}

void MainWindow::showResults(const SectionProperties& found) {
    // Find's writing order, which differs from the display order at the last three rows.
    for (const ResultDescription& result : findResults) {
        ui_.box(result)->setText(QString::fromUtf8(found.*result.field));
    }
}

void MainWindow::showUnreadableNumber() {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QString::fromUtf8(UnreadableNumber::message), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("findMessage"));
    box.exec();
}

ReportInputs MainWindow::reportInputs() const {
    ReportInputs inputs;
    for (SectionFamily family : allFamilies) {
        const Family controls = familyOf(family);
        if (controls.option->isChecked()) {
            inputs.family = family;
            inputs.designation = controls.list->currentText().toStdString();
            break;
        }
    }
    for (const ResultDescription& result : findResults) {
        inputs.boxes.*result.field = ui_.box(result)->text().toStdString();
    }
    return inputs;
}

} // namespace kavrel
