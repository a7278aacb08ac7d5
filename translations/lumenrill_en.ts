<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>音楽に合わせて光の色を演出するショーの編集と再生 (Art-Net DMX)</source>
        <translation>Edit and play color light shows set to music (Art-Net DMX)</translation>
    </message>
</context>
<context>
    <name>ColourBar</name>
    <message>
        <source>基本色</source>
        <translation>Base Color</translation>
    </message>
    <message>
        <source>出力色</source>
        <translation>Output Color</translation>
    </message>
    <message>
        <source>色指定</source>
        <translation>Pick Color</translation>
    </message>
    <message>
        <source>明暗の変更</source>
        <translation>Adjust Brightness</translation>
    </message>
</context>
<context>
    <name>ColourMonitor</name>
    <message>
        <source>カラーモニタ配置ファイル (*.arg *.ARG)</source>
        <translation>Color Monitor Layouts (*.arg *.ARG)</translation>
    </message>
    <message>
        <source>ラベル表示(&amp;L)</source>
        <translation>Show &amp;Labels</translation>
    </message>
    <message>
        <source>初期配置(&amp;I)</source>
        <translation>&amp;Default Layout</translation>
    </message>
    <message>
        <source>配置をファイルに保存(&amp;S)</source>
        <translation>&amp;Save Layout to File</translation>
    </message>
    <message>
        <source>ファイルから配置を読み込む(&amp;O)</source>
        <translation>L&amp;oad Layout from File</translation>
    </message>
    <message>
        <source>サイズ連動(&amp;R)</source>
        <translation>&amp;Resize Tiles with Window</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>プロジェクトの新規作成(&amp;N)</source>
        <translation>&amp;New Project</translation>
    </message>
    <message>
        <source>プロジェクトを開く(&amp;O)...</source>
        <translation>&amp;Open Project…</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <source>選択基点をファイルに保存  </source>
        <translation>Save Selected Steps to File  </translation>
    </message>
    <message>
        <source>ファイルからカーソル位置に読込...</source>
        <translation>Load File at Cursor…</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>全て選択(&amp;S)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>基点の追加(&amp;A)...</source>
        <translation>Add &amp;Step…</translation>
    </message>
    <message>
        <source>空基点追加(&amp;B)</source>
        <translation>Add &amp;Blank Step</translation>
    </message>
    <message>
        <source>基点の削除(&amp;D)</source>
        <translation>&amp;Delete Steps</translation>
    </message>
    <message>
        <source>全ての基点を削除(&amp;K)</source>
        <translation>Delete A&amp;ll Steps</translation>
    </message>
    <message>
        <source>基点の色指定(&amp;C)...</source>
        <translation>Step Colo&amp;r…</translation>
    </message>
    <message>
        <source>基点のタイム指定(&amp;I)...</source>
        <translation>Step T&amp;ime…</translation>
    </message>
    <message>
        <source>基点をカーソル位置へ移動(&amp;M)</source>
        <translation>&amp;Move Step to Cursor</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>前の基点へ(&amp;P)</source>
        <translation>Pre&amp;vious Step</translation>
    </message>
    <message>
        <source>次の基点へ(&amp;N)</source>
        <translation>&amp;Next Step</translation>
    </message>
    <message>
        <source>他ラインからコピー(&amp;F)...</source>
        <translation>Copy &amp;from Line…</translation>
    </message>
    <message>
        <source>拡張選択(&amp;E)</source>
        <translation>&amp;Extended Selection</translation>
    </message>
    <message>
        <source>0.1秒戻る</source>
        <translation>Back 0.1 s</translation>
    </message>
    <message>
        <source>0.1秒進む</source>
        <translation>Forward 0.1 s</translation>
    </message>
    <message>
        <source>明度を上げる</source>
        <translation>Brightness Up</translation>
    </message>
    <message>
        <source>明度を下げる</source>
        <translation>Brightness Down</translation>
    </message>
    <message>
        <source>複数ラインの切り取り(&amp;T)</source>
        <translation>Cu&amp;t Across Lines</translation>
    </message>
    <message>
        <source>複数ラインのコピー(&amp;C)</source>
        <translation>&amp;Copy Across Lines</translation>
    </message>
    <message>
        <source>複数ラインの貼り付け(&amp;P)</source>
        <translation>&amp;Paste Across Lines</translation>
    </message>
    <message>
        <source>全ライン全て選択(&amp;M)</source>
        <translation>Select All Across &amp;Lines</translation>
    </message>
    <message>
        <source>複数ライン位置揃え(&amp;L)</source>
        <translation>Ali&amp;gn Across Lines</translation>
    </message>
    <message>
        <source>複数ラインのタイム伸縮(&amp;S)</source>
        <translation>&amp;Stretch Time Across Lines</translation>
    </message>
    <message>
        <source>複数ラインの明暗伸縮(&amp;B)</source>
        <translation>Stretch &amp;Brightness Across Lines</translation>
    </message>
    <message>
        <source>先頭から再生</source>
        <translation>Play from Start</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>一旦停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>サウンドの先頭へ</source>
        <translation>Go to Sound Start</translation>
    </message>
    <message>
        <source>サウンドの最後へ</source>
        <translation>Go to Sound End</translation>
    </message>
    <message>
        <source>標準バー(&amp;F)</source>
        <translation>&amp;Standard Toolbar</translation>
    </message>
    <message>
        <source>編集バー(&amp;E)</source>
        <translation>&amp;Edit Toolbar</translation>
    </message>
    <message>
        <source>プレーヤ(&amp;P)</source>
        <translation>&amp;Player</translation>
    </message>
    <message>
        <source>カラーパレット(&amp;C)</source>
        <translation>&amp;Color Palette</translation>
    </message>
    <message>
        <source>ステータスバー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>タイムスケール拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>タイムスケール縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>タイムスケールを画面幅に(&amp;F)</source>
        <translation>Zoom to &amp;Fit</translation>
    </message>
    <message>
        <source>モノラル表示(&amp;M)</source>
        <translation>&amp;Mono Waveform</translation>
    </message>
    <message>
        <source>参照ライン(&amp;R)</source>
        <translation>&amp;Reference Line</translation>
    </message>
    <message>
        <source>カラーモニタ</source>
        <translation>Color Monitor</translation>
    </message>
    <message>
        <source>サウンドファイルのプロパティ(&amp;R)</source>
        <translation>Sound File &amp;Properties</translation>
    </message>
    <message>
        <source>プロジェクトの設定(&amp;S)...</source>
        <translation>&amp;Project Settings…</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>繰り返し(&amp;R)</source>
        <translation>&amp;Repeat</translation>
    </message>
    <message>
        <source>ボリュームコントロール(&amp;V)</source>
        <translation>&amp;Volume Control</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>オプション設定(&amp;O)...</source>
        <translation>&amp;Options…</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>ソケットの初期化に失敗しました</source>
        <translation>Socket initialization failed</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>選択中</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>基点ファイル</source>
        <translation>Step Files</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>複数ラインのタイム伸縮</source>
        <translation>Stretch Time Across Lines</translation>
    </message>
    <message>
        <source>複数ラインの明暗伸縮</source>
        <translation>Stretch Brightness Across Lines</translation>
    </message>
    <message>
        <source>スケール</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>明暗</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>ライン内容のコピー</source>
        <translation>Copy Line</translation>
    </message>
    <message>
        <source>コピー元のラインNo.(1～8)を指定してください</source>
        <translation>Line to copy from (1–8):</translation>
    </message>
    <message>
        <source>変更内容を保存しますか</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>削除してもいいですか</source>
        <translation>Delete every step on the current line?</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>上書きしてもいいですか?</source>
        <translation>Overwrite this line?</translation>
    </message>
    <message>
        <source>プロジェクトファイル</source>
        <translation>Project Files</translation>
    </message>
    <message>
        <source>プロジェクトを開く</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>OSCポートは 1 から 65535 の間で指定してください: </source>
        <translation>Enter an OSC port from 1 to 65535: </translation>
    </message>
    <message>
        <source>ショーの復元</source>
        <translation>Recover Show</translation>
    </message>
    <message>
        <source>の復元用のコピーがあります</source>
        <translation>has a recovery copy</translation>
    </message>
    <message>
        <source>旧バージョンのデータです。変換して読み込みますか？</source>
        <translation>This show was saved by an older version. Convert and open it?</translation>
    </message>
    <message>
        <source>ファイル名に使えない文字が含まれています: </source>
        <translation>The file name contains characters that cannot be used: </translation>
    </message>
    <message>
        <source>ファイル名が長すぎます(%1文字まで): </source>
        <translation>The file name is too long (at most %1 characters): </translation>
    </message>
    <message>
        <source>ArtNet初期化エラー</source>
        <translation>Art-Net Initialization Error</translation>
    </message>
    <message>
        <source>再生ファイルが見つかりません</source>
        <translation>Sound file not found</translation>
    </message>
    <message>
        <source>初期化に失敗しました</source>
        <translation>Initialization failed</translation>
    </message>
    <message>
        <source>オーディオ出力が無効です</source>
        <translation>Audio output unavailable</translation>
    </message>
    <message>
        <source>パラメーターが間違っています。</source>
        <translation>Invalid parameter.</translation>
    </message>
    <message>
        <source>未定義アドレス</source>
        <translation>Unknown address</translation>
    </message>
    <message>
        <source>受信サイズが大きすぎます</source>
        <translation>Packet too large</translation>
    </message>
    <message>
        <source>受信サイズが小さすぎます</source>
        <translation>Packet too small</translation>
    </message>
    <message>
        <source>TypeTagがありません</source>
        <translation>No type tag</translation>
    </message>
    <message>
        <source>不正なTypeTagです</source>
        <translation>Invalid type tag</translation>
    </message>
    <message>
        <source>未対応なフォーマットです</source>
        <translation>Unsupported format</translation>
    </message>
    <message>
        <source>ファイルが開けません</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>RIFFヘッダがありません</source>
        <translation>No RIFF header</translation>
    </message>
    <message>
        <source>WAVEヘッダがありません</source>
        <translation>No WAVE header</translation>
    </message>
    <message>
        <source>fmtチャンクがありません</source>
        <translation>No fmt chunk</translation>
    </message>
    <message>
        <source>不正なフォーマットです</source>
        <translation>Invalid format</translation>
    </message>
    <message>
        <source>不正なチャンネル数です</source>
        <translation>Invalid number of channels</translation>
    </message>
    <message>
        <source>不正なビット数です</source>
        <translation>Invalid bit depth</translation>
    </message>
    <message>
        <source>dataチャンクが見つかりません</source>
        <translation>No data chunk found</translation>
    </message>
    <message>
        <source>不正なファイルです</source>
        <translation>Invalid file</translation>
    </message>
    <message>
        <source>VBMP3.DLL エラー</source>
        <translation>MP3 decoder error</translation>
    </message>
    <message>
        <source>読み込み中... </source>
        <translation>Loading… </translation>
    </message>
    <message>
        <source>デモショーがインストールされていません</source>
        <translation>The demo show is not installed</translation>
    </message>
    <message>
        <source>デモショーを読み込めません: %1</source>
        <translation>Cannot read the demo show: %1</translation>
    </message>
    <message>
        <source>デモショーをコピーできません: %1</source>
        <translation>Cannot copy the demo show to %1</translation>
    </message>
    <message>
        <source>コピーを開きますか? 「後で」を選ぶと、コピーは次の起動まで残ります。</source>
        <translation>Open the copy? With Later, the copy is kept until the next start.</translation>
    </message>
    <message>
        <source>コピーを開く(&amp;O)</source>
        <translation>&amp;Open Copy</translation>
    </message>
    <message>
        <source>コピーを破棄(&amp;D)</source>
        <translation>&amp;Discard Copy</translation>
    </message>
    <message>
        <source>後で(&amp;L)</source>
        <translation>&amp;Later</translation>
    </message>
    <message>
        <source>注意: ショーのファイルはこのコピーより後に保存されています。コピーを開いて保存すると、その後に保存した内容は失われます。</source>
        <translation>Note: the show file was saved after this copy was made. Opening the copy and saving it replaces what was saved since.</translation>
    </message>
    <message>
        <source>コピーを破棄すると、その中の保存されていない変更は元に戻せません。破棄しますか?</source>
        <translation>Discarding the copy loses its unsaved changes for good. Discard it?</translation>
    </message>
    <message>
        <source>復元用のコピーを書けません。変更を失わないよう、ショーを保存してください。</source>
        <translation>The recovery copy cannot be written. Save the show so that your changes are not lost.</translation>
    </message>
    <message>
        <source>前回の終了時に復元用のコピーを書けなかったため、保存されていない変更を次のファイルに保存しました:</source>
        <translation>When the program last ended, no recovery copy could be written, so the unsaved changes were saved as:</translation>
    </message>
    <message>
        <source>サウンドに音のデータがありません</source>
        <translation>The sound file holds no sound</translation>
    </message>
