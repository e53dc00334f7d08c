#pragma once

#include <QTableView>

#include <functional>

namespace kavrel {

// A view over the table's first columns, up to its designation, laid over its left edge: they
// stay in view when the table is scrolled sideways, as a spreadsheet's frozen columns do. It
// shares the table's model and selection and follows its scrolling, widths and columns.
class FrozenColumns : public QTableView {
    Q_OBJECT

  public:
    // `lastFrozen` gives, for the table's columns as they stand, the last one to keep in view
    // (none: -1).
    FrozenColumns(QTableView& table, std::function<int()> lastFrozen);

    // Shows the columns the table shows now and fits itself over them.
    void follow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTableView& table_;
    std::function<int()> lastFrozen_;
};

} // namespace kavrel
