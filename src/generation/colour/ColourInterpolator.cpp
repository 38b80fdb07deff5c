#include "ColourInterpolator.h"

namespace huespan {

namespace {

// The difference is taken in 16-bit arithmetic, as the components themselves are 16-bit.
qint16 difference(qint16 to, qint16 from)
{
    return static_cast<qint16>(to - from);
}

} // namespace

ColourInterpolator::ColourInterpolator(const ColourTriple& start, const ColourTriple& end, int span)
    : m_red(start.red, difference(end.red, start.red), span)
    , m_green(start.green, difference(end.green, start.green), span)
    , m_blue(start.blue, difference(end.blue, start.blue), span)
{
}

} // namespace huespan