</context>
<context>
    <name>DesktopPrompts</name>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
</context>
<context>
    <name>ExtendedSelectionDialog</name>
    <message>
        <source>拡張選択</source>
        <translation>Extended Selection</translation>
    </message>
    <message>
        <source>色相/彩度</source>
        <translation>Hue/Saturation</translation>
    </message>
    <message>
        <source>色相/明暗</source>
        <translation>Hue/Brightness</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>除外</source>
        <translation>Exclude</translation>
    </message>
    <message>
        <source>抽出解除</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FirstRunHint</name>
    <message>
        <source>&lt;p style=&apos;font-size:13pt&apos;&gt;&lt;b&gt;ショーを始めましょう&lt;/b&gt;&lt;/p&gt;&lt;p&gt;新しいショーは「ファイル」→「プロジェクトの新規作成」で作ります。&lt;br&gt;続いて開く「プロジェクトの設定」でサウンドファイル (WAV / MP3) を選んでください。&lt;/p&gt;&lt;p&gt;作ったショーは「ファイル」→「プロジェクトを開く」で開けます。&lt;br&gt;サウンドファイルやプロジェクトファイルをこのウィンドウにドロップしても始められます。&lt;/p&gt;&lt;p&gt;使い方は「ヘルプ」→「目次」(F1) のマニュアルにあります。&lt;/p&gt;</source>
        <translation>&lt;p style=&apos;font-size:13pt&apos;&gt;&lt;b&gt;Let&apos;s start a show&lt;/b&gt;&lt;/p&gt;&lt;p&gt;To create a show, choose File → New Project.&lt;br&gt;Then choose a sound file (WAV / MP3) in the Project Settings dialog that opens.&lt;/p&gt;&lt;p&gt;To open a saved show, choose File → Open Project.&lt;br&gt;You can also start by dropping a sound file or project file onto this window.&lt;/p&gt;&lt;p&gt;The manual is under Help → Contents (F1).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>デモショーを開く</source>
        <translation>Open the Demo Show</translation>
    </message>
    <message>
        <source>別のサウンドファイルを選ぶ...</source>
        <translation>Choose Another Sound File…</translation>
    </message>
    <message>
        <source>このショーのサウンドファイルを読み込めません</source>
        <translation>This show’s sound file cannot be read</translation>
    </message>
    <message>
        <source>このショーのサウンドファイルが見つかりません</source>
        <translation>This show’s sound file is missing</translation>
    </message>
    <message>
        <source>別のファイルは「設定」→「プロジェクトの設定」のサウンドファイルで選べます。</source>
        <translation>Choose another one as the sound file in Settings &gt; Project Settings.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>参照ライン表示</source>
        <translation>Show reference line</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>最近開いたプロジェクト(&amp;H)</source>
        <translation>&amp;Recent Projects</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツールバー(&amp;T)</source>
        <translation>&amp;Toolbars</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>Webページ(&amp;W)</source>
        <translation>&amp;Web Page</translation>
    </message>
    <message>
        <source>全ラインカラー表示(&amp;A)</source>
        <translation>&amp;All Lines</translation>
    </message>
    <message>
        <source>非表示(&amp;N)</source>
        <translation>&amp;Hide</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>プレーヤ</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>カラーパレット</source>
        <translation>Color Palette</translation>
    </message>
    <message>
        <source>マニュアルが見つかりません</source>
        <translation>Manual not found</translation>
    </message>
    <message>
        <source>マニュアルを開けません: %1</source>
        <translation>Cannot open the manual: %1</translation>
    </message>
    <message>
        <source>デモショーを開く(&amp;D)</source>
        <translation>Open &amp;Demo Show</translation>
    </message>
    <message>
        <source>ネットワークなし</source>
        <translation>no network</translation>
    </message>
