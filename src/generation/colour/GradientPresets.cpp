#include "GradientPresets.h"

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// A stop from six hexadecimal digits, placed by the CSS rules.
ColourStop hexStop(unsigned rgb)
{
    return {ColourTriple{static_cast<qint16>((rgb >> 16) & 0xFF), static_cast<qint16>((rgb >> 8) & 0xFF),
                         static_cast<qint16>(rgb & 0xFF)},
            std::nullopt};
}

GradientPreset preset(QString name, QString caption, QString description,
                      std::initializer_list<unsigned> colours, ColourSpace space)
{
    GradientPreset made{std::move(name), std::move(description),   std::move(caption), {},
                        space,           HueInterpolation::Shorter};
    for (const unsigned rgb : colours)
        made.stops.push_back(hexStop(rgb));
    return made;
}

std::vector<GradientPreset> makePresets()
{
    // Flags run through OKLab, so that white stripes stay white on the way and no hue turns up
    // that the flag does not have; the landscapes run through OKLCH for vivid middles.
    const ColourSpace lab = ColourSpace::Oklab;
    const ColourSpace lch = ColourSpace::Oklch;
    return {
        preset(u"sunset"_s, u"夕焼け"_s, u"Red, orange and gold of a setting sun."_s,
               {0xFF4E50, 0xFC913A, 0xF9D423}, lch),
        preset(u"dusk"_s, u"薄暮"_s, u"Night blue through violet to the last orange light."_s,
               {0x1E1E5A, 0x6A3093, 0xE96443, 0xFFC371}, lch),
        preset(u"ocean"_s, u"海"_s, u"Deep navy to bright sea blue."_s, {0x000046, 0x1CB5E0}, lch),
        preset(u"lagoon"_s, u"ラグーン"_s, u"Shallow green water to deep blue."_s, {0x43CEA2, 0x185A9D}, lch),
        preset(u"deep-sea"_s, u"深海"_s, u"Dark blue-greens of deep water."_s, {0x0F2027, 0x203A43, 0x2C5364},
               lab),
        preset(u"fire"_s, u"炎"_s, u"Embers to flame: dark red, red, orange, yellow."_s,
               {0x6B0000, 0xE0301E, 0xFF8C00, 0xFFD700}, lch),
        preset(u"ice"_s, u"氷"_s, u"White through pale cyan to glacier blue."_s,
               {0xFFFFFF, 0xBDEFFF, 0x6DD5FA, 0x2980B9}, lch),
        preset(u"pastel"_s, u"パステル"_s, u"Soft pink, peach, lemon, mint and sky."_s,
               {0xFFB3BA, 0xFFDFBA, 0xFFFFBA, 0xBAFFC9, 0xBAE1FF}, lch),
        preset(u"candy"_s, u"キャンディ"_s, u"Pastel pink to pastel blue."_s, {0xFBC2EB, 0xA6C1EE}, lch),
        preset(u"monochrome"_s, u"白黒"_s, u"Black to white, evenly light."_s, {0x000000, 0xFFFFFF}, lab),
        preset(u"silver"_s, u"銀"_s, u"Dark grey to light grey."_s, {0x4B4B4B, 0xE0E0E0}, lab),
        preset(u"pride"_s, u"プライド（6色の虹）"_s, u"The six-stripe rainbow pride flag."_s,
               {0xE40303, 0xFF8C00, 0xFFED00, 0x008026, 0x24408E, 0x732982}, lch),
        preset(u"trans-pride"_s, u"トランスジェンダー・プライド"_s,
               u"The transgender pride flag: blue, pink, white, pink, blue."_s,
               {0x5BCEFA, 0xF5A9B8, 0xFFFFFF, 0xF5A9B8, 0x5BCEFA}, lab),
        preset(u"bi-pride"_s, u"バイセクシュアル・プライド"_s,
               u"The bisexual pride flag: magenta, lavender, blue."_s, {0xD60270, 0x9B4F96, 0x0038A8}, lab),
        preset(u"pan-pride"_s, u"パンセクシュアル・プライド"_s,
               u"The pansexual pride flag: pink, yellow, blue."_s, {0xFF218C, 0xFFD800, 0x21B1FF}, lab),
        preset(u"lesbian-pride"_s, u"レズビアン・プライド"_s,
               u"The five-stripe lesbian pride flag: oranges, white, pinks."_s,
               {0xD52D00, 0xFF9A56, 0xFFFFFF, 0xD362A4, 0xA30262}, lab),
        preset(u"nonbinary-pride"_s, u"ノンバイナリー・プライド"_s,
               u"The non-binary pride flag: yellow, white, purple, black."_s,
               {0xFCF434, 0xFFFFFF, 0x9C59D1, 0x2C2C2C}, lab),
        preset(u"asexual-pride"_s, u"アセクシュアル・プライド"_s,
               u"The asexual pride flag: black, grey, white, purple."_s,
               {0x000000, 0xA3A3A3, 0xFFFFFF, 0x800080}, lab),
        preset(u"aromantic-pride"_s, u"アロマンティック・プライド"_s,
               u"The aromantic pride flag: greens, white, grey, black."_s,
               {0x3DA542, 0xA7D379, 0xFFFFFF, 0xA9A9A9, 0x000000}, lab),
        preset(u"genderfluid-pride"_s, u"ジェンダーフルイド・プライド"_s,
               u"The genderfluid pride flag: pink, white, violet, black, blue."_s,
               {0xFF76A4, 0xFFFFFF, 0xC011D7, 0x000000, 0x2F3CBE}, lab),
        preset(u"agender-pride"_s, u"エイジェンダー・プライド"_s,
               u"The agender pride flag: black, grey, white, green, white, grey, black."_s,
               {0x000000, 0xBCC4C7, 0xFFFFFF, 0xB7F684, 0xFFFFFF, 0xBCC4C7, 0x000000}, lab),
    };
}

} // namespace

const std::vector<GradientPreset>& gradientPresets()
{
    static const std::vector<GradientPreset> presets = makePresets();
    return presets;
}

const GradientPreset* findGradientPreset(QStringView name)
{
    for (const GradientPreset& candidate : gradientPresets()) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

GradientPreset rainbowGradient()
{
    // Red, green and blue have the hues 0, 120 and 240 at full saturation and half lightness, so
    // stops at thirds with the hue always increasing make the hue proportional to the position.
    return {u"rainbow"_s,
            u"The full hue circle."_s,
            u"虹色"_s,
            {{ColourTriple{255, 0, 0}, 0.0},
             {ColourTriple{0, 255, 0}, 100.0 / 3.0},
             {ColourTriple{0, 0, 255}, 200.0 / 3.0},
             {ColourTriple{255, 0, 0}, 100.0}},
            ColourSpace::Hsl,
            HueInterpolation::Increasing};
}

} // namespace huespan
