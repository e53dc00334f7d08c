#include "ui/size_list.hpp"

#include "catalogue/catalogue.hpp"

#include <QLineEdit>

namespace kavrel {

SizeList::SizeList(QWidget* parent) : QComboBox(parent) {
    // Made here, straight after the list, so that it follows the list in the focus chain.
    auto* field = new QLineEdit(this);
    // Connected before the combo box's own handler and again after it, so that an
    // "activated" emitted from inside that handler can be told apart.
    connect(field, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = true; });
    setLineEdit(field);
    connect(field, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = false; });

    setInsertPolicy(QComboBox::NoInsert);
    // The lookup compares exactly what was typed: no inline completion, no case folding.
    setCompleter(nullptr);

    connect(this, &QComboBox::activated, this, [this] {
        if (!finishingEdit_) {
            emit chosen();
        }
    });
    connect(field, &QLineEdit::textEdited, this, &SizeList::edited);
}

void SizeList::fill(SectionFamily family) {
    QStringList entries;
    for (const std::string& designation : designationsOf(family)) {
        entries.append(QString::fromStdString(designation));
    }
    // In one insertion: entry by entry, each would update the model and the list on its own.
    addItems(entries);
    // The first entry added becomes current; the list starts with nothing chosen.
    setCurrentIndex(-1);
}

void SizeList::clearText() {
    setCurrentIndex(-1);
    setEditText(QString());
}

} // namespace kavrel
