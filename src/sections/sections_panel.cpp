#include "sections/sections_panel.hpp"

#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "sections/column_labels.hpp"
#include "sections/own_size_box.hpp"
#include "sections/requirement_editors.hpp"
#include "sections/requirement_model.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_columns.hpp"
#include "table/table_rows.hpp"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyleOptionComboBox>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kavrel {
namespace {

// Checked until the user chooses: the default columns, and the design columns a grade writes
// by default.
bool isDefaultWindowColumn(std::size_t column) {
    if (!isDesignColumn(column)) {
        return column < defaultColumnCount;
    }
    const std::size_t design = column - columnCount;
    return design >= designColumns.size() || designColumns[design].byDefault;
}

// The header of a section of the panel that opens under it, closed.
QToolButton* sectionHeader(const QString& name, const QString& description) {
    auto* header = new QToolButton;
    header->setObjectName(name);
    header->setCheckable(true);
    header->setAutoRaise(true);
    header->setFocusPolicy(Qt::StrongFocus);
    header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header->setArrowType(Qt::RightArrow);
    header->setAccessibleDescription(description);
    return header;
}

// A section opened or closed, its header showing which, without announcing it again.
void showSection(QToolButton& header, QWidget& body, bool open) {
    {
        const QSignalBlocker quiet(&header);
        header.setChecked(open);
    }
    header.setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    body.setVisible(open);
}

} // namespace

QStringList defaultDesignColumns() {
    QStringList names;
    for (std::size_t i = columnCount; i < windowColumnCount; ++i) {
        if (isDefaultWindowColumn(i)) {
            names << columnName(i);
        }
    }
    return names;
}

SectionsPanel::SectionsPanel(QString separator, QWidget* parent)
    : QWidget(parent), separator_(std::move(separator)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCatalogue());
    layout->addWidget(buildRequirements());
    layout->addWidget(buildSort());
    layout->addWidget(buildColumns());
    own_ = new OwnSizeBox(separator_);
    connect(own_->add, &QPushButton::clicked, this,
            [this] { own_->addTyped(catalogue(), pi(), units()); });
    connect(own_, &OwnSizeBox::changed, this, &SectionsPanel::changed);
    ownHeader_ =
        sectionHeader(QStringLiteral("cmdown"), tr("Opens or closes the sizes of your own"));
    connect(ownHeader_, &QToolButton::toggled, this, &SectionsPanel::openOwnSizes);
    layout->addWidget(ownHeader_);
    own_->setVisible(false);
    layout->addWidget(own_);
    showOwnSizeCount(0, 0);
    layout->addStretch(1);
    updateDesignChoice();
    showUnits();
    chainFocus();
}

