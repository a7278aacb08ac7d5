#pragma once
// User-visible texts that several places share.

#include "common/translation.h"

namespace Msg {
inline constexpr const char* Selected = TRANSLATABLE_TEXT("Core", "選択中");
inline constexpr const char* StepFile = TRANSLATABLE_TEXT("Core", "基点ファイル");
inline constexpr const char* Factor = TRANSLATABLE_TEXT("Core", "倍率");
inline constexpr const char* StretchTimeTitle = TRANSLATABLE_TEXT("Core", "複数ラインのタイム伸縮");
inline constexpr const char* StretchBrightnessTitle = TRANSLATABLE_TEXT("Core", "複数ラインの明暗伸縮");
inline constexpr const char* Scale = TRANSLATABLE_TEXT("Core", "スケール");
inline constexpr const char* Volume = TRANSLATABLE_TEXT("Core", "音量");
inline constexpr const char* Brightness = TRANSLATABLE_TEXT("Core", "明暗");
inline constexpr const char* CopyLineTitle = TRANSLATABLE_TEXT("Core", "ライン内容のコピー");
inline constexpr const char* CopyLinePrompt = TRANSLATABLE_TEXT("Core", "コピー元のラインNo.(1～8)を指定してください");
inline constexpr const char* SaveChanges = TRANSLATABLE_TEXT("Core", "変更内容を保存しますか");
inline constexpr const char* ConfirmDelete = TRANSLATABLE_TEXT("Core", "削除してもいいですか");
inline constexpr const char* Untitled = TRANSLATABLE_TEXT("Core", "無題");
inline constexpr const char* ConfirmOverwrite = TRANSLATABLE_TEXT("Core", "上書きしてもいいですか?");
inline constexpr const char* ProjectFile = TRANSLATABLE_TEXT("Core", "プロジェクトファイル");
inline constexpr const char* OpenProject = TRANSLATABLE_TEXT("Core", "プロジェクトを開く");
inline constexpr const char* OscPortRange = TRANSLATABLE_TEXT("Core", "OSCポートは 1 から 65535 の間で指定してください: ");
inline constexpr const char* RecoveryCaption = TRANSLATABLE_TEXT("Core", "ショーの復元");
inline constexpr const char* RecoveryFound = TRANSLATABLE_TEXT("Core", "の復元用のコピーがあります");
inline constexpr const char* RecoveryQuestion =
    TRANSLATABLE_TEXT("Core", "コピーを開きますか? 「後で」を選ぶと、コピーは次の起動まで残ります。");
inline constexpr const char* RecoveryOpen = TRANSLATABLE_TEXT("Core", "コピーを開く(&O)");
inline constexpr const char* RecoveryDiscard = TRANSLATABLE_TEXT("Core", "コピーを破棄(&D)");
inline constexpr const char* RecoveryLater = TRANSLATABLE_TEXT("Core", "後で(&L)");
inline constexpr const char* RecoveryShowNewer = TRANSLATABLE_TEXT(
    "Core", "注意: ショーのファイルはこのコピーより後に保存されています。コピーを開いて保存すると、その後に保存した内容は失われます。");
inline constexpr const char* RecoveryConfirmDiscard =
    TRANSLATABLE_TEXT("Core", "コピーを破棄すると、その中の保存されていない変更は元に戻せません。破棄しますか?");
inline constexpr const char* RecoveryWriteFailed = TRANSLATABLE_TEXT(
    "Core", "復元用のコピーを書けません。変更を失わないよう、ショーを保存してください。");
inline constexpr const char* RecoverySavedElsewhere = TRANSLATABLE_TEXT(
    "Core", "前回の終了時に復元用のコピーを書けなかったため、保存されていない変更を次のファイルに保存しました:");
inline constexpr const char* SilentSound = TRANSLATABLE_TEXT("Core", "サウンドに音のデータがありません");
inline constexpr const char* ConvertOldProject = TRANSLATABLE_TEXT("Core", "旧バージョンのデータです。変換して読み込みますか？");
} // namespace Msg
