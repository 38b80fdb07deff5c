#include "GenerationRun.h"

#include "Markup.h"
#include "ProgressText.h"

#include <array>

namespace huespan {

GenerationRun::GenerationRun(Module1& state, const GradientSettings& settings, GenerationHost& host)
    : m_state(state)
    , m_settings(settings)
    , m_host(host)
    , m_progressTexts(progressTexts())
{
}

std::optional<int> GenerationRun::check(int minimum, const QString& tooShortMessage)
{
    m_characters.emplace(takeText());
    return accept(static_cast<int>(m_characters->count()), minimum, tooShortMessage);
}

QStringView GenerationRun::takeText()
{
    m_state.AbortRequested = false;
    m_text = m_state.SourceText;
    return m_text.size() > kLongestText ? QStringView() : QStringView(m_text);
}

std::optional<int> GenerationRun::accept(int count, int minimum, const QString& tooShortMessage)
{
    if (count == 0) {
        m_host.ShowMessage(kNoTextMessage);
        m_host.EnableMainWindow();
        return std::nullopt;
    }
    if (count < minimum) {
        m_host.ShowMessage(tooShortMessage);
        m_host.EnableMainWindow();
        return std::nullopt;
    }
    return count;
}

void GenerationRun::start()
{
    MarkupWriter& html =
        startWriting(openingLengthBound(m_settings) + characterElementLengthBound(m_text.size()) +
                     closingLengthBound(m_settings));
    EmitOpening(html, m_settings);
}

MarkupWriter& GenerationRun::startWriting(qsizetype expectedLength)
{
    m_host.ShowProgress();
    m_state.ResultHtml.clear();
    m_html.emplace(m_state.ResultHtml);
    m_html->reserve(expectedLength);
    return *m_html;
}

void GenerationRun::finish()
{
    EmitClosing(*m_html, m_settings);
    end();
}

void GenerationRun::end()
{
    m_html.reset(); // settles ResultHtml to exactly what was written
    m_host.CloseProgress();
    if (!m_state.AbortRequested)
        m_host.ShowResult(m_state.ResultHtml);
}

const std::array<QString, 101>& GenerationRun::progressTexts()
{
    static const std::array<QString, 101> texts = [] {
        std::array<QString, 101> all;
        for (int p = 0; p <= 100; ++p)
            all[static_cast<size_t>(p)] = ProgressText(p);
        return all;
    }();
    return texts;
}

} // namespace huespan