QWidget* SectionsPanel::buildCatalogue() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    catalogue_ = new QComboBox;
    catalogue_->setObjectName(QStringLiteral("cmbcatalogue"));
    catalogue_->setAccessibleName(tr("Catalogue"));
    for (const CatalogueDescription& description : allCatalogues()) {
        catalogue_->addItem(QString::fromUtf8(description.title),
                            QString::fromUtf8(description.name));
    }
    grid->addWidget(buddyLabel(tr("&Catalogue:"), catalogue_), 0, 0);
    grid->addWidget(catalogue_, 0, 1, 1, 3);
    units_ = new QComboBox;
    units_->setObjectName(QStringLiteral("cmbunits"));
    units_->setAccessibleName(tr("Units"));
    units_->addItem(tr("Metric: mm, cm\u00b2, kg/m, cm\u2074, cm\u00b3, m\u00b2/m"),
                    QString::fromUtf8(unitSystemName(UnitSystem::Metric)));
    units_->addItem(tr("US customary: in, in\u00b2, lb/ft, in\u2074, in\u00b3, ft\u00b2/ft"),
                    QString::fromUtf8(unitSystemName(UnitSystem::US)));
    grid->addWidget(buddyLabel(tr("&Units:"), units_), 8, 0);
    grid->addWidget(units_, 8, 1, 1, 3);
    connect(units_, &QComboBox::currentIndexChanged, this, [this] {
        changeUnits(shownUnits_, units());
        updateDesignChoice();
        emit changed();
    });

    grid->addWidget(new QLabel(tr("Families:")), 1, 0);
    int at = 1;
    for (const auto& [name, caption] :
         {std::pair{"RHS", "&RHS"}, {"SHS", "&SHS"}, {"CHS", "C&HS"}}) {
        auto* family = new QCheckBox(tr(caption));
        family->setObjectName(QStringLiteral("chk") + QString::fromLatin1(name).toLower());
        family->setAccessibleName(QString::fromLatin1(name));
        family->setChecked(true);
        connect(family, &QCheckBox::toggled, this, [this, family](bool on) {
            // One family at least: with none the engine would show them all.
            if (!on && std::ranges::none_of(families_, &QCheckBox::isChecked)) {
                family->setChecked(true);
                return;
            }
            emit changed();
        });
        families_.push_back(family);
        grid->addWidget(family, 1, at++);
    }

    pi227_ = new QRadioButton(tr("22/&7, as the Kavrel window"));
    piExact_ = new QRadioButton(tr("&True \u03c0, as published tables"));
    pi227_->setObjectName(QStringLiteral("optpi227"));
    piExact_->setObjectName(QStringLiteral("optpiexact"));
    pi227_->setAccessibleName(tr("Pi as 22/7"));
    piExact_->setAccessibleName(tr("The true pi"));
    pi227_->setChecked(true);
    grid->addWidget(new QLabel(tr("\u03c0:")), 2, 0);
    grid->addWidget(pi227_, 2, 1, 1, 3);
    grid->addWidget(piExact_, 3, 1, 1, 3);
    connect(pi227_, &QRadioButton::toggled, this, [this] {
        if (choosesPi()) {
            userTruePi_ = piExact_->isChecked();
        }
        emit changed();
    });

    grade_ = new QComboBox;
    grade_->setObjectName(QStringLiteral("cmbgrade"));
    grade_->setAccessibleName(tr("Steel grade of the design resistances"));
    fillGrades();
    forming_ = new QComboBox;
    forming_->setObjectName(QStringLiteral("cmbforming"));
    forming_->setAccessibleName(tr("Forming route of the IS sizes, which chooses the buckling "
                                   "class"));
    forming_->addItem(tr("not known: cold formed"), QString());
    forming_->addItem(tr("cold formed"), QStringLiteral("cold"));
    forming_->addItem(tr("hot rolled"), QStringLiteral("hot"));
    forming_->setToolTip(tr("IS 800 Table 10: hot rolled class a, cold formed class b"));
    length_ = new QLineEdit;
    length_->setObjectName(QStringLiteral("txtlength"));
    length_->setAccessibleName(tr("Buckling length in metres"));
    lengthRefusal_ = new QLabel;
    lengthRefusal_->setObjectName(QStringLiteral("lbllengthreason"));
    lengthRefusal_->setWordWrap(true);
    lengthRefusal_->setVisible(false);
    grid->addWidget(buddyLabel(tr("Steel &grade:"), grade_), 4, 0);
    grid->addWidget(grade_, 4, 1, 1, 3);
    grid->addWidget(buddyLabel(tr("&Buckling length, m:"), length_), 5, 0);
    grid->addWidget(length_, 5, 1, 1, 3);
    grid->addWidget(lengthRefusal_, 6, 0, 1, 4);
    grid->addWidget(buddyLabel(tr("For&ming:"), forming_), 7, 0);
    grid->addWidget(forming_, 7, 1, 1, 3);
    connect(forming_, &QComboBox::currentIndexChanged, this, &SectionsPanel::changed);
    connect(grade_, &QComboBox::currentIndexChanged, this, [this] {
        updateDesignChoice();
        emit changed();
    });
    connect(length_, &QLineEdit::textChanged, this, [this] {
        updateDesignChoice();
        emit changed();
    });

    connect(catalogue_, &QComboBox::currentIndexChanged, this, [this] {
        updatePiChoice();
        if (!quiet_) {
            // A catalogue comes in its own units, as kavrel-table gives it without --units.
            const QSignalBlocker blockUnits(units_);
            units_->setCurrentIndex(
                units_->findData(QString::fromUtf8(unitSystemName(describe(catalogue()).home))));
            changeUnits(shownUnits_, units());
        }
        fillGrades();
        updateDesignChoice();
        emit changed();
    });
    return box;
}