</context>
<context>
    <name>NodeDetailsDialog</name>
    <message>
        <source>ノードの詳細情報</source>
        <translation>Node Details</translation>
    </message>
    <message>
        <source>SUB-NET : ID</source>
        <translation>Sub-Net : Universe</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>波形表示色(L)</source>
        <translation>Waveform (L)</translation>
    </message>
    <message>
        <source>波形の背景(L)</source>
        <translation>Waveform Background (L)</translation>
    </message>
    <message>
        <source>波形表示色(R)</source>
        <translation>Waveform (R)</translation>
    </message>
    <message>
        <source>波形の背景(R)</source>
        <translation>Waveform Background (R)</translation>
    </message>
    <message>
        <source>無音部分の背景</source>
        <translation>Background Outside Sound</translation>
    </message>
    <message>
        <source>タイムライン表示</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>タイムライン背景</source>
        <translation>Timeline Background</translation>
    </message>
    <message>
        <source>カラー表示の背景</source>
        <translation>Color Lane Background</translation>
    </message>
    <message>
        <source>オプション設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>ショートカット</source>
        <translation>Shortcuts</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>自動保存</source>
        <translation>Autosave</translation>
    </message>
    <message>
        <source>高度な設定</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>指定...</source>
        <translation>Choose…</translation>
    </message>
    <message>
        <source>ツールボタンをフラットに</source>
        <translation>Flat toolbar buttons</translation>
    </message>
    <message>
        <source>基点移動時に表示を更新</source>
        <translation>Update display while moving steps</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動 (デスクトップの言語)</source>
        <translation>Automatic (desktop language)</translation>
    </message>
    <message>
        <source>次回の起動から有効になります</source>
        <translation>Takes effect the next time Lumenrill starts</translation>
    </message>
    <message>
        <source>カラーモニタパネルのクリックでタブを切替</source>
        <translation>Click a Color Monitor tile to switch lines</translation>
    </message>
    <message>
        <source>マウスホイール機能を使う</source>
        <translation>Use the mouse wheel</translation>
    </message>
    <message>
        <source>カーソル通過時に基点をアクティブに</source>
        <translation>Make steps current as the cursor passes</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>変更(&amp;C)</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>解除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>ユーザパレット画像</source>
        <translation>User Palette Image</translation>
    </message>
    <message>
        <source>自動バックアップを行う</source>
        <translation>Save the show file automatically</translation>
    </message>
    <message>
        <source>間隔</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>出力ポート</source>
        <translation>Art-Net Universe (Port-Address)</translation>
    </message>
    <message>
        <source>スキャン</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>更新周期</source>
        <translation>Update Interval</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>OSC ポート</source>
        <translation>OSC Port</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>照明の遅延補正</source>
        <translation>Light Latency Compensation</translation>
    </message>
    <message>
        <source>%1 は「%2」で使われています。「%3」に移してもよいですか</source>
        <translation>%1 is already used by “%2”. Move it to “%3”?</translation>
    </message>
    <message>
        <source>パレット画像の選択</source>
        <translation>Choose Palette Image</translation>
    </message>
    <message>
        <source>出力</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>OSC</source>
        <translation>OSC</translation>
    </message>
    <message>
        <source>フィードバック送信先</source>
        <translation>Feedback Targets</translation>
    </message>
    <message>
        <source>例: 192.168.1.20:9000, 192.168.1.21:8000</source>
        <translation>e.g. 192.168.1.20:9000, 192.168.1.21:8000</translation>
    </message>
    <message>
        <source>IPv4 アドレス:ポートをカンマで区切って指定します。コマンドを送ったクライアントには 10 分間、指定がなくても送信します。</source>
        <translation>IPv4 address:port items, separated by commas. A client that sent a command is sent the state for 10 minutes without being listed.</translation>
    </message>
    <message>
        <source>受信を許可する送信元</source>
        <translation>Senders Allowed to Send Commands</translation>
    </message>
    <message>
        <source>例: 192.168.1.0/24, 10.0.0.5</source>
        <translation>e.g. 192.168.1.0/24, 10.0.0.5</translation>
    </message>
    <message>
        <source>IPv4 アドレスまたは範囲をカンマで区切って指定します。空欄のときはすべての送信元を受け付けます。</source>
        <translation>IPv4 addresses or ranges, separated by commas. When empty, commands are taken from any sender.</translation>
    </message>
    <message>
        <source>NET</source>
        <translation>Net</translation>
    </message>
    <message>
        <source>SUB-NET</source>
        <translation>Sub-Net</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Universe</translation>
    </message>
