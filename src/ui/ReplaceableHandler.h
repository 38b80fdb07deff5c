#pragma once

#include <QtGlobal>
#include <functional>
#include <utility>

namespace huespan {

// A seam's way out to the system: the system's own call, unless a test has put a handler in its
// place to record and answer. An empty replacement brings the system's call back.
template <typename Signature> class ReplaceableHandler;

template <typename Result, typename... Arguments> class ReplaceableHandler<Result(Arguments...)> final
{
public:
    using Handler = std::function<Result(Arguments...)>;

    explicit ReplaceableHandler(Result (*system)(Arguments...))
        : m_system(system)
    {
    }
    Q_DISABLE_COPY_MOVE(ReplaceableHandler)

    void replace(Handler replacement) { m_replacement = std::move(replacement); }

    Result operator()(Arguments... arguments) const
    {
        if (m_replacement)
            return m_replacement(arguments...);
        return m_system(arguments...);
    }

private:
    Result (*m_system)(Arguments...);
    Handler m_replacement;
};

} // namespace huespan