QWidget* SectionsPanel::buildRequirements() {
    // A heading over its controls, as the panel's other sections have, not a framed box: the
    // style draws a box's frame from a picture, and reading the first picture of a run loads
    // every image-format plugin, a few milliseconds of every start.
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("requirements"));
    requirementsLayout_ = new QVBoxLayout(box);
    requirementsLayout_->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(tr("Requirements, all of which must hold"));
    heading->setObjectName(QStringLiteral("lblrequirements"));
    requirementsLayout_->addWidget(heading);
    box->setAccessibleName(heading->text());
    requirements_ = new RequirementModel(this);
    // Until there is a requirement, a line says so where their list will be: the list is made
    // with the first one.
    noRequirements_ = new QLabel(tr("None: every size is shown."));
    noRequirements_->setObjectName(QStringLiteral("lblnorequirements"));
    noRequirements_->setMinimumWidth(requirementListWidth(*noRequirements_));
    requirementsLayout_->addWidget(noRequirements_);
    requirementReason_ = new QLabel;
    requirementReason_->setObjectName(QStringLiteral("lblreqreason"));
    requirementReason_->setWordWrap(true);
    requirementReason_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    requirementReason_->setVisible(false);
    requirementsLayout_->addWidget(requirementReason_);

    addRequirement_ = new QPushButton(tr("&Add requirement"));
    addRequirement_->setObjectName(QStringLiteral("cmdaddrequirement"));
    addRequirement_->setAccessibleName(tr("Add requirement"));
    removeRequirement_ = new QPushButton(tr("Remove requirement"));
    removeRequirement_->setObjectName(QStringLiteral("cmdremoverequirement"));
    removeRequirement_->setAccessibleName(tr("Remove requirement"));
    removeRequirement_->setEnabled(false); // until a requirement is chosen
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addRequirement_);
    buttons->addWidget(removeRequirement_);
    buttons->addStretch(1);
    requirementsLayout_->addLayout(buttons);
    connect(addRequirement_, &QPushButton::clicked, this, &SectionsPanel::addRequirement);
    connect(removeRequirement_, &QPushButton::clicked, this, &SectionsPanel::removeRequirements);
    connect(requirements_, &RequirementModel::edited, this, [this] {
        fitRequirementHeight();
        emit changed();
    });
    return box;
}

int SectionsPanel::requirementListWidth(const QWidget& in) {
    return in.fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40;
}

void SectionsPanel::buildRequirementList() {
    requirementView_ = new QTableView;
    requirementView_->setObjectName(QStringLiteral("tblrequirements"));
    requirementView_->setAccessibleName(tr("Requirements"));
    requirementView_->setModel(requirements_);
    requirementView_->setItemDelegate(new RequirementEditors(requirementView_));
    requirementView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    requirementView_->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab goes on to the next control; the arrows move through the requirements.
    requirementView_->setTabKeyNavigation(false);
    requirementView_->verticalHeader()->setVisible(false);
    requirementView_->setWordWrap(false);
    {
        // A row as high as the list editor that opens on it, asked of the style, not of a box
        // made to measure.
        QStyleOptionComboBox option;
        option.initFrom(requirementView_);
        const QSize text(0, requirementView_->fontMetrics().height());
        requirementView_->verticalHeader()->setDefaultSectionSize(
            requirementView_->style()
                ->sizeFromContents(QStyle::CT_ComboBox, &option, text, requirementView_)
                .height());
        requirementView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    }
    QHeaderView* header = requirementView_->horizontalHeader();
    header->setObjectName(QStringLiteral("hdrrequirements"));
    header->setSectionResizeMode(RequirementModel::ColumnField, QHeaderView::Stretch);
    const QFontMetrics metrics = requirementView_->fontMetrics();
    header->resizeSection(RequirementModel::ComparisonField,
                          metrics.horizontalAdvance(QStringLiteral("\u2265")) + 48);
    header->resizeSection(RequirementModel::NumberField,
                          metrics.horizontalAdvance(QStringLiteral("00000.000")) + 16);
    header->resizeSection(RequirementModel::UnitField,
                          metrics.horizontalAdvance(QStringLiteral("kN\u00b7m")) + 16);
    header->setMinimumSectionSize(metrics.horizontalAdvance(QStringLiteral("Unit")) + 16);
    requirementView_->setMinimumWidth(requirementListWidth(*requirementView_));
    requirementsLayout_->insertWidget(requirementsLayout_->indexOf(noRequirements_),
                                      requirementView_);
    // Delete removes the chosen requirements, as Remove does.
    auto* remove =
        new QShortcut(QKeySequence::Delete, requirementView_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &SectionsPanel::removeRequirements);
    connect(requirementView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] {
                removeRequirement_->setEnabled(requirementView_->selectionModel()->hasSelection());
            });
    connect(requirementView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SectionsPanel::showRequirementReason);
    chainFocus();
}

