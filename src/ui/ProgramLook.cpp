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
}

} // namespace huespan
