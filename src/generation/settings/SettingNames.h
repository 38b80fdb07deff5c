#pragma once

#include "ColourSpace.h"
#include "ExtendedSettings.h"
#include "GradientSettings.h"
#include "TextUnit.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <optional>
#include <span>

namespace huespan {

// One value of a setting with its one spelling, the one the command line, its completions and
// the settings file use, and, where the 詳細設定 dialog lists the value, its caption there.
template <typename Value> struct SettingName
{
    Value value;
    QLatin1StringView name;
    QStringView caption;
};

// The values of a setting, in the order the dialog and the help list them; the first is the
// default.
template <typename Value> std::span<const SettingName<Value>> settingNames();
template <> std::span<const SettingName<GradientForm>> settingNames();
template <> std::span<const SettingName<ColourSpace>> settingNames();
template <> std::span<const SettingName<HueInterpolation>> settingNames();
template <> std::span<const SettingName<TextUnit>> settingNames();
template <> std::span<const SettingName<OutputFormat>> settingNames();
template <> std::span<const SettingName<LineGradient>> settingNames();

template <typename Value> std::optional<Value> valueNamed(QStringView name)
{
    for (const SettingName<Value>& entry : settingNames<Value>()) {
        if (name == entry.name)
            return entry.value;
    }
    return std::nullopt;
}

template <typename Value> QString nameOf(Value value)
{
    for (const SettingName<Value>& entry : settingNames<Value>()) {
        if (entry.value == value)
            return entry.name;
    }
    return {};
}

template <typename Value> QString captionOf(Value value)
{
    for (const SettingName<Value>& entry : settingNames<Value>()) {
        if (entry.value == value)
            return entry.caption.toString();
    }
    return {};
}

// The names as a sentence lists them: "a, b or c". With markDefault, the first is followed by
// " (default)".
QString listedNames(std::span<const QLatin1StringView> names, bool markDefault);

template <typename Value> QString choicesText(bool markDefault = false)
{
    std::vector<QLatin1StringView> names;
    for (const SettingName<Value>& entry : settingNames<Value>())
        names.push_back(entry.name);
    return listedNames(names, markDefault);
}

} // namespace huespan