void SectionsPanel::showRequirementList() {
    const bool any = requirements_->rowCount() > 0;
    if (any && requirementView_ == nullptr) {
        buildRequirementList();
    }
    noRequirements_->setVisible(!any);
    if (requirementView_ != nullptr) {
        requirementView_->setVisible(any);
        fitRequirementHeight();
    }
    removeRequirement_->setEnabled(any && requirementView_->selectionModel()->hasSelection());
}

QWidget* SectionsPanel::buildSort() {
    auto* box = new QWidget;
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    sort_ = new QComboBox;
    sort_->setObjectName(QStringLiteral("cmbsort"));
    sort_->setAccessibleName(tr("Sort by"));
    sort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sort_->setMinimumContentsLength(10);
    sort_->addItem(tr("the catalogue's order"), QString());
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (isNumericColumn(i)) {
            sort_->addItem(columnName(i) + QStringLiteral(" (") + columnMeaning(i) +
                               QLatin1Char(')'),
                           columnName(i));
        }
    }
    descending_ = new QCheckBox(tr("&Descending"));
    descending_->setObjectName(QStringLiteral("chkdescending"));
    descending_->setAccessibleName(tr("Descending"));
    line->addWidget(buddyLabel(tr("S&ort by:"), sort_));
    line->addWidget(sort_, 1);
    line->addWidget(descending_);
    connect(sort_, &QComboBox::currentIndexChanged, this, &SectionsPanel::changed);
    connect(descending_, &QCheckBox::toggled, this, &SectionsPanel::changed);
    return box;
}

QWidget* SectionsPanel::buildColumns() {
    // The choice of columns is the panel's own; the check boxes only show it. They are made when
    // the section is first opened: most users keep the default columns, and some fifty check
    // boxes would otherwise be built, measured and painted before the first frame.
    chosenColumns_.resize(windowColumnCount);
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        chosenColumns_[i] = isDefaultWindowColumn(i);
    }
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    columnsHeader_ =
        sectionHeader(QStringLiteral("cmdcolumns"), tr("Opens or closes the choice of columns"));
    connect(columnsHeader_, &QToolButton::toggled, this, &SectionsPanel::openColumns);
    layout->addWidget(columnsHeader_);
    columnsBody_ = new QWidget;
    columnsBody_->setObjectName(QStringLiteral("columnchoice"));
    columnsBody_->setVisible(false);
    layout->addWidget(columnsBody_);
    showColumnCount();
    return box;
}

void SectionsPanel::buildColumnBoxes() {
    auto* grid = new QGridLayout(columnsBody_);
    // Indented under the header's arrow, as the content of an open section.
    grid->setContentsMargins(columnsHeader_->iconSize().width(), 0, 0, 0);
    columns_.reserve(windowColumnCount);
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        auto* column = new QCheckBox(columnName(i));
        column->setObjectName(QStringLiteral("chkcol") + columnName(i));
        column->setAccessibleName(tr("Column %1, %2").arg(columnName(i), columnMeaning(i)));
        column->setToolTip(columnMeaning(i));
        column->setChecked(chosenColumns_[i]);
        column->setEnabled(columnAvailable(i));
        connect(column, &QCheckBox::toggled, this, [this, i](bool on) { chooseColumn(i, on); });
        // The design columns begin a row of their own.
        const std::size_t at = isDesignColumn(i) ? (columnCount + 3) / 4 * 4 + i - columnCount : i;
        grid->addWidget(column, static_cast<int>(at / 4), static_cast<int>(at % 4));
        columns_.push_back(column);
    }
    chainFocus();
}

void SectionsPanel::openColumns(bool open) {
    if (open && columns_.empty()) {
        buildColumnBoxes();
    }
    showSection(*columnsHeader_, *columnsBody_, open);
}

bool SectionsPanel::columnsOpen() const {
    return columnsHeader_->isChecked();
}

void SectionsPanel::openOwnSizes(bool open) {
    showSection(*ownHeader_, *own_, open);
}

