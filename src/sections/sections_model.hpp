#pragma once

#include "table/table_rows.hpp"

#include <QAbstractTableModel>
#include <QString>

namespace kavrel {

// The engine's rows as a Qt table: one row per size, the chosen columns, numbers with the
// user's decimal separator. It holds what the engine gave and nothing of its own.
class SectionsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit SectionsModel(QString separator, QObject* parent = nullptr);

    void setRows(TableRows rows);
    const TableRows& rows() const { return rows_; }
    const QString& separator() const { return separator_; }

    // The engine's column (a position in columnNames) shown in a view column.
    std::size_t engineColumn(int column) const;

    // A cell as the window shows it: the engine's text with the user's decimal separator.
    QString shownText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString separator_;
    TableRows rows_;
};

} // namespace kavrel
