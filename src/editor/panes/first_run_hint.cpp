#include "editor/panes/first_run_hint.h"

#include <QEvent>

const char* const FirstRunHint::Text = QT_TRANSLATE_NOOP("FirstRunHint", 
    "<p style='font-size:13pt'><b>ショーを始めましょう</b></p>"
    "<p>新しいショーは「ファイル」→「プロジェクトの新規作成」で作ります。<br>"
    "続いて開く「プロジェクトの設定」でサウンドファイル (WAV / MP3) を選んでください。</p>"
    "<p>作ったショーは「ファイル」→「プロジェクトを開く」で開けます。<br>"
    "サウンドファイルやプロジェクトファイルをこのウィンドウにドロップしても始められます。</p>"
    "<p>使い方は「ヘルプ」→「目次」(F1) のマニュアルにあります。</p>");

FirstRunHint::FirstRunHint(QWidget* parent) : QLabel(parent)
{
    setObjectName("FirstRunHint");
    setText(tr(Text));
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAutoFillBackground(true);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

bool FirstRunHint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QLabel::eventFilter(watched, event);
}
