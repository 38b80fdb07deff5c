#pragma once

#include "ColourTriple.h"
#include "GradientSettings.h"
#include "MarkupWriter.h"

#include <QStringView>

namespace huespan {

// Minecraft's JSON text: one array of text components, ["", {"text": "…", "color": "#rrggbb"}, …],
// each with the styles as "bold": true and the like. Text outside an element (white space that
// takes no colour, a kept line break as "\n", the user's tags) is a component without a colour.
// Every output is valid JSON: strings are escaped as JSON requires.
class JsonTextWriter final
{
public:
    JsonTextWriter(MarkupWriter& html, const GradientSettings& settings);
    Q_DISABLE_COPY_MOVE(JsonTextWriter)

    void opening();
    void openElement(const ColourTriple& colour);
    void text(QStringView unit);
    void closeElement();
    void lineBreak();
    void closing();

private:
    // A component of its own for text that wears no colour.
    void plainComponent(QStringView text);
    void appendJsonString(QStringView text);

    MarkupWriter& m_html;
    const GradientSettings& m_settings;
    ColourTriple m_colour;
    bool m_open = false;
};

} // namespace huespan
