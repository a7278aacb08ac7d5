#include "dialogs/output_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The combo boxes' items in the order of the modes.
constexpr ArtnetMode ArtnetModes[] = {ArtnetMode::Broadcast, ArtnetMode::Limited, ArtnetMode::Unicast,
                                      ArtnetMode::List, ArtnetMode::Off};
constexpr SacnMode SacnModes[] = {SacnMode::Off, SacnMode::Multicast, SacnMode::Unicast};

QLineEdit* Edit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A whole decimal number within [low, high], or a refusal naming the text.
OutputCheck ReadNumber(const QLineEdit* edit, int32_t low, int32_t high, OutputProblem problem, int32_t& value)
{
    bool ok = false;
    const int n = edit->text().trimmed().toInt(&ok);
    if (!ok || n < low || n > high)
        return {problem, edit->text().trimmed().toStdString()};
    value = n;
    return {};
}

} // namespace

QString OutputProblemText(const OutputCheck& check)
{
    const QString value = QString::fromStdString(check.Value);
    switch (check.Problem) {
    case OutputProblem::Address:
        return QCoreApplication::translate("OutputPage", "「%1」はIPv4アドレスではありません").arg(value);
    case OutputProblem::NoAddress:
        return QCoreApplication::translate("OutputPage", "sACNのユニキャスト送信先のアドレスを入力してください");
    case OutputProblem::NoArtnetAddress:
        return QCoreApplication::translate("OutputPage", "Art-Netの送信先のアドレスを入力してください");
    case OutputProblem::PortAddress:
        return QCoreApplication::translate("OutputPage", "Art-Netのポートアドレスは0～32767で指定してください: 「%1」")
            .arg(value);
    case OutputProblem::Universe:
        return QCoreApplication::translate("OutputPage", "sACNのユニバースは1～63999で指定してください: 「%1」")
            .arg(value);
    case OutputProblem::Priority:
        return QCoreApplication::translate("OutputPage", "sACNの優先度は0～200で指定してください: 「%1」").arg(value);
    case OutputProblem::Ttl:
        return QCoreApplication::translate("OutputPage", "sACNのTTLは1～255で指定してください: 「%1」").arg(value);
    case OutputProblem::Interface:
        return QCoreApplication::translate("OutputPage", "インターフェース「%1」にはIPv4アドレスがありません")
            .arg(value);
    case OutputProblem::Socket:
        return QCoreApplication::translate("OutputPage", "sACNのソケットを作成できません: %1").arg(value);
    case OutputProblem::None:
        break;
    }
    return {};
}

