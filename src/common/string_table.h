#pragma once
// User-visible texts that several places share.

namespace Msg {
inline constexpr const char* Selected = "選択中";
inline constexpr const char* StepFile = "基点ファイル";
inline constexpr const char* Factor = "倍率";
inline constexpr const char* StretchTimeTitle = "複数ラインのタイム伸縮";
inline constexpr const char* StretchBrightnessTitle = "複数ラインの明暗伸縮";
inline constexpr const char* Scale = "スケール";
inline constexpr const char* Volume = "音量";
inline constexpr const char* Brightness = "明暗";
inline constexpr const char* CopyLineTitle = "ライン内容のコピー";
inline constexpr const char* CopyLinePrompt = "コピー元のラインNo.(1～8)を指定してください";
inline constexpr const char* SaveChanges = "変更内容を保存しますか";
inline constexpr const char* ConfirmDelete = "削除してもいいですか";
inline constexpr const char* Untitled = "無題";
inline constexpr const char* ConfirmOverwrite = "上書きしてもいいですか?";
inline constexpr const char* ProjectFile = "プロジェクトファイル";
inline constexpr const char* OpenProject = "プロジェクトを開く";
inline constexpr const char* OscPortRange = "OSCポートは 1 から 65535 の間で指定してください: ";
inline constexpr const char* RecoveryCaption = "ショーの復元";
inline constexpr const char* RecoveryFound = "の復元用のコピーがあります";
inline constexpr const char* RecoveryQuestion =
    "復元したショーを開きますか?\n\nはい: 開く  いいえ: コピーを破棄  キャンセル: 後で決める";
inline constexpr const char* ConvertOldProject = "旧バージョンのデータです。変換して読み込みますか？";
} // namespace Msg
