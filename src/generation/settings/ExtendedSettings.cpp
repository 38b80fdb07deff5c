#include "ExtendedSettings.h"

namespace huespan {

bool ExtendedSettings::isDefault() const
{
    return *this == ExtendedSettings{};
}

bool isHtmlFormat(OutputFormat format)
{
    return format == OutputFormat::Font || format == OutputFormat::Span || format == OutputFormat::Css;
}

} // namespace huespan
