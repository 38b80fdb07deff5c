#pragma once

#include "ColourStop.h"

#include <QAbstractTableModel>
#include <vector>

namespace huespan {

// The stops of a gradient as a table: a swatch, the colour as #RRGGBB and the position in percent.
// The colour and the position take text as a stop's text is read (StopText); text that does not
// read is refused and leaves the stop as it was.
class StopListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StopListModel)

public:
    enum Column
    {
        SwatchColumn,
        ColourColumn,
        PositionColumn,
        ColumnCount,
    };

    explicit StopListModel(QObject* parent = nullptr);

    const std::vector<ColourStop>& stops() const { return m_stops; }
    // Replaces the list, as a preset or the settings do; emits no edited().
    void setStops(std::vector<ColourStop> stops);

    // The user's edits; each emits edited().
    void insertStop(int row, const ColourStop& stop);
    void removeStop(int row);
    // Swaps the colours of row and row + by; the positions stay where they are.
    void moveStop(int row, int by);
    void setColour(int row, const ColourTriple& colour);

    // Why the text cannot be the column's value, or an empty text when it can.
    static QString refusal(int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The user changed the list.
    void edited();

private:
    void rowChanged(int row);

    std::vector<ColourStop> m_stops;
};

} // namespace huespan
