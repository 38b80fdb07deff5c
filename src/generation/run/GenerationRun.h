#pragma once

#include "ColourTriple.h"
#include "GenerationHost.h"
#include "GradientSettings.h"
#include "Markup.h"
#include "MarkupWriter.h"
#include "Module1.h"
#include "TextCharacters.h"

#include <QString>
#include <array>
#include <limits>
#include <optional>

namespace huespan {

// The frame both gradient forms share: the checks and their messages, the progress window, one
// element, one progress text and one turn of the event loop per character, the abort test, the
// closing, and the hand-over of the result. The forms supply only their schedules.
class GenerationRun final
{
public:
    // A run counts its characters in 16 bits: a text of more UTF-16 code units than this is
    // treated like an empty one.
    static constexpr qsizetype kLongestText = std::numeric_limits<qint16>::max();
    // What an empty text (or one too long to count) is refused with.
    static inline const QString kNoTextMessage = QStringLiteral(u"文字列を指定してください！");

    GenerationRun(Module1& state, const GradientSettings& settings, GenerationHost& host);
    Q_DISABLE_COPY_MOVE(GenerationRun)

    // Clears the abort flag and measures the text in characters. Refuses an empty text (or one
    // longer than a run can count) and one shorter than minimum with a message and enables the
    // main window; otherwise returns the number of characters.
    std::optional<int> check(int minimum, const QString& tooShortMessage);

    // The first half of check() for a run that counts its own units: clears the abort flag and
    // takes the text, which is empty when it is longer than a run can count.
    QStringView takeText();
    // The second half: refuses no units at all with the empty text's message and fewer than
    // minimum with tooShortMessage; otherwise returns count.
    std::optional<int> accept(int count, int minimum, const QString& tooShortMessage);

    // The text as it stood when checked, character by character.
    const TextCharacters& characters() const { return *m_characters; }

    // Shows the progress window, empties the result and writes the opening.
    void start();
    // Shows the progress window and empties the result, leaving the opening to the caller; the
    // writer has room for expectedLength code units.
    MarkupWriter& startWriting(qsizetype expectedLength);

    // Appends one character element and shows the percentage. False when an abort has been
    // requested: the caller then emits nothing more. Otherwise the event loop has had its turn.
    bool emitCharacter(QStringView character, const ColourTriple& colour, int percentage)
    {
        EmitCharacter(*m_html, character, colour, m_settings);
        return progress(percentage);
    }

    // Shows the percentage after a unit has been written. False when an abort has been requested;
    // otherwise the event loop has had its turn.
    bool progress(int percentage)
    {
        m_host.SetProgressText(m_progressTexts[percentage]);
        if (m_state.AbortRequested)
            return false;
        m_host.PumpEvents();
        return true;
    }

    // Writes the closing, closes the progress window and, unless aborted, shows the result.
    void finish();
    // For a caller that has written its own closing: closes the progress window and, unless
    // aborted, shows the result.
    void end();

private:
    // Every percentage a run can show, built once: a text is set for every character.
    static const std::array<QString, 101>& progressTexts();

    Module1& m_state;
    const GradientSettings& m_settings;
    GenerationHost& m_host;
    // Holds the text checked, so that a form may cut SourceText while the characters stay valid.
    QString m_text;
    std::optional<TextCharacters> m_characters;
    std::optional<MarkupWriter> m_html;
    const std::array<QString, 101>& m_progressTexts;
};

} // namespace huespan
