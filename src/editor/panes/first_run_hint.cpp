#include "editor/panes/first_run_hint.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char* const FirstRunHint::Text = QT_TRANSLATE_NOOP(
    "FirstRunHint",
    "<p style='font-size:13pt'><b>ショーを始めましょう</b></p>"
    "<p>新しいショーは「ファイル」→「プロジェクトの新規作成」で作ります。<br>"
    "続いて開く「プロジェクトの設定」でサウンドファイル (WAV / MP3) を選んでください。</p>"
    "<p>作ったショーは「ファイル」→「プロジェクトを開く」で開けます。<br>"
    "サウンドファイルやプロジェクトファイルをこのウィンドウにドロップしても始められます。</p>"
    "<p>使い方は「ヘルプ」→「目次」(F1) のマニュアルにあります。</p>");

FirstRunHint::FirstRunHint(QWidget* parent) : QWidget(parent)
{
    setObjectName("FirstRunHint");
    setAutoFillBackground(true);
    text_ = new QLabel(tr(Text), this);
    text_->setObjectName("FirstRunHintText");
    text_->setTextFormat(Qt::RichText);
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    demo_ = new QPushButton(tr("デモショーを開く"), this);
    demo_->setObjectName("DemoButton");
    connect(demo_, &QPushButton::clicked, this, &FirstRunHint::demoRequested);
    chooseSound_ = new QPushButton(tr("別のサウンドファイルを選ぶ..."), this);
    chooseSound_->setObjectName("ChooseSoundButton");
    chooseSound_->hide();
    connect(chooseSound_, &QPushButton::clicked, this, &FirstRunHint::chooseSoundRequested);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(text_);
    layout->addSpacing(8);
    layout->addWidget(demo_, 0, Qt::AlignHCenter);
    layout->addWidget(chooseSound_, 0, Qt::AlignHCenter);
    layout->addStretch();
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

void FirstRunHint::ShowFor(const QString& soundPath, bool soundFileThere)
{
    demo_->setVisible(soundPath.isEmpty());
    chooseSound_->setVisible(!soundPath.isEmpty());
    if (soundPath.isEmpty()) {
        text_->setText(tr(Text));
        return;
    }
    const QString what = soundFileThere ? tr("このショーのサウンドファイルを読み込めません")
                                        : tr("このショーのサウンドファイルが見つかりません");
    text_->setText("<p style='font-size:13pt'><b>" + what + "</b></p><p>" + soundPath.toHtmlEscaped() + "</p><p>" +
                   tr("別のファイルは「設定」→「プロジェクトの設定」のサウンドファイルで選べます。") + "</p>");
}

bool FirstRunHint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