</context>
<context>
    <name>OscLists</name>
    <message>
        <source>フィードバック送信先「%1」が正しくありません。IPv4 アドレス:ポート (例: 192.168.1.20:9000) で指定してください</source>
        <translation>The feedback target “%1” is not valid. Give it as IPv4 address:port (for example 192.168.1.20:9000).</translation>
    </message>
    <message>
        <source>受信を許可する送信元「%1」が正しくありません。IPv4 アドレスまたは範囲 (例: 192.168.1.0/24) で指定してください</source>
        <translation>The allowed sender “%1” is not valid. Give it as an IPv4 address or range (for example 192.168.1.0/24).</translation>
    </message>
</context>
<context>
    <name>OscServer</name>
    <message>
        <source>OSC: ポート %1 を開けません (%2)</source>
        <translation>OSC: cannot open port %1 (%2)</translation>
    </message>
    <message>
        <source>OSC: 拒否 %1 (%2 件)</source>
        <translation>OSC: refused %1 (%2 in all)</translation>
    </message>
    <message>
        <source>%1 から %2 の間ではありません</source>
        <translation>not between %1 and %2</translation>
    </message>
</context>
<context>
    <name>OutputPage</name>
    <message>
        <source>「%1」はIPv4アドレスではありません</source>
        <translation>“%1” is not an IPv4 address</translation>
    </message>
    <message>
        <source>sACNのユニキャスト送信先のアドレスを入力してください</source>
        <translation>Enter the addresses of the sACN unicast destinations</translation>
    </message>
    <message>
        <source>sACNのユニバースは1～63999で指定してください: 「%1」</source>
        <translation>The sACN universe must be 1–63999: “%1”</translation>
    </message>
    <message>
        <source>sACNの優先度は0～200で指定してください: 「%1」</source>
        <translation>The sACN priority must be 0–200: “%1”</translation>
    </message>
    <message>
        <source>sACNのTTLは1～255で指定してください: 「%1」</source>
        <translation>The sACN TTL must be 1–255: “%1”</translation>
    </message>
    <message>
        <source>インターフェース「%1」にはIPv4アドレスがありません</source>
        <translation>Interface “%1” has no IPv4 address</translation>
    </message>
    <message>
        <source>sACNのソケットを作成できません: %1</source>
        <translation>Cannot create the sACN socket: %1</translation>
    </message>
    <message>
        <source>ユニキャスト (ユニバースを出力するノードへ)</source>
        <translation>Unicast (to the nodes that output the universe)</translation>
    </message>
    <message>
        <source>送信しない</source>
        <translation>Do not send</translation>
    </message>
    <message>
        <source>マルチキャスト</source>
        <translation>Multicast</translation>
    </message>
    <message>
        <source>ユニキャスト</source>
        <translation>Unicast</translation>
    </message>
    <message>
        <source>例: 10.0.0.20, 10.0.0.21</source>
        <translation>e.g. 10.0.0.20, 10.0.0.21</translation>
    </message>
    <message>
        <source>空欄: Art-Netと同じ</source>
        <translation>Empty: the same as Art-Net</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>ユニバース (1～63999)</source>
        <translation>Universe (1–63999)</translation>
    </message>
    <message>
        <source>優先度 (0～200)</source>
        <translation>Priority (0–200)</translation>
    </message>
    <message>
        <source>ユニキャスト送信先</source>
        <translation>Unicast Destinations</translation>
    </message>
    <message>
        <source>マルチキャスト送信インターフェース</source>
        <translation>Multicast Interface</translation>
    </message>
    <message>
        <source>Art-Netの送信先のアドレスを入力してください</source>
        <translation>Enter the addresses Art-Net is to be sent to</translation>
    </message>
    <message>
        <source>Art-Netのポートアドレスは0～32767で指定してください: 「%1」</source>
        <translation>The Art-Net Port-Address must be within 0-32767: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ブロードキャスト (自動: 2.255.255.255 またはLANのブロードキャストアドレス)</source>
        <translation>Broadcast (automatic: 2.255.255.255 or the LAN&apos;s broadcast address)</translation>
    </message>
    <message>
        <source>リミテッドブロードキャスト (255.255.255.255)</source>
        <translation>Limited broadcast (255.255.255.255)</translation>
    </message>
    <message>
        <source>指定したアドレスへ</source>
        <translation>To the addresses given</translation>
    </message>
    <message>
        <source>空欄: 自動 (デフォルトルートのインターフェース)</source>
        <translation>Empty: automatic (the default route&apos;s interface)</translation>
    </message>
    <message>
        <source>送信先アドレス</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>インターフェース</source>
        <translation>Interface</translation>
    </message>
