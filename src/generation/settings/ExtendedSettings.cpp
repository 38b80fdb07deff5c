#include "ExtendedSettings.h"

namespace huespan {

bool ExtendedSettings::isDefault() const
{
    return *this == ExtendedSettings{};
}

} // namespace huespan
