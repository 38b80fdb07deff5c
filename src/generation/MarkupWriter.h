#pragma once

#include <QString>
#include <QStringView>

namespace huespan {

// Appends to a QString through a raw cursor. A run knows an upper bound of its markup's length,
// so it reserves once and then copies pieces without any per-append capacity or sharing checks.
// The target holds exactly what was appended whenever written() is called and when the writer
// goes away.
class MarkupWriter
{
public:
    explicit MarkupWriter(QString& target);
    ~MarkupWriter();
    MarkupWriter(const MarkupWriter&) = delete;
    MarkupWriter& operator=(const MarkupWriter&) = delete;

    // Makes room for at least this many further code units.
    void reserve(qsizetype additional);

    void append(QStringView piece)
    {
        ensureRoom(piece.size());
        std::copy(piece.begin(), piece.end(), m_cursor);
        m_cursor += piece.size();
    }

    // Settles the target's length to what has been appended and returns it.
    QString& written();

private:
    void ensureRoom(qsizetype needed)
    {
        if (m_end - m_cursor < needed)
            grow(needed);
    }
    void grow(qsizetype needed);

    QString& m_target;
    QChar* m_cursor = nullptr;
    QChar* m_end = nullptr;
};

} // namespace huespan
