#include "ui/ProgramIcon.h"

using namespace Qt::StringLiterals;

namespace huespan {

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(u":/icons/huespan-32.png"_s, QSize(32, 32));
    icon.addFile(u":/icons/huespan-16.png"_s, QSize(16, 16));
    return icon;
}

} // namespace huespan
