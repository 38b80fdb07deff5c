#pragma once

#include "GradientSettings.h"
#include "SettingsConflict.h"

#include <QString>
#include <optional>

namespace huespan {

// What one generation gives a program of its own: the markup, or why there is none.
struct MarkupOutcome
{
    enum class Refusal
    {
        None,
        // The settings cannot be written together (see conflict).
        Conflict,
        // No text, or no unit that takes a colour.
        EmptyText,
        // More UTF-16 code units than a run can count (32767).
        TooLong,
        // Fewer units than the form needs: two left to right, three for both sides.
        TooShort,
    };

    // Set unless refused.
    std::optional<QString> markup;
    Refusal refusal = Refusal::None;
    // The message the program shows for a refused text (in Japanese, as the windows do); empty
    // otherwise.
    QString message;
    // The conflict of a Conflict refusal.
    std::optional<SettingsConflict> conflict;
};

// The markup of text in the colours and styles of settings, made at once: the bytes the windows
// and huespan-cli make of the same text and settings. Without a progress window there is nothing
// to abort; a program that shows progress runs the generators of Generators.h with a host.
MarkupOutcome generateMarkup(const QString& text, const GradientSettings& settings);

} // namespace huespan
