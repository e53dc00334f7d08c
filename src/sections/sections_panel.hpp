#pragma once

#include "table/table_request.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace kavrel {

// A requirement as the user wrote it: the column, the engine's comparison text (">=") and the
// number as typed, with the user's decimal separator.
struct RequirementText {
    QString column;
    QString comparison;
    QString number;
    bool operator==(const RequirementText&) const = default;
};

// The design columns a grade shows until the user chooses: those kavrel-table writes by
// default, the buckling ones too.
QStringList defaultDesignColumns();

// Everything the request panel holds, in the texts the settings keep.
struct PanelState {
    QString catalogue = QStringLiteral("IS");
    QStringList families = {QStringLiteral("RHS"), QStringLiteral("SHS"), QStringLiteral("CHS")};
    std::vector<RequirementText> requirements;
    bool truePi = false;
    QStringList columns;  // the chosen fixed columns in the engine's order; empty: the default ones
    QString sort;         // "", "W" or "-W", as kavrel-table's --sort takes it
    QStringList ownSizes; // RHS:DxBxt, SHS:DxBxt, CHS:Dxt
    QString grade;        // "": none; S235 ... S460 for EN, YSt210 ... YSt355 for IS
    QString length;       // the buckling length in metres as typed; "" for none
    QStringList designColumns = defaultDesignColumns(); // the chosen ones, in the engine's order
    QString forming; // IS only: "" not known (cold formed taken), "cold" or "hot"
    QString units = QStringLiteral("metric"); // "metric" or "us", as kavrel-table's --units
    bool columnsOpen = false;                 // the choice of columns shown open in the panel
    bool ownSizesOpen = false;                // the sizes of one's own shown open in the panel
    bool operator==(const PanelState&) const = default;
};

// The request to run, as the engine takes it: the controls as they stand, less what cannot be
// applied yet (each such part is marked at its control and named here).
struct PanelRequest {
    TableRequest request;
    std::vector<std::string> ownSizes; // those the chosen catalogue computes
    QStringList ignored;               // why a requirement is not applied, one per requirement
    QStringList leftOut; // "size: reason" for each own size the catalogue does not take
};

class OwnSizeBox;
class RequirementModel;

// The request beside the table: catalogue, families, requirements, pi, sort order, columns and
// sizes of one's own. Every change is announced at once; a field that does not read is marked
// with the engine's reason beside it and keeps its text.
class SectionsPanel : public QWidget {
    Q_OBJECT

  public:
    explicit SectionsPanel(QString separator, QWidget* parent = nullptr);

    PanelState state() const;
    void setState(const PanelState& state);

    // The engine's request from the controls as they stand. A requirement without a readable
    // number and an own size that the catalogue does not take are marked and left out.
    PanelRequest request() const;

    // The sort order from a click on a column header: a numeric column sorts, ascending first,
    // then descending; another column returns to the catalogue's order.
    void sortBy(const QString& column);

    QWidget* firstControl() const { return catalogue_; }

    // The choice of columns is a section that opens under its header; its check boxes are made
    // when it is first opened.
    void openColumns(bool open);
    bool columnsOpen() const;
    // The sizes of one's own too: most users take the catalogue's; the header counts them.
    void openOwnSizes(bool open);
    bool ownSizesOpen() const;

    // The chosen catalogue, whose geometry computes the sizes of one's own too.
    Catalogue catalogue() const;
    // The units of every figure, the requirements and the sizes of one's own.
    UnitSystem units() const;

  signals:
    void changed();

  private:
    QWidget* buildCatalogue();
    QWidget* buildRequirements();
    QWidget* buildSort();
    QWidget* buildColumns();
    void buildColumnBoxes();
    // Whether a column can be shown with the request as it stands (a design column needs a
    // grade of the catalogue's code, a buckling one a length too).
    bool columnAvailable(std::size_t column) const;
    void chooseColumn(std::size_t column, bool on);
    // The check boxes, when made, and the header's count follow the choice and the request.
    void showColumnChoice();
    void showColumnCount();
    void showOwnSizeCount(qsizetype count, qsizetype leftOut) const;
    void addRequirement();
    void removeRequirements();
    // The list of requirements where there are some, made with the first; a line saying there
    // are none where there are not.
    void buildRequirementList();
    void showRequirementList();
    static int requirementListWidth(const QWidget& in);
    // The list shows a few rows and scrolls beyond them.
    void fitRequirementHeight();
    // The reason of the requirement at hand, or of the first that does not read, under the list.
    void showRequirementReason() const;
    void chainFocus();
    bool choosesPi() const;
    std::optional<double> pi() const;
    void updatePiChoice();
    // The new units: the numbers typed in the old ones converted, the units named.
    void changeUnits(UnitSystem from, UnitSystem to);
    void showUnits();
    // The request's --units: none where the catalogue's own units are chosen, as kavrel-table
    // has them without the option.
    std::optional<UnitSystem> requestUnits() const;
    // The grades of the catalogue's steel; the forming route only for IS; the design columns
    // of the catalogue's code only with a grade, the buckling ones only with a length too.
    void updateDesignChoice();
    void fillGrades();
    bool designGiven() const;
    bool designOffered() const; // the catalogue has design rules, and metric units are chosen

    QString separator_;
    QComboBox* catalogue_ = nullptr;
    QComboBox* units_ = nullptr;
    UnitSystem shownUnits_ = UnitSystem::Metric; // what the typed numbers are in
    std::vector<QCheckBox*> families_;
    RequirementModel* requirements_ = nullptr;
    QTableView* requirementView_ = nullptr; // made with the first requirement
    QVBoxLayout* requirementsLayout_ = nullptr;
    QLabel* noRequirements_ = nullptr;
    QLabel* requirementReason_ = nullptr;
    QPushButton* addRequirement_ = nullptr;
    QPushButton* removeRequirement_ = nullptr;
    QRadioButton* pi227_ = nullptr;
    QRadioButton* piExact_ = nullptr;
    QComboBox* grade_ = nullptr;
    QComboBox* forming_ = nullptr;
    QLineEdit* length_ = nullptr;
    QLabel* lengthRefusal_ = nullptr;
    QComboBox* sort_ = nullptr;
    QCheckBox* descending_ = nullptr;
    std::vector<bool> chosenColumns_; // by window column: the choice, whether or not shown
    QToolButton* columnsHeader_ = nullptr;
    QToolButton* ownHeader_ = nullptr;
    QWidget* columnsBody_ = nullptr;
    std::vector<QCheckBox*> columns_; // empty until the choice is first opened
    OwnSizeBox* own_ = nullptr;
    bool quiet_ = false;      // while setState fills the controls
    bool userTruePi_ = false; // the IS choice of pi, kept while another catalogue greys it
};

} // namespace kavrel
