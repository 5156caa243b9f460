// Rules of the result list's context menu.
#include "helper/result_menu.h"

#include "helper/paste_plan.h"

namespace helper {

std::vector<MenuItem> resultMenuPlan(const std::vector<ProgramEntry>& programs) {
    std::vector<MenuItem> plan;
    for (std::size_t i = 0; i < programs.size() && i < kProgramCount; ++i) {
        if (programs[i].valid())
            plan.push_back({kMenuFirstProgram + static_cast<int>(i), 0, menuName(programs[i].configured)});
    }
    if (!plan.empty())
        plan.push_back({0, 0, ""});
    plan.insert(plan.end(), {{kMenuDate, 15039, ""},
                             {kMenuAttributes, 15040, ""},
                             {0, 0, ""},
                             {kMenuDelete, 15121, ""},
                             {0, 0, ""},
                             {kMenuCopy, 15122, ""}});
    return plan;
}

std::string linePath(const std::string& line) {
    const std::size_t start = !line.empty() && line[0] == '\t' ? 1 : 0;
    const std::size_t tab = line.find('\t', start);
    return line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
}

bool isDrivePath(const std::string& path) {
    return path.size() >= 3 && path[2] == '\\';
}

bool copyTargetValid(const std::string& target) {
    return target.size() >= 3 && target[1] == ':' && target[2] == '\\';
}

std::vector<std::string> targetAndParents(const std::string& target) {
    std::vector<std::string> all = directoriesOnTheWay(target);
    all.push_back(target);
    return all;
}

std::string copyDestination(const std::string& target, const std::string& source) {
    const std::size_t slash = source.rfind('\\');
    return target + (slash == std::string::npos ? "\\" + source : source.substr(slash));
}

std::uint32_t deleteQuestionId(std::size_t selected) {
    return selected > 1 ? 15124 : 15125;
}

} // namespace helper