OutputPage::OutputPage(QWidget* parent) : QWidget(parent)
{
    setObjectName("OutputPage");
    auto* artnetGroup = new QGroupBox("Art-Net", this);
    artnet_ = new QComboBox(artnetGroup);
    artnet_->setObjectName("ArtnetModeComboBox");
    artnet_->addItems({tr("ブロードキャスト (自動: 2.255.255.255 またはLANのブロードキャストアドレス)"),
                       tr("リミテッドブロードキャスト (255.255.255.255)"), tr("ユニキャスト (ユニバースを出力するノードへ)"),
                       tr("指定したアドレスへ"), tr("送信しない")});
    connect(artnet_, &QComboBox::currentIndexChanged, this, &OutputPage::UpdateEnabled);
    artnetAddresses_ = Edit("ArtnetAddressesEdit", artnetGroup);
    artnetAddresses_->setPlaceholderText(tr("例: 10.0.0.20, 10.0.0.21"));
    artnetInterface_ = Edit("ArtnetInterfaceEdit", artnetGroup);
    artnetInterface_->setPlaceholderText(tr("空欄: 自動 (デフォルトルートのインターフェース)"));
    auto* artnetForm = new QFormLayout(artnetGroup);
    artnetForm->addRow(tr("送信"), artnet_);
    artnetForm->addRow(tr("送信先アドレス"), artnetAddresses_);
    artnetForm->addRow(tr("インターフェース"), artnetInterface_);

    auto* sacnGroup = new QGroupBox("sACN (E1.31)", this);
    sacn_ = new QComboBox(sacnGroup);
    sacn_->setObjectName("SacnModeComboBox");
    sacn_->addItems({tr("送信しない"), tr("マルチキャスト"), tr("ユニキャスト")});
    connect(sacn_, &QComboBox::currentIndexChanged, this, &OutputPage::UpdateEnabled);
    universe_ = Edit("SacnUniverseEdit", sacnGroup);
    priority_ = Edit("SacnPriorityEdit", sacnGroup);
    unicast_ = Edit("SacnUnicastEdit", sacnGroup);
    unicast_->setPlaceholderText(tr("例: 10.0.0.20, 10.0.0.21"));
    interface_ = Edit("SacnInterfaceEdit", sacnGroup);
    interface_->setPlaceholderText(tr("空欄: Art-Netと同じ"));
    cid_ = new QLabel(sacnGroup);
    cid_->setObjectName("SacnCidLabel");
    cid_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* form = new QFormLayout(sacnGroup);
    form->addRow(tr("送信"), sacn_);
    form->addRow(tr("ユニバース (1～63999)"), universe_);
    form->addRow(tr("優先度 (0～200)"), priority_);
    form->addRow(tr("ユニキャスト送信先"), unicast_);
    form->addRow(tr("マルチキャスト送信インターフェース"), interface_);
    form->addRow("CID", cid_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(artnetGroup);
    layout->addWidget(sacnGroup);
    layout->addStretch();
}

void OutputPage::Show(const OutputConfig& config)
{
    artnet_->setCurrentIndex(int(std::find(std::begin(ArtnetModes), std::end(ArtnetModes), config.Artnet.Mode) -
                                 std::begin(ArtnetModes)));
    artnetAddresses_->setText(QString::fromStdString(AddressListText(config.Artnet.Addresses)));
    artnetInterface_->setText(QString::fromStdString(config.Artnet.Interface));
    sacn_->setCurrentIndex(
        int(std::find(std::begin(SacnModes), std::end(SacnModes), config.Sacn.Mode) - std::begin(SacnModes)));
    universe_->setText(QString::number(config.Sacn.Universe));
    priority_->setText(QString::number(config.Sacn.Priority));
    unicast_->setText(QString::fromStdString(AddressListText(config.Sacn.Unicast)));
    interface_->setText(QString::fromStdString(config.Sacn.Interface));
    cid_->setText(QString::fromStdString(CidText(config.Sacn.Cid)));
    UpdateEnabled();
}

OutputCheck OutputPage::Read(OutputConfig& config) const
{
    OutputConfig read = config;
    read.Artnet.Mode = ArtnetModes[artnet_->currentIndex()];
    read.Artnet.Addresses.clear();
    if (const OutputCheck c = ParseAddressList(artnetAddresses_->text().toStdString(), read.Artnet.Addresses);
        !c && (c.Problem != OutputProblem::NoAddress || read.Artnet.Mode == ArtnetMode::List))
        return c.Problem == OutputProblem::NoAddress ? OutputCheck{OutputProblem::NoArtnetAddress, ""} : c;
    read.Artnet.Interface = artnetInterface_->text().trimmed().toStdString();
    read.Sacn.Mode = SacnModes[sacn_->currentIndex()];
    if (const OutputCheck c = ReadNumber(universe_, SacnUniverseMin, SacnUniverseMax, OutputProblem::Universe,
                                         read.Sacn.Universe);
        !c)
        return c;
    if (const OutputCheck c = ReadNumber(priority_, SacnPriorityMin, SacnPriorityMax, OutputProblem::Priority,
                                         read.Sacn.Priority);
        !c)
        return c;
    // The addresses matter only for unicast; typed ones are still checked, so a mistake
    // shows before the day it is used.
    const std::string addresses = unicast_->text().toStdString();
    read.Sacn.Unicast.clear();
    if (const OutputCheck c = ParseAddressList(addresses, read.Sacn.Unicast);
        !c && (c.Problem != OutputProblem::NoAddress || read.Sacn.Mode == SacnMode::Unicast))
        return c;
    read.Sacn.Interface = interface_->text().trimmed().toStdString();
    config = std::move(read);
    return {};
}

void OutputPage::UpdateEnabled()
{
    const ArtnetMode artnet = ArtnetModes[std::max(0, artnet_->currentIndex())];
    artnetAddresses_->setEnabled(artnet == ArtnetMode::List);
    artnetInterface_->setEnabled(artnet != ArtnetMode::Off && artnet != ArtnetMode::List);
    const SacnMode mode = SacnModes[std::max(0, sacn_->currentIndex())];
    for (QWidget* w : std::initializer_list<QWidget*>{universe_, priority_})
        w->setEnabled(mode != SacnMode::Off);
    unicast_->setEnabled(mode == SacnMode::Unicast);
    interface_->setEnabled(mode == SacnMode::Multicast);
}
