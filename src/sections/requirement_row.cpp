#include "sections/requirement_row.hpp"

#include "sections/column_labels.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_columns.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace kavrel {
namespace {

QString quotedText(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

RequirementRow::RequirementRow(const RequirementText& text, QWidget* parent)
    : QWidget(parent), column(new QComboBox), comparison(new QComboBox), number(new QLineEdit),
      remove(new QPushButton(tr("Remove"))), reason(new QLabel), unit(new QLabel) {
    unit->setObjectName(QStringLiteral("lblrequnit"));
    column->setObjectName(QStringLiteral("cmbreqcolumn"));
    comparison->setObjectName(QStringLiteral("cmbreqcomparison"));
    number->setObjectName(QStringLiteral("txtreqnumber"));
    remove->setObjectName(QStringLiteral("cmdremoverequirement"));
    reason->setObjectName(QStringLiteral("lblreqreason"));
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (isNumericColumn(i)) {
            column->addItem(columnName(i) + QStringLiteral(" (") + columnMeaning(i) +
                                QLatin1Char(')'),
                            columnName(i));
        }
    }
    for (const ComparisonSymbol& symbol : comparisonSymbols) {
        comparison->addItem(QString::fromUtf8(symbol.shown), QString::fromUtf8(symbol.written));
    }
    column->setCurrentIndex(std::max(0, column->findData(text.column)));
    comparison->setCurrentIndex(std::max(0, comparison->findData(text.comparison)));
    number->setText(text.number);
    column->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    column->setMinimumContentsLength(10);
    column->setAccessibleName(tr("Requirement column"));
    comparison->setAccessibleName(tr("Requirement comparison"));
    number->setAccessibleName(tr("Requirement number"));
    remove->setAccessibleName(tr("Remove requirement"));
    reason->setWordWrap(true);
    reason->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reason->setVisible(false);

    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(column, 3);
    line->addWidget(comparison, 1);
    line->addWidget(number, 2);
    line->addWidget(unit);
    line->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(line);
    layout->addWidget(reason);

    connect(column, &QComboBox::currentIndexChanged, this, &RequirementRow::showUnit);
    connect(column, &QComboBox::currentIndexChanged, this, &RequirementRow::changed);
    showUnit();
    connect(comparison, &QComboBox::currentIndexChanged, this, &RequirementRow::changed);
    connect(number, &QLineEdit::textChanged, this, &RequirementRow::changed);
}

void RequirementRow::setUnits(UnitSystem units) {
    units_ = units;
    showUnit();
}

void RequirementRow::showUnit() {
    QString shown;
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (columnName(i) == column->currentData().toString()) {
            shown = columnUnit(i, units_);
        }
    }
    unit->setText(shown);
    number->setAccessibleDescription(shown.isEmpty() ? QString() : tr("in %1").arg(shown));
}

RequirementText RequirementRow::text() const {
    return {column->currentData().toString(), comparison->currentData().toString(), number->text()};
}

std::variant<Condition, QString> RequirementRow::condition(const QString& separator) {
    const RequirementText typed = text();
    const QString shown = typed.number.trimmed();
    QString why;
    if (const auto engine = engineNumber(shown, separator)) {
        const std::string condition =
            typed.column.toStdString() + " " + typed.comparison.toStdString() + " " + *engine;
        auto parsed = parseCondition(condition);
        if (auto* found = std::get_if<Condition>(&parsed)) {
            markRefused(*number, *reason, {});
            return std::move(*found);
        }
        // The engine quotes the number as it reads it; the user sees it as typed.
        why = QString::fromStdString(std::get<TableError>(parsed).message);
        why.replace(QString::fromStdString(kavrel::quoted(*engine)), quotedText(shown));
    } else {
        why = quotedText(shown) + tr(" is not a number");
    }
    markRefused(*number, *reason, why);
    return why;
}

} // namespace kavrel
