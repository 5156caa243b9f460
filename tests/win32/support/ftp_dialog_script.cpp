// The FTP dialog's mouse script and what its trees show.
#include "tests/win32/support/ftp_dialog_script.h"

#include <algorithm>

#include "extension/listbox/tree_items.h"

namespace ftpdialog {

std::string rows(HWND list) {
    std::string text;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto* item = reinterpret_cast<const TreeItem*>(SendMessageA(list, LB_GETITEMDATA, i, 0));
        text += std::string(text.empty() ? "" : " ") + (item->isDirectory() ? "d" : "f") + std::to_string(item->level);
    }
    return text;
}

POINT onRow(HWND list, int index) {
    RECT rect{};
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    SendMessageA(list, LB_GETITEMRECT, std::min(index, count - 1), reinterpret_cast<LPARAM>(&rect));
    const int y = index < count ? (rect.top + rect.bottom) / 2 : rect.bottom + 30;
    return Robot::onScreen(list, rect.left + 60, y);
}

std::vector<std::string> localOrder(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (found.cFileName[0] != '.')
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

int indexIn(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

Robot::Action logIn(std::string user, std::string password, std::string& seen) {
    return [=, &seen](HWND d) {
        for (int id : {108, 110, 112, 114})
            seen +=
                "[" + Robot::itemText(d, id) + "]" + std::to_string(SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0));
        Robot::setItemText(d, 108, "127.0.0.1");
        Robot::setItemText(d, 110, user.c_str());
        Robot::setItemText(d, 112, password.c_str());
        Robot::click(d, IDOK);
        return true;
    };
}

void MouseScript::click(int list, Row row, bool control) {
    then(kPastDoubleClick, [=](HWND d) {
        if (control)
            Robot::key(VK_CONTROL, true);
        Robot::moveMouse(onRow(GetDlgItem(d, list), row()));
        Robot::leftButton(true);
        Robot::leftButton(false);
        if (control)
            Robot::key(VK_CONTROL, false);
    });
}

void MouseScript::doubleClick(int list, Row row) {
    click(list, row);
    then(kPastDoubleClick, [=](HWND d) {
        Robot::moveMouse(onRow(GetDlgItem(d, list), row()));
        for (bool down : {true, false, true, false})
            Robot::leftButton(down);
    });
}

void MouseScript::drag(int from, Row row, int to, Row targetRow) {
    auto start = std::make_shared<POINT>();
    then(kPastDoubleClick, [=](HWND d) {
        *start = onRow(GetDlgItem(d, from), row());
        Robot::moveMouse(*start);
        Robot::leftButton(true);
    });
    for (int i = 1; i <= 4; ++i)
        then(40, [=](HWND d) {
            const POINT end = onRow(GetDlgItem(d, to), targetRow());
            Robot::moveMouse({start->x + (end.x - start->x) * i / 4, start->y + (end.y - start->y) * i / 4});
        });
    then(40, [this](HWND) {
        cursors.push_back(GetCursor());
        Robot::leftButton(false);
    });
}

Robot::Action MouseScript::action() {
    return [this](HWND d) {
        const DWORD now = GetTickCount();
        if (lastTick_ != 0)
            longestGapMs = std::max(longestGapMs, now - lastTick_);
        lastTick_ = now;
        if (GetDlgItem(d, kRemote) == nullptr || threadDialogs().size() != 1)
            return false;
        const Step& step = steps_[next_];
        const bool paused = static_cast<int>(now - last_) < step.pauseMs;
        if (step.ready ? paused && !step.ready() : paused)
            return false;
        steps_[next_++].act(d);
        last_ = GetTickCount();
        return next_ == steps_.size();
    };
}

} // namespace ftpdialog
