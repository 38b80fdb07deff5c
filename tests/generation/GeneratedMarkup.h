#pragma once

#include "ColourTriple.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace huespan {

// Reads generated markup back, independently of the code that writes it, so tests can compare
// what a run produced with what they expect character by character.
namespace GeneratedMarkup {

struct CharacterElement
{
    QString colourCode;
    QString written;
};

// The character elements that make up body, in order; nothing when body holds anything else.
// With lineBreaks every element must be followed by "\r\n".
std::optional<QList<CharacterElement>> readElements(QStringView body, bool lineBreaks);

// The character that an element's written text stands for.
QString unescape(QStringView written);

// The characters of a text as a generation counts them: a high surrogate followed by a low
// surrogate is one character, every other code unit is one.
QStringList characters(QStringView text);

ColourTriple colourFromCode(QStringView sixDigits);
QString codeOf(const ColourTriple& colour);

} // namespace GeneratedMarkup
} // namespace huespan
