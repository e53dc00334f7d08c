#include "sections/requirement_editors.hpp"

#include "sections/requirement_model.hpp"
#include "sections/typed_fields.hpp"

#include <QComboBox>
#include <QLineEdit>

namespace kavrel {

QWidget* RequirementEditors::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    auto* self = const_cast<RequirementEditors*>(this);
    switch (index.column()) {
    case RequirementModel::ColumnField:
    case RequirementModel::ComparisonField: {
        auto* box = new QComboBox(parent);
        if (index.column() == RequirementModel::ColumnField) {
            box->setObjectName(QStringLiteral("cmbreqcolumn"));
            box->setAccessibleName(tr("Requirement column"));
            for (const RequirementColumn& column : requirementColumns()) {
                box->addItem(column.shown, column.name);
            }
        } else {
            box->setObjectName(QStringLiteral("cmbreqcomparison"));
            box->setAccessibleName(tr("Requirement comparison"));
            for (const ComparisonSymbol& symbol : comparisonSymbols) {
                box->addItem(QString::fromUtf8(symbol.shown), QString::fromUtf8(symbol.written));
            }
        }
        connect(box, &QComboBox::currentIndexChanged, self,
                [self, box] { emit self->commitData(box); });
        return box;
    }
    case RequirementModel::NumberField: {
        auto* number = new QLineEdit(parent);
        number->setObjectName(QStringLiteral("txtreqnumber"));
        number->setAccessibleName(tr("Requirement number"));
        connect(number, &QLineEdit::textChanged, self,
                [self, number] { emit self->commitData(number); });
        return number;
    }
    default:
        return nullptr;
    }
}

void RequirementEditors::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findData(index.data(Qt::EditRole));
        if (at >= 0 && at != box->currentIndex()) {
            box->setCurrentIndex(at);
        }
        return;
    }
    if (auto* number = qobject_cast<QLineEdit*>(editor)) {
        // Called again when the reason changes while the user types: the text is left alone.
        const QString text = index.data(Qt::EditRole).toString();
        if (number->text() != text) {
            number->setText(text);
        }
        markField(*number, index.data(Qt::ToolTipRole).toString());
        const QString unit = index.siblingAtColumn(RequirementModel::UnitField).data().toString();
        if (unit.isEmpty() || number->property("refused").toBool()) {
            return;
        }
        number->setAccessibleDescription(tr("in %1").arg(unit));
    }
}

void RequirementEditors::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentData(), Qt::EditRole);
    } else if (auto* number = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, number->text(), Qt::EditRole);
    }
}

} // namespace kavrel
