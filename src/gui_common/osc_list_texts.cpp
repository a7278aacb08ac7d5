#include "gui_common/osc_list_texts.h"

#include <QCoreApplication>

QString BadFeedbackTargetText(const QString& item)
{
    return QCoreApplication::translate(
               "OscLists",
               "フィードバック送信先「%1」が正しくありません。IPv4 アドレス:ポート (例: 192.168.1.20:9000) で指定してください")
        .arg(item);
}

QString BadAllowFromText(const QString& item)
{
    return QCoreApplication::translate(
               "OscLists",
               "受信を許可する送信元「%1」が正しくありません。IPv4 アドレスまたは範囲 (例: 192.168.1.0/24) で指定してください")
        .arg(item);
}
