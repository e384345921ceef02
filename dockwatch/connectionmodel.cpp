#include "connectionmodel.h"

namespace dockwatch {
namespace {

const char* const Headers[] = {"Local IP", "Local Port", "Remote IP", "Remote Port", "Status"};

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

void ConnectionModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ConnectionModel::append(std::vector<Row> rows)
{
    if (rows.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    if (rows_.empty())
        rows_ = std::move(rows);
    else
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

ConnectionModel::Row ConnectionModel::fromDecoded(const netstat::DecodedRow& d)
{
    return {latin1(d.localIp), latin1(d.localPort), latin1(d.remoteIp), latin1(d.remotePort), latin1(d.status)};
}

int ConnectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ConnectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::size(Headers));
}

QVariant ConnectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return rows_[index.row()][index.column()];
    return {};
}

QVariant ConnectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return QString::fromLatin1(Headers[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace dockwatch
