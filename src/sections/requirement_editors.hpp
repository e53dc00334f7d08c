#pragma once

#include <QStyledItemDelegate>

namespace kavrel {

// The editors of a requirement's fields: a list of the numeric columns, a list of the
// comparisons, a field for the number. Every change reaches the model at once, as the panel's
// other controls announce theirs; the number's field is marked while it does not read.
class RequirementEditors : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

} // namespace kavrel
