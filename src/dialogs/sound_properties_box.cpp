#include "dialogs/sound_properties_box.h"

#include "sound/sound_info_text.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

SoundPropertiesBox::SoundPropertiesBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("SoundPropBox");
    setWindowTitle(tr("サウンドファイルのプロパティ"));
    auto* form = new QFormLayout;
    const QString names[4] = {tr("場所:"), tr("サイズ:"), tr("更新日時:"), tr("形式:")};
    for (int i = 0; i < 4; ++i) {
        values_[i] = new QLabel(this);
        values_[i]->setObjectName(QString("Value%1").arg(i));
        values_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(names[i], values_[i]);
    }
    values_[0]->setWordWrap(true);
    values_[0]->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SoundPropertiesBox::Fill(const std::string& path)
{
    const QFileInfo info(QString::fromStdString(path));
    values_[0]->setText(info.absoluteFilePath());
    if (info.exists()) {
        const QLocale locale;
        values_[1]->setText(tr("%1 バイト").arg(locale.toString(info.size())));
        values_[2]->setText(info.lastModified().toString("yyyy/MM/dd HH:mm:ss"));
    } else {
        values_[1]->setText(tr("ファイルが見つかりません"));
        values_[2]->clear();
    }
    values_[3]->setText(QString::fromStdString(SoundInfoText(path)));
}

void SoundPropertiesBox::Execute(const std::string& path)
{
    Fill(path);
    exec();
}
