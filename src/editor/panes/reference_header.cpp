#include "editor/panes/reference_header.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

ReferenceHeader::ReferenceHeader(QWidget* parent) : QFrame(parent)
{
    setObjectName("RefHdrPanel");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel(this);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    column->addWidget(caption_);
    QFont small = font();
    small.setPixelSize(10);
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(QString("Line %1").arg(i + 1), this);
        labels_[i]->setFont(small);
        labels_[i]->adjustSize();
        labels_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        labels_[i]->hide();
    }
}

void ReferenceHeader::SetCaption(const QString& caption) { caption_->setText(caption); }

QString ReferenceHeader::Caption() const { return caption_->text(); }

void ReferenceHeader::ShowRowLabels(int rowHeight)
{
    for (size_t i = 0; i < labels_.size(); ++i) {
        QLabel* l = labels_[i];
        if (rowHeight < 0) {
            l->hide();
            continue;
        }
        l->move(4, int(i) * rowHeight + std::max(4, (rowHeight - l->height()) / 2));
        l->show();
        l->raise();
    }
}

void ReferenceHeader::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->globalPosition().toPoint());
}