bool SectionsPanel::ownSizesOpen() const {
    return ownHeader_->isChecked();
}

// Closed, the header still tells what its sizes do to the table: how many there are, and how
// many the catalogue leaves out (each is named under the table).
void SectionsPanel::showOwnSizeCount(qsizetype count, qsizetype leftOut) const {
    QString shown = count == 0 ? tr("none") : QString::number(count);
    if (leftOut > 0) {
        shown = tr("%1, %2 left out").arg(shown).arg(leftOut);
    }
    ownHeader_->setText(tr("Si&zes of your own: %1").arg(shown));
    ownHeader_->setAccessibleName(tr("Sizes of your own: %1").arg(shown));
}

bool SectionsPanel::columnAvailable(std::size_t column) const {
    if (!isDesignColumn(column)) {
        return true;
    }
    return designGiven() &&
           givenByCode(columnName(column).toStdString(), designCodeOf(catalogue())) &&
           (!isBucklingColumn(column) || !length_->text().trimmed().isEmpty());
}

void SectionsPanel::chooseColumn(std::size_t column, bool on) {
    // A table keeps one column at least. Only a column it can show counts: a design column
    // ticked but greyed would leave no column, and the engine would show its default ones.
    const auto shown = [this](std::size_t i) { return chosenColumns_[i] && columnAvailable(i); };
    bool another = false;
    for (std::size_t i = 0; i < windowColumnCount && !another; ++i) {
        another = i != column && shown(i);
    }
    if (!on && !another) {
        const QSignalBlocker quiet(columns_[column]);
        columns_[column]->setChecked(true);
        return;
    }
    chosenColumns_[column] = on;
    showColumnCount();
    emit changed();
}

void SectionsPanel::showColumnChoice() {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const QSignalBlocker quiet(columns_[i]);
        columns_[i]->setChecked(chosenColumns_[i]);
        columns_[i]->setEnabled(columnAvailable(i));
    }
    showColumnCount();
}

void SectionsPanel::showColumnCount() {
    int offered = 0;
    int shown = 0;
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (columnAvailable(i)) {
            ++offered;
            shown += chosenColumns_[i] ? 1 : 0;
        }
    }
    const QString count = QString::number(shown);
    const QString of = QString::number(offered);
    columnsHeader_->setText(tr("Co&lumns: %1 of %2 shown").arg(count, of));
    columnsHeader_->setAccessibleName(tr("Columns: %1 of %2 shown").arg(count, of));
}

void SectionsPanel::addRequirement() {
    requirements_->append({QStringLiteral("W"), QStringLiteral(">="), {}});
    showRequirementList();
    const QModelIndex number =
        requirements_->index(requirements_->rowCount() - 1, RequirementModel::NumberField);
    requirementView_->setCurrentIndex(number);
    requirementView_->scrollTo(number);
    // The number is what a new requirement lacks: typing starts there.
    requirementView_->edit(number);
    if (QWidget* editor = requirementView_->indexWidget(number)) {
        editor->setFocus();
    }
    emit changed();
}

void SectionsPanel::removeRequirements() {
    if (requirementView_ == nullptr) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& index : requirementView_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty()) {
        return;
    }
    requirements_->removeRequirements(rows);
    if (requirements_->rowCount() == 0) {
        addRequirement_->setFocus();
    }
    showRequirementList();
    emit changed();
}

void SectionsPanel::fitRequirementHeight() {
    if (requirementView_ == nullptr) {
        return;
    }
    const int shown = std::clamp(requirements_->rowCount(), 1, 6);
    const int height = requirementView_->horizontalHeader()->sizeHint().height() +
                       shown * requirementView_->verticalHeader()->defaultSectionSize() +
                       2 * requirementView_->frameWidth();
    requirementView_->setFixedHeight(height);
}

void SectionsPanel::showRequirementReason() const {
    int row = requirementView_ != nullptr ? requirementView_->currentIndex().row() : -1;
    if (row < 0 || requirements_->reason(row).isEmpty()) {
        row = -1;
        for (int r = 0; r < requirements_->rowCount(); ++r) {
            if (!requirements_->reason(r).isEmpty()) {
                row = r;
                break;
            }
        }
    }
    const QString reason =
        row < 0
            ? QString()
            : tr("Requirement %1: %2").arg(QString::number(row + 1), requirements_->reason(row));
    requirementReason_->setText(reason);
    requirementReason_->setVisible(!reason.isEmpty());
}

