#include "ui/ProgramLook.h"

#include "ui/CompactFusionStyle.h"

#include <QApplication>
#include <QFont>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {
constexpr int kFontPixelSize = 12;
}

void applyProgramLook(QApplication& application)
{
    QApplication::setStyle(new CompactFusionStyle);
    QFont font = application.font();
    font.setFamilies({u"IPAPGothic"_s, u"IPA Pゴシック"_s, u"Noto Sans CJK JP"_s});
    font.setPixelSize(kFontPixelSize);
    QApplication::setFont(font);

    // The proportional face draws full-width forms such as "！" half as wide as they are. Text
    // boxes show what the user typed and command buttons carry such captions, so both use IPAex
    // Gothic, whose Latin letters are those of the proportional face and whose full-width forms
    // keep their width; the compact captions of labels, frames and option buttons keep the
    // proportional kana they were laid out for.
    QFont fullWidthForms = font;
    fullWidthForms.setFamilies(
        {u"IPAexGothic"_s, u"IPAexゴシック"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s});
    QApplication::setFont(fullWidthForms, "QLineEdit");
    QApplication::setFont(fullWidthForms, "QPushButton");
}

} // namespace huespan
