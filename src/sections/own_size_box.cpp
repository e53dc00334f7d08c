#include "sections/own_size_box.hpp"

#include "properties/number_text.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_rows.hpp"
#include "table/table_sizes.hpp"

#include <QGridLayout>

#include <algorithm>
#include <array>
#include <tuple>

namespace kavrel {
OwnSizeBox::OwnSizeBox(QString separator, QWidget* parent)
    : QGroupBox(tr("Sizes of your own, in mm"), parent), family(new QComboBox),
      depth(new QLineEdit), width(new QLineEdit), thickness(new QLineEdit),
      add(new QPushButton(tr("Add s&ize"))), reason(new QLabel), list(new QListWidget),
      remove(new QPushButton(tr("Re&move size"))), separator_(std::move(separator)) {
    family->setObjectName(QStringLiteral("cmbownfamily"));
    family->setAccessibleName(tr("Family of your own size"));
    family->addItems({QStringLiteral("RHS"), QStringLiteral("SHS"), QStringLiteral("CHS")});
    const std::array<std::tuple<QLineEdit*, const char*, QString>, 3> fields = {
        {{depth, "txtownd", tr("Depth or diameter D")},
         {width, "txtownb", tr("Width B")},
         {thickness, "txtownt", tr("Wall thickness t")}}};
    for (const auto& [field, name, accessible] : fields) {
        field->setObjectName(QString::fromLatin1(name));
        field->setAccessibleName(accessible);
    }
    add->setObjectName(QStringLiteral("cmdaddown"));
    add->setAccessibleName(tr("Add size of your own"));
    reason->setObjectName(QStringLiteral("lblownreason"));
    reason->setWordWrap(true);
    reason->setVisible(false);
    list->setObjectName(QStringLiteral("lstown"));
    list->setAccessibleName(tr("Sizes of your own"));
    list->setMaximumHeight(80);
    remove->setObjectName(QStringLiteral("cmdremoveown"));
    remove->setAccessibleName(tr("Remove size of your own"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(tr("Famil&y:"), family), 0, 0);
    grid->addWidget(family, 0, 1);
    grid->addWidget(buddyLabel(tr("D:"), depth), 0, 2);
    grid->addWidget(depth, 0, 3);
    grid->addWidget(buddyLabel(tr("B:"), width), 1, 0);
    grid->addWidget(width, 1, 1);
    grid->addWidget(buddyLabel(tr("t:"), thickness), 1, 2);
    grid->addWidget(thickness, 1, 3);
    grid->addWidget(add, 2, 0, 1, 4, Qt::AlignLeft);
    grid->addWidget(reason, 3, 0, 1, 4);
    grid->addWidget(list, 4, 0, 1, 4);
    grid->addWidget(remove, 5, 0, 1, 4, Qt::AlignLeft);

    connect(family, &QComboBox::currentIndexChanged, this, &OwnSizeBox::updateFields);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = list->currentItem()) {
            delete item;
            emit changed();
        }
    });
    updateFields();
}

QStringList OwnSizeBox::sizes() const {
    QStringList sizes;
    for (int i = 0; i < list->count(); ++i) {
        sizes << list->item(i)->text();
    }
    return sizes;
}

void OwnSizeBox::setSizes(const QStringList& sizes) {
    list->clear();
    list->addItems(sizes);
}

void OwnSizeBox::updateFields() {
    // A square section's width is its depth; a tube has only a diameter.
    width->setEnabled(family->currentText() == QLatin1String("RHS"));
}

void OwnSizeBox::addTyped(Catalogue catalogue, std::optional<double> pi) {
    const SectionFamily shape =
        std::get<SectionFamily>(parseFamily(family->currentText().toStdString()));
    std::vector<QLineEdit*> fields = {depth};
    if (shape == SectionFamily::RHS) {
        fields.push_back(width);
    } else if (shape == SectionFamily::SHS) {
        fields.push_back(depth);
    }
    fields.push_back(thickness);
    std::string argument(ownSizePrefix(shape));
    std::vector<QLineEdit*> unreadable;
    for (QLineEdit* field : fields) {
        const auto number = engineNumber(field->text(), separator_);
        if (!number || !readNumber(*number)) {
            unreadable.push_back(field);
        }
        if (!argument.ends_with(':')) {
            argument.push_back('x');
        }
        argument.append(number.value_or(std::string(1, '?')));
    }
    // The size as its row would be computed, so that a size the formulas cannot take is
    // refused here, not in every later table.
    const auto rows = tableRows({.sizes = {argument}, .pi = pi, .catalogues = {catalogue}});
    const auto* error = std::get_if<TableError>(&rows);
    const QString why = error ? QString::fromStdString(error->message) : QString();
    // The fields that do not read, or else every field of the size.
    const auto& concerned = unreadable.empty() ? fields : unreadable;
    for (QLineEdit* field : {depth, width, thickness}) {
        markField(*field, std::ranges::count(concerned, field) > 0 ? why : QString());
    }
    reason->setText(why);
    reason->setVisible(error != nullptr);
    if (error) {
        return;
    }
    list->addItem(QString::fromStdString(argument));
    list->setCurrentRow(list->count() - 1);
    emit changed();
}

} // namespace kavrel