void SectionsPanel::chainFocus() {
    std::vector<QWidget*> order = {catalogue_};
    order.insert(order.end(), families_.begin(), families_.end());
    order.push_back(pi227_);
    order.push_back(piExact_);
    order.push_back(grade_);
    order.push_back(length_);
    order.push_back(forming_);
    order.push_back(units_);
    if (requirementView_ != nullptr) {
        order.push_back(requirementView_);
    }
    order.insert(order.end(),
                 {addRequirement_, removeRequirement_, sort_, descending_, columnsHeader_});
    order.insert(order.end(), columns_.begin(), columns_.end());
    order.insert(order.end(), {ownHeader_, own_->family, own_->depth, own_->width, own_->thickness,
                               own_->add, own_->list, own_->remove});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

UnitSystem SectionsPanel::units() const {
    return units_->currentData().toString() == QString::fromUtf8(unitSystemName(UnitSystem::US))
               ? UnitSystem::US
               : UnitSystem::Metric;
}

std::optional<UnitSystem> SectionsPanel::requestUnits() const {
    const UnitSystem chosen = units();
    return chosen == describe(catalogue()).home ? std::nullopt : std::optional(chosen);
}

namespace {

// A typed number in other units, as the engine writes numbers, exactly: the requirement or size
// means the same as before.
QString convertedTyped(const QString& typed, const QString& separator, Quantity quantity,
                       UnitSystem from, UnitSystem to) {
    const auto engine = engineNumber(typed.trimmed(), separator);
    const std::optional<double> value = engine ? readNumber(*engine) : std::nullopt;
    if (!value || quantity == Quantity::None) {
        return typed; // unreadable, or the same in both: left as typed, refused as before
    }
    QString text = QString::number(convert(*value, quantity, from, to), 'g', 17);
    // The shortest text that reads back the same.
    for (int digits = 1; digits <= 17; ++digits) {
        const QString shorter = QString::number(convert(*value, quantity, from, to), 'g', digits);
        if (shorter.toDouble() == convert(*value, quantity, from, to)) {
            text = shorter;
            break;
        }
    }
    if (text.contains(QLatin1Char('e'))) {
        return typed;
    }
    text.replace(QLatin1Char('.'), separator);
    return text;
}

// A size of one's own "RHS:100x50x5" in other units.
QString convertedSize(const QString& size, UnitSystem from, UnitSystem to) {
    const qsizetype colon = size.indexOf(QLatin1Char(':'));
    QStringList numbers = size.mid(colon + 1).split(QLatin1Char('x'));
    for (QString& number : numbers) {
        number = convertedTyped(number, QStringLiteral("."), Quantity::Length, from, to);
    }
    return size.left(colon + 1) + numbers.join(QLatin1Char('x'));
}

} // namespace

void SectionsPanel::changeUnits(UnitSystem from, UnitSystem to) {
    shownUnits_ = to;
    if (from != to) {
        for (int row = 0; row < requirements_->rowCount(); ++row) {
            const RequirementText& typed = requirements_->texts()[static_cast<std::size_t>(row)];
            const std::optional<std::size_t> column = columnIndex(typed.column.toStdString());
            Quantity quantity = Quantity::None;
            if (column && *column >= 2 && *column < leadingColumns) {
                quantity = Quantity::Length;
            } else if (column && *column >= leadingColumns &&
                       *column < leadingColumns + findResults.size()) {
                quantity = findResults[*column - leadingColumns].quantity;
            } else if (column && *column >= leadingColumns + findResults.size() &&
                       *column < catalogueColumn) {
                quantity = plasticResults[*column - leadingColumns - findResults.size()].quantity;
            }
            requirements_->setNumber(row,
                                     convertedTyped(typed.number, separator_, quantity, from, to));
        }
        for (QLineEdit* field : {own_->depth, own_->width, own_->thickness}) {
            field->setText(convertedTyped(field->text(), separator_, Quantity::Length, from, to));
        }
        QStringList sizes = own_->sizes();
        for (QString& size : sizes) {
            size = convertedSize(size, from, to);
        }
        own_->setSizes(sizes);
    }
    showUnits();
}

void SectionsPanel::showUnits() {
    own_->showUnits(shownUnits_, catalogue() == Catalogue::AISC);
    requirements_->setUnits(shownUnits_);
}

Catalogue SectionsPanel::catalogue() const {
    return catalogueNamed(catalogue_->currentData().toString().toStdString())
        .value_or(Catalogue::IS);
}

bool SectionsPanel::choosesPi() const {
    const Catalogue chosen = catalogue();
    return takesPi(formulaSetOf(chosen, SectionFamily::RHS)) &&
           takesPi(formulaSetOf(chosen, SectionFamily::CHS));
}

std::optional<double> SectionsPanel::pi() const {
    // A catalogue whose formulas take only the true pi is asked for none, as kavrel-table is.
    if (!choosesPi()) {
        return std::nullopt;
    }
    return piExact_->isChecked() ? std::numbers::pi : fractionPi;
}

bool SectionsPanel::designGiven() const {
    return designOffered() && !grade_->currentData().toString().isEmpty();
}

bool SectionsPanel::designOffered() const {
    // AISC has no design resistances; the others' are given in metric units.
    return productStandardOf(catalogue()) != nullptr && units() == UnitSystem::Metric;
}

void SectionsPanel::fillGrades() {
    const QSignalBlocker quiet(grade_);
    const QString chosen = grade_->currentData().toString();
    grade_->clear();
    grade_->addItem(tr("none"), QString());
    const ProductStandard* standard = productStandardOf(catalogue());
    for (const SteelGrade grade : standard ? standard->grades : std::vector<SteelGrade>{}) {
        grade_->addItem(QString::fromUtf8(gradeName(grade)), QString::fromUtf8(gradeName(grade)));
    }
    // A grade of the other catalogues' steel is not kept.
    grade_->setCurrentIndex(std::max(0, grade_->findData(chosen)));
    grade_->setToolTip(tr("Class and design resistances to %1")
                           .arg(QString::fromUtf8(designCodeOf(catalogue()).name)));
}

void SectionsPanel::updateDesignChoice() {
    grade_->setEnabled(designOffered());
    length_->setEnabled(designOffered());
    const bool indian = catalogue() == Catalogue::IS;
    forming_->setEnabled(indian && designGiven());
    showColumnChoice();
}

void SectionsPanel::updatePiChoice() {
    const bool enabled = choosesPi();
    pi227_->setEnabled(enabled);
    piExact_->setEnabled(enabled);
    // Greyed, the choice shows the pi in use; the user's own comes back with the catalogue.
    const QSignalBlocker block227(pi227_);
    const QSignalBlocker blockExact(piExact_);
    (!enabled || userTruePi_ ? piExact_ : pi227_)->setChecked(true);
}

PanelState SectionsPanel::state() const {
    PanelState state;
    state.catalogue = catalogue_->currentData().toString();
    state.families.clear();
    for (QCheckBox* family : families_) {
        if (family->isChecked()) {
            state.families << family->accessibleName();
        }
    }
    state.requirements = requirements_->texts();
    state.truePi = userTruePi_;
    state.designColumns.clear();
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (chosenColumns_[i]) {
            (isDesignColumn(i) ? state.designColumns : state.columns) << columnName(i);
        }
    }
    state.columnsOpen = columnsOpen();
    state.ownSizesOpen = ownSizesOpen();
    const QString sort = sort_->currentData().toString();
    state.sort = sort.isEmpty() || !descending_->isChecked() ? sort : QLatin1Char('-') + sort;
    state.ownSizes = own_->sizes();
    state.grade = grade_->currentData().toString();
    state.length = length_->text();
    state.forming = forming_->currentData().toString();
    state.units = units_->currentData().toString();
    return state;
}

