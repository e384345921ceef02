#pragma once
// The rows of the connection list: five texts each, no keys, icons or tags.
// A model, so that tens of thousands of connections fill the list at once.
#include "netstat.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

namespace dockwatch {

class ConnectionModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Row = std::array<QString, 5>;
    static constexpr int RemoteIpColumn = 2;

    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void append(std::vector<Row> rows);
    const QString& text(int row, int column) const { return rows_.at(row).at(column); }

    static Row fromDecoded(const netstat::DecodedRow& d);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Row> rows_;
};

} // namespace dockwatch
