#include "dialogs/about_box.h"

#include "common/version.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle(tr("バージョン情報"));
    auto* icon = new QLabel(this);
    icon->setObjectName("ProgramIcon");
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32, 32));
    productName_ = new QLabel("Lumenrill", this);
    productName_->setObjectName("ProductName");
    version_ = new QLabel(QString("Version ") + ProgramVersion, this);
    version_->setObjectName("Version");
    auto* comments = new QLabel(tr("音楽に合わせて光の色を演出するショーの編集と再生 (Art-Net DMX)"), this);
    comments->setObjectName("Comments");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(productName_, 0, 1);
    layout->addWidget(version_, 1, 1);
    layout->addWidget(comments, 2, 1);
    layout->addWidget(ok, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