void SectionsPanel::setState(const PanelState& state) {
    quiet_ = true;
    const QSignalBlocker blockSelf(this);
    catalogue_->setCurrentIndex(std::max(0, catalogue_->findData(state.catalogue)));
    userTruePi_ = state.truePi;
    updatePiChoice();
    fillGrades();
    for (QCheckBox* family : families_) {
        family->setChecked(state.families.contains(family->accessibleName()));
    }
    requirements_->setTexts(state.requirements);
    showRequirementList();
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        const QString name = columnName(i);
        chosenColumns_[i] = isDesignColumn(i)         ? state.designColumns.contains(name)
                            : state.columns.isEmpty() ? isDefaultWindowColumn(i)
                                                      : state.columns.contains(name);
    }
    openColumns(state.columnsOpen);
    {
        const QSignalBlocker blockUnits(units_);
        units_->setCurrentIndex(std::max(0, units_->findData(state.units)));
        shownUnits_ = units();
        showUnits();
    }
    grade_->setCurrentIndex(std::max(0, grade_->findData(state.grade)));
    length_->setText(state.length);
    forming_->setCurrentIndex(std::max(0, forming_->findData(state.forming)));
    updateDesignChoice();
    const bool descending = state.sort.startsWith(QLatin1Char('-'));
    sort_->setCurrentIndex(
        std::max(0, sort_->findData(descending ? state.sort.mid(1) : state.sort)));
    descending_->setChecked(descending);
    own_->setSizes(state.ownSizes);
    openOwnSizes(state.ownSizesOpen);
    showOwnSizeCount(state.ownSizes.size(), 0);
    quiet_ = false;
    showRequirementReason();
}

