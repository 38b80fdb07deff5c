#pragma once

#include <QList>
#include <array>

class QLabel;
class QLineEdit;
class QWidget;

namespace huespan {

// The controls of one colour inside its frame, laid out alike wherever a colour is entered: the
// labels "赤：", "緑：", "青：", a component field beside each, and the swatch to their right.
struct ColourTripleControls final
{
    std::array<QLabel*, 3> labels{};
    QWidget* swatch = nullptr;

    // Builds them inside frame, every field holding "0", and appends the fields to allFields so
    // that a window's field array runs across its triples in order.
    static ColourTripleControls build(QWidget* frame, QList<QLineEdit*>& allFields);
};

} // namespace huespan
