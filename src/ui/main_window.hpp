#pragma once

#include "catalogue/section_family.hpp"
#include "commands/find.hpp"
#include "commands/report_record.hpp"
#include "ui/focus_order.hpp"
#include "ui/report_printer.hpp"
#include "ui/window_layout.hpp"

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

namespace kavrel {

// The Find step the window runs; tests put their own in its place.
using FindStep = std::function<FindOutcome(const FindInputs&, std::string_view separator)>;

// The decimal separator of the user's number settings, as UTF-8.
std::string systemDecimalSeparator();

// Kavrel's one window. Its state lives in its controls: the selected option, the enabled size
// list, the lists' texts and the result boxes' texts.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(FindStep findStep = &kavrel::find,
                        std::string separator = systemDecimalSeparator(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // What Print reads: the selected family, its list's text and the eleven box texts.
    ReportInputs reportInputs() const;

    // The keyboard focus order the widgets currently follow.
    const FocusOrder& focusOrder() const { return focusOrder_; }

  private:
    struct Family {
        QRadioButton* option;
        SizeList* list;
    };
    Family familyOf(SectionFamily family) const;

    void wireFamily(SectionFamily family);
    void selectFamily(SectionFamily family);
    void clearResults();
    void applyFocusOrder();
    void onFind();
    void onPrint();
    void showResults(const SectionProperties& found);
    void showUnreadableNumber();

    WindowControls ui_;
    FocusOrder focusOrder_ = FocusOrder::designOrder();
    FindStep findStep_;
    std::string separator_;
    ReportPrinter printer_{this};
};

} // namespace kavrel
