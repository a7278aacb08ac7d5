#include "common/hand_over_lines.h"

std::vector<std::string> HandOverLines::Take(std::string_view bytes)
{
    std::vector<std::string> paths;
    while (!refused_ && !bytes.empty()) {
        const size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (partial_.size() + piece.size() > maxLine_) {
            refused_ = true;
            partial_.clear();
            partial_.shrink_to_fit();
            break;
        }
        partial_.append(piece);
        if (end == std::string_view::npos)
            break;
        if (!partial_.empty() && partial_.find('\0') == std::string::npos)
            paths.push_back(std::move(partial_));
        partial_.clear();
        bytes.remove_prefix(end + 1);
    }
    return paths;
}
