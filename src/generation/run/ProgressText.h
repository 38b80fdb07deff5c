#pragma once

#include <QString>

namespace huespan {

// "処理中..." followed by the whole-number percentage and "%", e.g. 処理中...50%.
QString ProgressText(int percentage);

} // namespace huespan
