#include "SettingNames.h"

#include <array>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr std::array<SettingName<GradientForm>, 2> kForms{{
    {GradientForm::LeftToRight, "left-to-right"_L1, {}},
    {GradientForm::BothSidesSame, "both-sides-same"_L1, {}},
}};

constexpr std::array<SettingName<ColourSpace>, 5> kSpaces{{
    {ColourSpace::Srgb, "srgb"_L1, u"sRGB（標準）"},
    {ColourSpace::LinearSrgb, "linear-srgb"_L1, u"リニアsRGB"},
    {ColourSpace::Oklab, "oklab"_L1, u"OKLab"},
    {ColourSpace::Oklch, "oklch"_L1, u"OKLCH"},
    {ColourSpace::Hsl, "hsl"_L1, u"HSL"},
}};

constexpr std::array<SettingName<HueInterpolation>, 4> kHues{{
    {HueInterpolation::Shorter, "shorter"_L1, u"短い方"},
    {HueInterpolation::Longer, "longer"_L1, u"長い方"},
    {HueInterpolation::Increasing, "increasing"_L1, u"増加方向"},
    {HueInterpolation::Decreasing, "decreasing"_L1, u"減少方向"},
}};

constexpr std::array<SettingName<TextUnit>, 2> kUnits{{
    {TextUnit::CodePoint, "code-point"_L1, u"文字"},
    {TextUnit::Grapheme, "grapheme"_L1, u"書記素クラスタ（絵文字や結合文字をひとまとまりに）"},
}};

constexpr std::array<SettingName<OutputFormat>, 11> kFormats{{
    {OutputFormat::Font, "font"_L1, u"FONT要素（標準）"},
    {OutputFormat::Span, "span"_L1, u"span要素"},
    {OutputFormat::Bbcode, "bbcode"_L1, u"BBCode"},
    {OutputFormat::Ansi, "ansi"_L1, u"ANSI（端末）"},
    {OutputFormat::Css, "css"_L1, u"CSSグラデーション"},
    {OutputFormat::MiniMessage, "minimessage"_L1, u"MiniMessage（Minecraftサーバー）"},
    {OutputFormat::MinecraftHex, "minecraft-hex"_L1, u"&#RRGGBB（Minecraftのチャット）"},
    {OutputFormat::MinecraftSection, "minecraft-section"_L1, u"§x（Minecraftの旧形式）"},
    {OutputFormat::MinecraftJson, "minecraft-json"_L1, u"JSONテキスト（Minecraftの/tellraw）"},
    {OutputFormat::Mfm, "mfm"_L1, u"MFM（Misskey）"},
    {OutputFormat::Pango, "pango"_L1, u"Pango（ステータスバー・通知）"},
}};

constexpr std::array<SettingName<LineGradient>, 3> kLines{{
    {LineGradient::Whole, "whole"_L1, {}},
    {LineGradient::Each, "each"_L1, {}},
    {LineGradient::Columns, "columns"_L1, {}},
}};

} // namespace

template <> std::span<const SettingName<GradientForm>> settingNames()
{
    return kForms;
}

template <> std::span<const SettingName<ColourSpace>> settingNames()
{
    return kSpaces;
}

template <> std::span<const SettingName<HueInterpolation>> settingNames()
{
    return kHues;
}

template <> std::span<const SettingName<TextUnit>> settingNames()
{
    return kUnits;
}

template <> std::span<const SettingName<OutputFormat>> settingNames()
{
    return kFormats;
}

template <> std::span<const SettingName<LineGradient>> settingNames()
{
    return kLines;
}

QString listedNames(std::span<const QLatin1StringView> names, bool markDefault)
{
    QString text;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (index > 0)
            text += index + 1 == names.size() ? u" or "_s : u", "_s;
        text += names[index];
        if (index == 0 && markDefault)
            text += u" (default)"_s;
    }
    return text;
}

} // namespace huespan
