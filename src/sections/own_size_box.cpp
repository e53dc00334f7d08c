#include "sections/own_size_box.hpp"

#include "properties/units.hpp"

#include "properties/number_text.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_rows.hpp"
#include "table/table_sizes.hpp"

#include <QGridLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace kavrel {
OwnSizeBox::OwnSizeBox(QString separator, QWidget* parent)
    : QGroupBox(tr("Sizes of your own, in mm"), parent), family(new QComboBox),
      depth(new QLineEdit), width(new QLineEdit), thickness(new QLineEdit),
      add(new QPushButton(tr("Add s&ize"))), reason(new QLabel), list(new QListWidget),
      remove(new QPushButton(tr("Remo&ve size"))), separator_(std::move(separator)) {
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
    // A long reason wraps inside the panel instead of widening it.
    reason->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reason->setVisible(false);
    list->setObjectName(QStringLiteral("lstown"));
    list->setAccessibleName(tr("Sizes of your own"));
    list->setMaximumHeight(80);
    remove->setObjectName(QStringLiteral("cmdremoveown"));
    remove->setAccessibleName(tr("Remove size of your own"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(tr("Famil&y:"), family), 0, 0);
    grid->addWidget(family, 0, 1);
    depthLabel_ = buddyLabel(tr("D:"), depth);
    widthLabel_ = buddyLabel(tr("B:"), width);
    thicknessLabel_ = buddyLabel(tr("t:"), thickness);
    grid->addWidget(depthLabel_, 0, 2);
    grid->addWidget(depth, 0, 3);
    grid->addWidget(widthLabel_, 1, 0);
    grid->addWidget(width, 1, 1);
    grid->addWidget(thicknessLabel_, 1, 2);
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
        sizes << list->item(i)->data(Qt::UserRole).toString();
    }
    return sizes;
}

void OwnSizeBox::setSizes(const QStringList& sizes) {
    list->clear();
    for (const QString& size : sizes) {
        auto* item = new QListWidgetItem(size);
        item->setData(Qt::UserRole, size); // the shown text may carry a reason
        list->addItem(item);
    }
}

void OwnSizeBox::markSize(int row, const QString& why) const {
    QListWidgetItem* item = list->item(row);
    const QString size = item->data(Qt::UserRole).toString();
    const QString shown = why.isEmpty() ? size : tr("%1 \u2013 left out: %2").arg(size, why);
    if (item->text() == shown) {
        return;
    }
    item->setText(shown);
    item->setToolTip(why);
    item->setForeground(why.isEmpty() ? list->palette().text() : QBrush(QColor(0xd0, 0x34, 0x2c)));
}

void OwnSizeBox::updateFields() {
    // A square section's width is its depth; a tube has only a diameter.
    width->setEnabled(family->currentText() == QLatin1String("RHS"));
}

void OwnSizeBox::showUnits(UnitSystem units, bool nominalWall) {
    const QString unit = QString::fromUtf8(unitOf(Quantity::Length, units));
    setTitle(units == UnitSystem::US ? tr("Sizes of your own, in inches")
                                     : tr("Sizes of your own, in mm"));
    depthLabel_->setText(tr("D, %1:").arg(unit));
    widthLabel_->setText(tr("B, %1:").arg(unit));
    thicknessLabel_->setText(nominalWall ? tr("t nominal, %1:").arg(unit) : tr("t, %1:").arg(unit));
    thickness->setToolTip(nominalWall ? tr("The nominal wall: the properties take the design "
                                           "wall 0.93t to three decimals of an inch")
                                      : QString());
}

void OwnSizeBox::addTyped(Catalogue catalogue, std::optional<double> pi, UnitSystem units) {
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
    // The fields at fault: a number in a form the fields do not take or not above zero; when
    // all read, the wall, whose thickness is what the corners and the diameter limit.
    std::vector<QLineEdit*> atFault;
    QString why;
    for (QLineEdit* field : fields) {
        const auto number = engineNumber(field->text(), separator_);
        const auto value = number ? readNumber(*number) : std::nullopt;
        if (!value || !std::isfinite(*value)) {
            atFault.push_back(field);
            // The first field at fault is named; the example is made apart, as "%25" would be
            // taken for a placeholder of its own.
            if (why.isEmpty()) {
                why = tr("\"%1\" is not a number as the fields take it: digits with \"%2\" as "
                         "the decimal separator, such as %3")
                          .arg(field->text().trimmed(), separator_,
                               QStringLiteral("12") + separator_ + QStringLiteral("5"));
            }
        }
        if (!argument.ends_with(':')) {
            argument.push_back('x');
        }
        argument.append(number.value_or(std::string(1, '?')));
    }
    if (atFault.empty()) {
        // The size as its row would be computed, by the engine's rule, so that a size the
        // formulas cannot take is refused here, not in every later table.
        if (const auto refusal =
                ownSizeRefusal({.pi = pi, .catalogues = {catalogue}, .units = units}, argument)) {
            why = QString::fromStdString(refusal->message);
            for (QLineEdit* field : fields) {
                if (!(*readNumber(*engineNumber(field->text(), separator_)) > 0)) {
                    atFault.push_back(field);
                }
            }
            if (atFault.empty()) {
                atFault.push_back(thickness);
            }
        }
    }
    for (QLineEdit* field : {depth, width, thickness}) {
        markField(*field, std::ranges::count(atFault, field) > 0 ? why : QString());
    }
    reason->setText(why);
    reason->setVisible(!why.isEmpty());
    if (!why.isEmpty()) {
        return;
    }
    auto* item = new QListWidgetItem(QString::fromStdString(argument));
    item->setData(Qt::UserRole, item->text());
    list->addItem(item);
    list->setCurrentRow(list->count() - 1);
    emit changed();
}

} // namespace kavrel
