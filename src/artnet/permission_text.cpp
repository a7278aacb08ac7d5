#include "artnet/permission_text.h"

#include "common/translation.h"

#include <filesystem>
#include <system_error>

std::string AddressPermissionText(const std::string& systemText, const std::string& exePath)
{
    return systemText + "\n" +
           Translated("Core", "Art-Net 用の 2.x.x.x アドレスを追加する権限がありません。次のどちらかで設定してください:\n"
                              "・プログラムにアドレス変更の権限を与える:\n") +
           "    sudo setcap cap_net_admin+ep " + exePath + "\n" +
           Translated("Core", "・システムで 2.x.x.x のアドレスを設定する (ブロードキャスト 2.255.255.255):\n") +
           "    sudo ip addr add 2.1.2.3/8 dev eth0";
}

std::string RunningExecutablePath()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("lumenrill") : exe.string();
}
