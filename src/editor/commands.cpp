#include "editor/commands.h"

#include <QCoreApplication>

namespace {

using enum Command;

constexpr std::array<CommandInfo, CommandCount> Table{{
    {NewProject, "NewPrjAction", QT_TRANSLATE_NOOP("Command", "プロジェクトの新規作成(&N)"), true},
    {OpenProject, "OpenPrjAction", QT_TRANSLATE_NOOP("Command", "プロジェクトを開く(&O)..."), true},
    {SaveProject, "SavePrjAction", QT_TRANSLATE_NOOP("Command", "上書き保存(&S)"), true},
    {SaveProjectAs, "SaveAsPrjAction", QT_TRANSLATE_NOOP("Command", "名前を付けて保存(&A)..."), true},
    {SaveGroup, "SaveSelGrpAction", QT_TRANSLATE_NOOP("Command", "選択基点をファイルに保存  "), true},
    {LoadGroup, "LoadGrpAction", QT_TRANSLATE_NOOP("Command", "ファイルからカーソル位置に読込..."), true},
    {Cut, "CutStepAction", QT_TRANSLATE_NOOP("Command", "切り取り(&T)"), true},
    {Copy, "CpyStepAction", QT_TRANSLATE_NOOP("Command", "コピー(&C)"), true},
    {Paste, "PstStepAction", QT_TRANSLATE_NOOP("Command", "貼り付け(&P)"), true},
    {SelectAll, "SelectAllAction", QT_TRANSLATE_NOOP("Command", "全て選択(&S)"), true},
    {AddStep, "AddStepAction", QT_TRANSLATE_NOOP("Command", "基点の追加(&A)..."), true},
    {AddBlankStep, "AddBlkStepAction", QT_TRANSLATE_NOOP("Command", "空基点追加(&B)"), true},
    {DeleteSteps, "DelStepAction", QT_TRANSLATE_NOOP("Command", "基点の削除(&D)"), true},
    {DeleteAllSteps, "DelAllStepAction", QT_TRANSLATE_NOOP("Command", "全ての基点を削除(&K)"), true},
    {StepColour, "PropStepAction", QT_TRANSLATE_NOOP("Command", "基点の色指定(&C)..."), true},
    {StepTime, "TimeStepAction", QT_TRANSLATE_NOOP("Command", "基点のタイム指定(&I)..."), true},
    {MoveStepToCursor, "MovToCsrPosAction", QT_TRANSLATE_NOOP("Command", "基点をカーソル位置へ移動(&M)"), true},
    {Undo, "UndoAction", QT_TRANSLATE_NOOP("Command", "元に戻す(&U)"), true},
    {PreviousStep, "PrvStpAction", QT_TRANSLATE_NOOP("Command", "前の基点へ(&P)"), true},
    {NextStep, "NxtStpAction", QT_TRANSLATE_NOOP("Command", "次の基点へ(&N)"), true},
    {CopyFromLine, "CpyFrmTrkAction", QT_TRANSLATE_NOOP("Command", "他ラインからコピー(&F)..."), true},
    {ExtendedSelection, "SelectExAction", QT_TRANSLATE_NOOP("Command", "拡張選択(&E)"), true},
    {StepBack, "PrvTimAction", QT_TRANSLATE_NOOP("Command", "0.1秒戻る"), true},
    {StepForward, "NxtTimAction", QT_TRANSLATE_NOOP("Command", "0.1秒進む"), true},
    {BrightnessUp, "UpBrightAction", QT_TRANSLATE_NOOP("Command", "明度を上げる"), true},
    {BrightnessDown, "DownBrightAction", QT_TRANSLATE_NOOP("Command", "明度を下げる"), true},
    {CutLines, "CutMltAction", QT_TRANSLATE_NOOP("Command", "複数ラインの切り取り(&T)"), true},
    {CopyLines, "CpyMltAction", QT_TRANSLATE_NOOP("Command", "複数ラインのコピー(&C)"), true},
    {PasteLines, "PstMltAction", QT_TRANSLATE_NOOP("Command", "複数ラインの貼り付け(&P)"), true},
    {SelectAllLines, "SelectAllMltAction", QT_TRANSLATE_NOOP("Command", "全ライン全て選択(&M)"), true},
    {AlignLines, "AlignMltAction", QT_TRANSLATE_NOOP("Command", "複数ライン位置揃え(&L)"), true},
    {StretchTime, "StretchMltAction", QT_TRANSLATE_NOOP("Command", "複数ラインのタイム伸縮(&S)"), true},
    {StretchBrightness, "StretchBrtAction", QT_TRANSLATE_NOOP("Command", "複数ラインの明暗伸縮(&B)"), true},
    {PlayFromTop, "TopPlayAction", QT_TRANSLATE_NOOP("Command", "先頭から再生"), true},
    {Play, "PlayAction", QT_TRANSLATE_NOOP("Command", "再生"), true},
    {Pause, "PauseAction", QT_TRANSLATE_NOOP("Command", "一旦停止"), true},
    {Stop, "StopAction", QT_TRANSLATE_NOOP("Command", "停止"), true},
    {ToSoundStart, "ToTopPosAction", QT_TRANSLATE_NOOP("Command", "サウンドの先頭へ"), true},
    {ToSoundEnd, "ToEndPosAction", QT_TRANSLATE_NOOP("Command", "サウンドの最後へ"), true},
    {ShowFileBar, "ViewFilToolAction", QT_TRANSLATE_NOOP("Command", "標準バー(&F)"), true},
    {ShowEditBar, "ViewEditToolAction", QT_TRANSLATE_NOOP("Command", "編集バー(&E)"), true},
    {ShowPlayerBar, "ViewPlayerAction", QT_TRANSLATE_NOOP("Command", "プレーヤ(&P)"), true},
    {ShowPaletteBar, "ViewCurPalAction", QT_TRANSLATE_NOOP("Command", "カラーパレット(&C)"), true},
    {ShowStatusBar, "ViewSttBarAction", QT_TRANSLATE_NOOP("Command", "ステータスバー(&S)"), true},
    {ZoomIn, "ZoomInAction", QT_TRANSLATE_NOOP("Command", "タイムスケール拡大(&I)"), true},
    {ZoomOut, "ZoomOutAction", QT_TRANSLATE_NOOP("Command", "タイムスケール縮小(&O)"), true},
    {ZoomFit, "ZoomFitAction", QT_TRANSLATE_NOOP("Command", "タイムスケールを画面幅に(&F)"), true},
    {MonoWaveform, "DispMonoAction", QT_TRANSLATE_NOOP("Command", "モノラル表示(&M)"), true},
    {ShowReferenceLine, "ViewRefTrkAction", QT_TRANSLATE_NOOP("Command", "参照ライン(&R)"), true},
    {ShowColourMonitor, "ViewColMonAction", QT_TRANSLATE_NOOP("Command", "カラーモニタ"), true},
    {SoundProperties, "PropertyAction", QT_TRANSLATE_NOOP("Command", "サウンドファイルのプロパティ(&R)"), true},
    {ProjectSettings, "SetPrjAction", QT_TRANSLATE_NOOP("Command", "プロジェクトの設定(&S)..."), true},
    {ZeroBrightness, "CurBrt0Action", QT_TRANSLATE_NOOP("Command", "0"), false},
    {Repeat, "RepeatPlyItem", QT_TRANSLATE_NOOP("Command", "繰り返し(&R)"), false},
    {VolumeControl, "VolCtlItem", QT_TRANSLATE_NOOP("Command", "ボリュームコントロール(&V)"), false},
    {Exit, "ExitItem", QT_TRANSLATE_NOOP("Command", "終了(&X)"), false},
    {Options, "OptionItem", QT_TRANSLATE_NOOP("Command", "オプション設定(&O)..."), false},
    {About, "HelpAboutItem", QT_TRANSLATE_NOOP("Command", "バージョン情報(&A)"), false},
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

QString CommandCaption(Command c) { return QCoreApplication::translate("Command", InfoOf(c).Caption); }
