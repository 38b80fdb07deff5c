#include "ProgressText.h"

namespace huespan {

QString ProgressText(int percentage)
{
    return QStringLiteral(u"処理中...") + QString::number(percentage) + u'%';
}

} // namespace huespan
