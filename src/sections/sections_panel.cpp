#include "sections/sections_panel.hpp"

#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "sections/column_labels.hpp"
#include "sections/own_size_box.hpp"
#include "sections/requirement_row.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_columns.hpp"
#include "table/table_rows.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include <algorithm>
#include <numbers>

namespace kavrel {
SectionsPanel::SectionsPanel(QString separator, QWidget* parent)
    : QWidget(parent), separator_(std::move(separator)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCatalogue());
    layout->addWidget(buildRequirements());
    layout->addWidget(buildSort());
    layout->addWidget(buildColumns());
    own_ = new OwnSizeBox(separator_);
    connect(own_->add, &QPushButton::clicked, this, [this] { own_->addTyped(catalogue(), pi()); });
    connect(own_, &OwnSizeBox::changed, this, &SectionsPanel::changed);
    layout->addWidget(own_);
    layout->addStretch(1);
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
    connect(pi227_, &QRadioButton::toggled, this, &SectionsPanel::changed);
    connect(catalogue_, &QComboBox::currentIndexChanged, this, [this] {
        updatePiChoice();
        emit changed();
    });
    return box;
}

QWidget* SectionsPanel::buildRequirements() {
    auto* box = new QGroupBox(tr("Requirements, all of which must hold"));
    auto* layout = new QVBoxLayout(box);
    requirementRows_ = new QVBoxLayout;
    layout->addLayout(requirementRows_);
    addRequirement_ = new QPushButton(tr("&Add requirement"));
    addRequirement_->setObjectName(QStringLiteral("cmdaddrequirement"));
    addRequirement_->setAccessibleName(tr("Add requirement"));
    connect(addRequirement_, &QPushButton::clicked, this, [this] {
        RequirementRow* row = addRequirement({QStringLiteral("W"), QStringLiteral(">="), {}});
        row->number->setFocus();
    });
    layout->addWidget(addRequirement_, 0, Qt::AlignLeft);
    return box;
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
    for (std::size_t i = 0; i < columnCount; ++i) {
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
    auto* box = new QGroupBox(tr("Co&lumns"));
    auto* grid = new QGridLayout(box);
    for (std::size_t i = 0; i < columnCount; ++i) {
        auto* column = new QCheckBox(columnName(i));
        column->setObjectName(QStringLiteral("chkcol") + columnName(i));
        column->setAccessibleName(tr("Column %1, %2").arg(columnName(i), columnMeaning(i)));
        column->setToolTip(columnMeaning(i));
        column->setChecked(i < defaultColumnCount);
        connect(column, &QCheckBox::toggled, this, [this, column](bool on) {
            // A table keeps one column at least.
            if (!on && std::ranges::none_of(columns_, &QCheckBox::isChecked)) {
                column->setChecked(true);
                return;
            }
            emit changed();
        });
        grid->addWidget(column, static_cast<int>(i / 4), static_cast<int>(i % 4));
        columns_.push_back(column);
    }
    return box;
}

RequirementRow* SectionsPanel::addRequirement(const RequirementText& text) {
    auto* row = new RequirementRow(text);
    requirementRows_->addWidget(row);
    requirements_.push_back(row);
    connect(row, &RequirementRow::changed, this, &SectionsPanel::changed);
    connect(row->remove, &QPushButton::clicked, this, [this, row] { removeRequirement(row); });
    chainFocus();
    if (!quiet_) {
        emit changed();
    }
    return row;
}

void SectionsPanel::removeRequirement(RequirementRow* row) {
    std::erase(requirements_, row);
    row->deleteLater();
    row->hide();
    chainFocus();
    addRequirement_->setFocus();
    emit changed();
}

void SectionsPanel::chainFocus() {
    std::vector<QWidget*> order = {catalogue_};
    order.insert(order.end(), families_.begin(), families_.end());
    order.push_back(pi227_);
    order.push_back(piExact_);
    for (RequirementRow* row : requirements_) {
        order.insert(order.end(), {row->column, row->comparison, row->number, row->remove});
    }
    order.insert(order.end(), {addRequirement_, sort_, descending_});
    order.insert(order.end(), columns_.begin(), columns_.end());
    order.insert(order.end(), {own_->family, own_->depth, own_->width, own_->thickness, own_->add,
                               own_->list, own_->remove});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
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

void SectionsPanel::updatePiChoice() {
    const bool enabled = choosesPi();
    pi227_->setEnabled(enabled);
    piExact_->setEnabled(enabled);
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
    for (RequirementRow* row : requirements_) {
        state.requirements.push_back(row->text());
    }
    state.truePi = piExact_->isChecked();
    for (QCheckBox* column : columns_) {
        if (column->isChecked()) {
            state.columns << column->text();
        }
    }
    const QString sort = sort_->currentData().toString();
    state.sort = sort.isEmpty() || !descending_->isChecked() ? sort : QLatin1Char('-') + sort;
    state.ownSizes = own_->sizes();
    return state;
}

void SectionsPanel::setState(const PanelState& state) {
    quiet_ = true;
    const QSignalBlocker blockSelf(this);
    catalogue_->setCurrentIndex(std::max(0, catalogue_->findData(state.catalogue)));
    updatePiChoice();
    for (QCheckBox* family : families_) {
        family->setChecked(state.families.contains(family->accessibleName()));
    }
    for (RequirementRow* row : std::vector(requirements_)) {
        std::erase(requirements_, row);
        delete row;
    }
    for (const RequirementText& text : state.requirements) {
        addRequirement(text);
    }
    (state.truePi ? piExact_ : pi227_)->setChecked(true);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        columns_[i]->setChecked(state.columns.isEmpty()
                                    ? i < defaultColumnCount
                                    : state.columns.contains(columns_[i]->text()));
    }
    const bool descending = state.sort.startsWith(QLatin1Char('-'));
    sort_->setCurrentIndex(
        std::max(0, sort_->findData(descending ? state.sort.mid(1) : state.sort)));
    descending_->setChecked(descending);
    own_->setSizes(state.ownSizes);
    quiet_ = false;
    chainFocus();
}

std::optional<PanelRequest> SectionsPanel::request() const {
    PanelRequest out;
    TableRequest& request = out.request;
    request.catalogues = {catalogue()};
    for (QCheckBox* family : families_) {
        if (family->isChecked()) {
            request.families.push_back(
                std::get<SectionFamily>(parseFamily(family->accessibleName().toStdString())));
        }
    }
    bool refused = false;
    for (RequirementRow* row : requirements_) {
        auto condition = row->condition(separator_);
        if (auto* found = std::get_if<Condition>(&condition)) {
            request.conditions.push_back(std::move(*found));
        } else {
            refused = true;
        }
    }
    if (refused) {
        return std::nullopt;
    }
    request.pi = pi();
    for (QCheckBox* column : columns_) {
        if (column->isChecked()) {
            request.columns.push_back(column->text().toStdString());
        }
    }
    if (const QString sort = sort_->currentData().toString(); !sort.isEmpty()) {
        request.sort = SortKey{sort.toStdString(), descending_->isChecked()};
    }
    for (const QString& size : own_->sizes()) {
        out.ownSizes.push_back(size.toStdString());
    }
    return out;
}

QString SectionsPanel::refusal() const {
    QStringList reasons;
    for (RequirementRow* row : requirements_) {
        if (!row->reason->text().isEmpty()) {
            reasons << row->reason->text();
        }
    }
    return reasons.join(QStringLiteral("; "));
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
