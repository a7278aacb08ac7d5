#include "editor/commands.h"

namespace {

using enum Command;

constexpr std::array<CommandInfo, CommandCount> Table{{
    {NewProject, "NewPrjAction", "プロジェクトの新規作成(&N)", true},
    {OpenProject, "OpenPrjAction", "プロジェクトを開く(&O)...", true},
    {SaveProject, "SavePrjAction", "上書き保存(&S)", true},
    {SaveProjectAs, "SaveAsPrjAction", "名前を付けて保存(&A)...", true},
    {SaveGroup, "SaveSelGrpAction", "選択基点をファイルに保存  ", true},
    {LoadGroup, "LoadGrpAction", "ファイルからカーソル位置に読込...", true},
    {Cut, "CutStepAction", "切り取り(&T)", true},
    {Copy, "CpyStepAction", "コピー(&C)", true},
    {Paste, "PstStepAction", "貼り付け(&P)", true},
    {SelectAll, "SelectAllAction", "全て選択(&S)", true},
    {AddStep, "AddStepAction", "基点の追加(&A)...", true},
    {AddBlankStep, "AddBlkStepAction", "空基点追加(&B)", true},
    {DeleteSteps, "DelStepAction", "基点の削除(&D)", true},
    {DeleteAllSteps, "DelAllStepAction", "全ての基点を削除(&K)", true},
    {StepColour, "PropStepAction", "基点の色指定(&C)...", true},
    {StepTime, "TimeStepAction", "基点のタイム指定(&I)...", true},
    {MoveStepToCursor, "MovToCsrPosAction", "基点をカーソル位置へ移動(&M)", true},
    {Undo, "UndoAction", "元に戻す(&U)", true},
    {PreviousStep, "PrvStpAction", "前の基点へ(&P)", true},
    {NextStep, "NxtStpAction", "次の基点へ(&N)", true},
    {CopyFromLine, "CpyFrmTrkAction", "他ラインからコピー(&F)...", true},
    {ExtendedSelection, "SelectExAction", "拡張選択(&E)", true},
    {StepBack, "PrvTimAction", "0.1秒戻る", true},
    {StepForward, "NxtTimAction", "0.1秒進む", true},
    {BrightnessUp, "UpBrightAction", "明度を上げる", true},
    {BrightnessDown, "DownBrightAction", "明度を下げる", true},
    {CutLines, "CutMltAction", "複数ラインの切り取り(&T)", true},
    {CopyLines, "CpyMltAction", "複数ラインのコピー(&C)", true},
    {PasteLines, "PstMltAction", "複数ラインの貼り付け(&P)", true},
    {SelectAllLines, "SelectAllMltAction", "全ライン全て選択(&M)", true},
    {AlignLines, "AlignMltAction", "複数ライン位置揃え(&L)", true},
    {StretchTime, "StretchMltAction", "複数ラインのタイム伸縮(&S)", true},
    {StretchBrightness, "StretchBrtAction", "複数ラインの明暗伸縮(&B)", true},
    {PlayFromTop, "TopPlayAction", "先頭から再生", true},
    {Play, "PlayAction", "再生", true},
    {Pause, "PauseAction", "一旦停止", true},
    {Stop, "StopAction", "停止", true},
    {ToSoundStart, "ToTopPosAction", "サウンドの先頭へ", true},
    {ToSoundEnd, "ToEndPosAction", "サウンドの最後へ", true},
    {ShowFileBar, "ViewFilToolAction", "標準バー(&F)", true},
    {ShowEditBar, "ViewEditToolAction", "編集バー(&E)", true},
    {ShowPlayerBar, "ViewPlayerAction", "プレーヤ(&P)", true},
    {ShowPaletteBar, "ViewCurPalAction", "カラーパレット(&C)", true},
    {ShowStatusBar, "ViewSttBarAction", "ステータスバー(&S)", true},
    {ZoomIn, "ZoomInAction", "タイムスケール拡大(&I)", true},
    {ZoomOut, "ZoomOutAction", "タイムスケール縮小(&O)", true},
    {ZoomFit, "ZoomFitAction", "タイムスケールを画面幅に(&F)", true},
    {MonoWaveform, "DispMonoAction", "モノラル表示(&M)", true},
    {ShowReferenceLine, "ViewRefTrkAction", "参照ライン(&R)", true},
    {ShowColourMonitor, "ViewColMonAction", "カラーモニタ", true},
    {SoundProperties, "PropertyAction", "サウンドファイルのプロパティ(&R)", true},
    {ProjectSettings, "SetPrjAction", "プロジェクトの設定(&S)...", true},
    {ZeroBrightness, "CurBrt0Action", "0", false},
    {Repeat, "RepeatPlyItem", "繰り返し(&R)", false},
    {VolumeControl, "VolCtlItem", "ボリュームコントロール(&V)", false},
    {Exit, "ExitItem", "終了(&X)", false},
    {Options, "OptionItem", "オプション設定(&O)...", false},
    {About, "HelpAboutItem", "バージョン情報(&A)", false},
}};

// The table's rows stand at their command's index: a row out of place fails to compile.
constexpr bool InOrder()
{
    for (size_t i = 0; i < Table.size(); ++i)
        if (size_t(Table[i].Id) != i)
            return false;
    return true;
}
static_assert(InOrder());

} // namespace

const std::array<CommandInfo, CommandCount>& CommandTable() { return Table; }

std::optional<Command> CommandWithKey(std::string_view storedKey)
{
    for (const CommandInfo& info : Table)
        if (info.StoredKey == storedKey)
            return info.Id;
    return std::nullopt;
}
