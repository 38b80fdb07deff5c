#include "MarkupWriter.h"

namespace huespan {

MarkupWriter::MarkupWriter(QString& target)
    : m_target(target)
    , m_settledLength(target.size())
{
}

MarkupWriter::~MarkupWriter()
{
    written();
}

void MarkupWriter::grow(qsizetype needed)
{
    const qsizetype used = length();
    const qsizetype capacity = m_begin ? m_end - m_begin : used;
    const qsizetype newCapacity = std::max(used + needed, capacity + capacity / 2 + 64);
    // resize() leaves the new code units uninitialised; they are written before anyone reads them.
    m_target.resize(newCapacity);
    m_begin = m_target.data();
    m_cursor = m_begin + used;
    m_end = m_begin + newCapacity;
}

QString& MarkupWriter::written()
{
    const qsizetype used = length();
    if (used != m_target.size())
        m_target.truncate(used);
    m_settledLength = used;
    m_begin = m_cursor = m_end = nullptr;
    return m_target;
}

} // namespace huespan
