// Pictures and clips, named by their path in the Qt resource file that
// resources/assets/resources.qrc describes.

#include "Resources.h"

namespace scx::res {

std::string_view ImagePath(int id) {
    switch (id) {
        case IDR_MAINFRAME:
            return ":/images/app_icon.svg";
        case IDB_ABOUT:
            return ":/images/about_banner.svg";
        case IDB_LOGO:
            return ":/images/logo.svg";
        default:
            return {};
    }
}

const std::vector<std::string_view>& AnimationFrames(int id) {
    static const std::vector<std::string_view> join{
        ":/clips/join_1.svg", ":/clips/join_2.svg", ":/clips/join_3.svg",
        ":/clips/join_4.svg", ":/clips/join_5.svg",
    };
    static const std::vector<std::string_view> split{
        ":/clips/split_1.svg", ":/clips/split_2.svg", ":/clips/split_3.svg",
        ":/clips/split_4.svg", ":/clips/split_5.svg",
    };
    static const std::vector<std::string_view> none;
    switch (id) {
        case IDR_AVI_JOIN:
            return join;
        case IDR_AVI_SPLIT:
            return split;
        default:
            return none;
    }
}

}  // namespace scx::res
