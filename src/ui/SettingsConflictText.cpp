#include "ui/SettingsConflictText.h"

#include "SettingNames.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace huespan {

QString settingsConflictText(const SettingsConflict& conflict)
{
    const QString format = captionOf(conflict.format);
    switch (conflict.setting) {
    case SettingsConflict::Setting::Heading:
        return format +
               u"には見出しがありません。メイン画面のサイズを「通常」にするか、見出しを「指定なし」にしてください。"_s;
    case SettingsConflict::Setting::FontSize:
        return format + u"には文字の大きさがありません。メイン画面のサイズを「指定なし」にしてください。"_s;
    case SettingsConflict::Setting::Underline:
        return format + u"には下線がありません。メイン画面の「下線」を外してください。"_s;
    case SettingsConflict::Setting::Page:
        return format + u"はHTMLではないため、ブラウザでのプレビューはありません。"_s;
    case SettingsConflict::Setting::LineBreaks:
        return format +
               u"では改行がそのまま表示されます。メイン画面の「コードに改行を入れる」を外してください。"_s;
    case SettingsConflict::Setting::SingleStop:
        return u"色の並びには2つ以上の色が必要です。"_s;
    case SettingsConflict::Setting::ContrastFloor:
        return format +
               u"は文字ごとの色を持たないため、背景とのコントラストを確保できません。出力形式か確保の設定を変えてください。"_s;
    }
    return {};
}

QString settingsConflictsText(const std::vector<SettingsConflict>& conflicts)
{
    QStringList lines;
    for (const SettingsConflict& conflict : conflicts)
        lines.append(settingsConflictText(conflict));
    return lines.join(u'\n');
}

} // namespace huespan