</context>
<context>
    <name>ProjectSettingsDialog</name>
    <message>
        <source>プロジェクトの設定</source>
        <translation>Project Settings</translation>
    </message>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>DMXパッチ</source>
        <translation>DMX Patch</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>サウンドファイル( .WAV .MP3)</source>
        <translation>Sound File (.WAV .MP3)</translation>
    </message>
    <message>
        <source>「...」でサウンドファイル (WAV / MP3) を選んでください</source>
        <translation>Click “...” to choose a sound file (WAV / MP3)</translation>
    </message>
    <message>
        <source>スルーパッチ</source>
        <translation>1:1 Patch</translation>
    </message>
    <message>
        <source>全て解除</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>負荷チェック</source>
        <translation>Fixture Check</translation>
    </message>
    <message>
        <source>プリプレイ・タイム</source>
        <translation>Lead-in</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>ポストプレイ・タイム</source>
        <translation>Run-out</translation>
    </message>
    <message>
        <source>スルーパッチしてもよいですか</source>
        <translation>Patch lines 1–8 one to one?</translation>
    </message>
    <message>
        <source>全てのパッチを解除してもよいですか</source>
        <translation>Clear the whole patch?</translation>
    </message>
    <message>
        <source>サウンドファイル (*.wav *.WAV)</source>
        <translation>Sound Files (*.wav *.WAV)</translation>
    </message>
    <message>
        <source>サウンドファイル (*.mp3 *.MP3)</source>
        <translation>Sound Files (*.mp3 *.MP3)</translation>
    </message>
    <message>
        <source>サウンドファイルの選択</source>
        <translation>Choose Sound File</translation>
    </message>
</context>
<context>
    <name>SoundPropertiesBox</name>
    <message>
        <source>サウンドファイルのプロパティ</source>
        <translation>Sound File Properties</translation>
    </message>
    <message>
        <source>場所:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>サイズ:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>更新日時:</source>
        <translation>Modified:</translation>
    </message>
    <message>
        <source>形式:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>File not found</translation>
    </message>
</context>
<context>
    <name>StepColourDialog</name>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>ユーザパレット</source>
        <translation>User Palette</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>パレット画像の選択(&amp;P)</source>
        <translation>Choose &amp;Palette Image</translation>
    </message>
    <message>
        <source>表示サイズ : %1</source>
        <translation>Display Size: %1</translation>
    </message>
    <message>
        <source>パレット画像の選択</source>
        <translation>Choose Palette Image</translation>
    </message>
</context>
<context>
    <name>StepTimeDialog</name>
    <message>
        <source>基点のタイム設定</source>
        <translation>Step Time</translation>
    </message>
</context>
<context>
    <name>TransportPanel</name>
    <message>
        <source>音量の変更</source>
        <translation>Adjust Volume</translation>
    </message>
    <message>
        <source>出力色</source>
        <translation>Output Color</translation>
    </message>
</context>
</TS>
