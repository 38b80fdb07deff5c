#include "ui/StopListDelegate.h"

#include "ui/StopListModel.h"

#include <QLineEdit>
#include <QPainter>
#include <QValidator>

namespace huespan {

namespace {

// Text of a column that reads is acceptable; anything else is still being typed, so that Enter
// leaves the editor open on it.
class StopTextValidator final : public QValidator
{
public:
    StopTextValidator(int column, QObject* parent)
        : QValidator(parent)
        , m_column(column)
    {
    }

    State validate(QString& text, int&) const override
    {
        return StopListModel::refusal(m_column, text).isEmpty() ? Acceptable : Intermediate;
    }

private:
    int m_column;
};

} // namespace

StopListDelegate::StopListDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

void StopListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    if (index.column() != StopListModel::SwatchColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QColor colour = index.data(Qt::BackgroundRole).value<QColor>();
    const QRect cell = option.rect;
    painter->fillRect(cell, colour);
    if (option.state & QStyle::State_Selected) {
        // A frame in the selection's colour with a line of the base colour inside it, visible on
        // any swatch.
        const QPalette& palette = option.palette;
        painter->save();
        painter->setPen(QPen(palette.color(QPalette::Highlight), 3));
        painter->drawRect(cell.adjusted(1, 1, -2, -2));
        painter->setPen(QPen(palette.color(QPalette::Base), 1));
        painter->drawRect(cell.adjusted(3, 3, -4, -4));
        painter->restore();
    }
}

QWidget* StopListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const int column = index.column();
        line->setValidator(new StopTextValidator(column, line));
        connect(line, &QLineEdit::textEdited, this, [this, column](const QString& text) {
            emit refusalChanged(StopListModel::refusal(column, text));
        });
        emit refusalChanged(QString());
    }
    return editor;
}

} // namespace huespan