PanelRequest SectionsPanel::request() const {
    PanelRequest out;
    TableRequest& request = out.request;
    request.catalogues = {catalogue()};
    request.units = requestUnits();
    for (QCheckBox* family : families_) {
        if (family->isChecked()) {
            request.families.push_back(
                std::get<SectionFamily>(parseFamily(family->accessibleName().toStdString())));
        }
    }
    for (int row = 0; row < requirements_->rowCount(); ++row) {
        auto condition =
            requirementCondition(requirements_->texts()[static_cast<std::size_t>(row)], separator_);
        if (auto* found = std::get_if<Condition>(&condition)) {
            request.conditions.push_back(std::move(*found));
            requirements_->setReason(row, {});
        } else {
            out.ignored << std::get<QString>(condition);
            requirements_->setReason(row, std::get<QString>(condition));
        }
    }
    showRequirementReason();
    request.pi = pi();
    QString lengthReason;
    if (designGiven()) {
        request.design.grade = gradeNamed(grade_->currentData().toString().toStdString());
        if (catalogue() == Catalogue::IS && !forming_->currentData().toString().isEmpty()) {
            request.design.forming = std::get<FormingRoute>(
                parseForming(forming_->currentData().toString().toStdString()));
        }
        if (!length_->text().trimmed().isEmpty()) {
            const auto typed = engineNumber(length_->text(), separator_);
            auto length = parseLength(typed.value_or(length_->text().toStdString()));
            // A length that does not read is marked and ignored until it does.
            if (const auto* error = std::get_if<TableError>(&length)) {
                lengthReason = QString::fromStdString(error->message);
                out.ignored << lengthReason;
            } else {
                auto given = std::get<BucklingLength>(std::move(length));
                given.text = length_->text().trimmed().toStdString(); // as typed, names it
                given.text = typed.value_or(given.text);
                request.design.lengths.push_back(std::move(given));
            }
        }
    }
    markRefused(*length_, *lengthRefusal_, lengthReason);
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        // A design column counts only while it can be shown.
        if (chosenColumns_[i] && columnAvailable(i)) {
            request.columns.push_back(columnName(i).toStdString());
        }
    }
    if (const QString sort = sort_->currentData().toString(); !sort.isEmpty()) {
        request.sort = SortKey{sort.toStdString(), descending_->isChecked()};
    }
    // Each own size by the engine's own rule for the catalogue as it stands now.
    const QStringList sizes = own_->sizes();
    for (int i = 0; i < sizes.size(); ++i) {
        std::string size = sizes[i].toStdString();
        const auto refusal = ownSizeRefusal(request, size);
        const QString reason = refusal ? QString::fromStdString(refusal->message) : QString();
        own_->markSize(i, reason);
        if (refusal) {
            out.leftOut << reason;
        } else {
            out.ownSizes.push_back(std::move(size));
        }
    }
    showOwnSizeCount(sizes.size(), out.leftOut.size());
    return out;
}

void SectionsPanel::sortBy(const QString& column) {
    const int index = column.isEmpty() ? 0 : sort_->findData(column);
    {
        const QSignalBlocker blockSort(sort_);
        const QSignalBlocker blockDescending(descending_);
        if (index > 0 && index == sort_->currentIndex()) {
            descending_->setChecked(!descending_->isChecked());
        } else {
            sort_->setCurrentIndex(std::max(index, 0));
            descending_->setChecked(false);
        }
    }
    emit changed();
}

} // namespace kavrel
