#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>

namespace huespan {

// Appends to a QString through a raw cursor. A run knows an upper bound of its markup's length,
// so it reserves once and then copies pieces without per-append capacity or sharing checks.
// The target holds exactly what was appended after written() and when the writer goes away.
class MarkupWriter final
{
public:
    explicit MarkupWriter(QString& target);
    ~MarkupWriter();
    Q_DISABLE_COPY_MOVE(MarkupWriter)

    // Makes room for at least this many further code units.
    void reserve(qsizetype additional) { ensureRoom(additional); }

    void append(QStringView piece) { std::copy(piece.begin(), piece.end(), claim(piece.size())); }

    // Room for exactly count code units, which the caller must fill.
    QChar* claim(qsizetype count)
    {
        ensureRoom(count);
        QChar* const place = m_cursor;
        m_cursor += count;
        return place;
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
    qsizetype length() const { return m_begin ? m_cursor - m_begin : m_settledLength; }

    QString& m_target;
    qsizetype m_settledLength;
    QChar* m_begin = nullptr;
    QChar* m_cursor = nullptr;
    QChar* m_end = nullptr;
};

} // namespace huespan
