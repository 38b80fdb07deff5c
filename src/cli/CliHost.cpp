#include "CliHost.h"

namespace huespan {

void CliHost::ShowMessage(const QString& text)
{
    m_message = text;
}

void CliHost::ShowResult(const QString& markup)
{
    m_result = markup;
}

} // namespace huespan
