#include "ui/ColourTripleControls.h"

#include "ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace huespan {

ColourTripleControls ColourTripleControls::build(QWidget* frame, QList<QLineEdit*>& allFields)
{
    static constexpr std::array<int, 3> kRowTops{240, 600, 960};
    const std::array<QString, 3> captions{QStringLiteral(u"赤："), QStringLiteral(u"緑："),
                                          QStringLiteral(u"青：")};
    ColourTripleControls controls;
    for (std::size_t row = 0; row < kRowTops.size(); ++row) {
        auto* label = new QLabel(captions[row], frame);
        label->setGeometry(Twips::rect(120, kRowTops[row], 375, 255));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        controls.labels[row] = label;

        auto* field = new QLineEdit(QStringLiteral(u"0"), frame);
        field->setGeometry(Twips::rect(480, kRowTops[row], 615, 270));
        allFields.append(field);
    }
    auto* swatch = new QFrame(frame);
    swatch->setGeometry(Twips::rect(1200, 600, 375, 375));
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    controls.swatch = swatch;
    return controls;
}

} // namespace huespan
