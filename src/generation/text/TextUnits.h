#pragma once

#include "TextUnit.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <vector>

namespace huespan {

// A text cut into the units that a run writes one by one, each marked with what it is: a unit
// that takes a colour, white space that takes none, or a line break written as the format's own.
class TextUnits final
{
public:
    enum class Kind : quint8
    {
        Coloured,
        Whitespace,
        LineBreak,
    };

    // With skipWhitespace, a unit made only of Unicode White_Space is Whitespace; with
    // keepLineBreaks, LF, CR LF and a lone CR are each one LineBreak unit. Every other unit is
    // Coloured.
    TextUnits(QStringView text, TextUnit unit, bool skipWhitespace, bool keepLineBreaks);

    qsizetype count() const { return static_cast<qsizetype>(m_kinds.size()); }
    int colouredCount() const { return m_colouredCount; }

    QStringView at(qsizetype index) const
    {
        const qsizetype begin = m_offsets[static_cast<size_t>(index)];
        return m_text.sliced(begin, m_offsets[static_cast<size_t>(index) + 1] - begin);
    }
    Kind kind(qsizetype index) const { return m_kinds[static_cast<size_t>(index)]; }

    // The version of Unicode whose grapheme cluster rules cut the text, as "15.0": the rules of
    // the segmentation library the program runs with.
    static QString unicodeVersion();

private:
    void cutIntoCodePoints(bool keepLineBreaks);
    void cutIntoGraphemes();
    void classify(bool skipWhitespace, bool keepLineBreaks);

    QStringView m_text;
    // Code-unit offset of every unit and of the end.
    std::vector<qsizetype> m_offsets;
    std::vector<Kind> m_kinds;
    int m_colouredCount = 0;
};

} // namespace huespan
