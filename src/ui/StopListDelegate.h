#pragma once

#include <QStyledItemDelegate>

namespace huespan {

// Draws and edits the cells of a StopListModel. The swatch keeps its colour when its row is
// selected (the selection is a frame around it), so that the colour being edited stays in view.
// The colour and the position edit as text; text that does not read keeps the editor open, and
// refusalChanged() says why, for a label beside the list.
class StopListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StopListDelegate)

public:
    explicit StopListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

signals:
    // Why the text being edited cannot be taken; empty when it can.
    void refusalChanged(const QString& refusal) const;
};

} // namespace huespan
