#include "ui/StopListModel.h"

#include "StopText.h"
#include "ui/ScreenColour.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace huespan {

StopListModel::StopListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void StopListModel::setStops(std::vector<ColourStop> stops)
{
    beginResetModel();
    m_stops = std::move(stops);
    endResetModel();
}

void StopListModel::insertStop(int row, const ColourStop& stop)
{
    beginInsertRows({}, row, row);
    m_stops.insert(m_stops.begin() + row, stop);
    endInsertRows();
    emit edited();
}

void StopListModel::removeStop(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_stops.erase(m_stops.begin() + row);
    endRemoveRows();
    emit edited();
}

void StopListModel::moveStop(int row, int by)
{
    const int target = row + by;
    if (row < 0 || target < 0 || row >= rowCount() || target >= rowCount())
        return;
    std::swap(m_stops[static_cast<size_t>(row)].colour, m_stops[static_cast<size_t>(target)].colour);
    rowChanged(row);
    rowChanged(target);
    emit edited();
}

void StopListModel::setColour(int row, const ColourTriple& colour)
{
    if (row < 0 || row >= rowCount())
        return;
    m_stops[static_cast<size_t>(row)].colour = colour;
    rowChanged(row);
    emit edited();
}

QString StopListModel::refusal(int column, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (column == ColourColumn && !StopText::readColour(trimmed).ok())
        return u"「"_s + trimmed +
               u"」は色ではありません。#RRGGBB、RRGGBB、R,G,B のどれかで入力してください。"_s;
    if (column == PositionColumn && !trimmed.isEmpty() && !StopText::percentage(trimmed))
        return u"「"_s + trimmed + u"」は位置ではありません。0～100の数を入力するか、空にしてください。"_s;
    return {};
}

int StopListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_stops.size());
}

int StopListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StopListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ColourStop& stop = m_stops[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case SwatchColumn:
        if (role == Qt::BackgroundRole || role == Qt::DecorationRole)
            return screenColour(stop.colour);
        if (role == Qt::ToolTipRole)
            return u"ダブルクリックで色を選ぶ"_s;
        break;
    case ColourColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return StopText::write({stop.colour, std::nullopt});
        break;
    case PositionColumn:
        // Shown to six digits; edited in full.
        if (role == Qt::DisplayRole && stop.position)
            return QString::number(*stop.position, 'g', 6);
        if (role == Qt::EditRole && stop.position)
            return StopText::positionText(*stop.position);
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return QString();
        break;
    default:
        break;
    }
    return {};
}

QVariant StopListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SwatchColumn:
        return u"色"_s;
    case ColourColumn:
        return u"#RRGGBB"_s;
    case PositionColumn:
        return u"位置(%)"_s;
    default:
        return {};
    }
}

Qt::ItemFlags StopListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == SwatchColumn ? flags : flags | Qt::ItemIsEditable;
}

bool StopListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    const QString text = value.toString().trimmed();
    if (!refusal(index.column(), text).isEmpty())
        return false;
    ColourStop& stop = m_stops[static_cast<size_t>(index.row())];
    const ColourStop before = stop;
    if (index.column() == ColourColumn)
        stop.colour = StopText::readColour(text).stop.colour;
    else if (index.column() == PositionColumn)
        stop.position = text.isEmpty() ? std::nullopt : StopText::percentage(text);
    else
        return false;
    if (stop == before)
        return true;
    rowChanged(index.row());
    emit edited();
    return true;
}

void StopListModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace huespan
