// The test robot's timer: each tick looks for the window the first queued
// step waits for and acts on it; a window that never comes is a failure, and
// the robot then closes what is open so the test does not hang.
#include "tests/win32/support/robot.h"

#include <utility>

namespace {

Robot* activeRobot = nullptr;
constexpr UINT kTickMs = 30;

BOOL CALLBACK collectDialog(HWND window, LPARAM param) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> threadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

Robot::Robot(int timeoutMs) : timeoutMs_(timeoutMs) {
    activeRobot = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, &Robot::tick);
    waitingSince_ = GetTickCount();
}

Robot::~Robot() {
    KillTimer(nullptr, timer_);
    if (activeRobot == this)
        activeRobot = nullptr;
}

void Robot::onDialog(const char* caption, Action action) {
    if (steps_.empty())
        waitingSince_ = GetTickCount();
    steps_.push_back({caption ? caption : "", caption == nullptr, std::move(action)});
}

void Robot::onMessageBox(std::function<void(HWND, const std::string&, const std::string&)> action) {
    onDialog(nullptr, [action = std::move(action)](HWND box) {
        // A message box has its text in the static control 0xFFFF.
        if (GetDlgItem(box, 0xFFFF) == nullptr)
            return false;
        action(box, messageBoxText(box), text(box));
        return true;
    });
}

void CALLBACK Robot::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeRobot != nullptr)
        activeRobot->run();
}

void Robot::run() {
    if (running_ || steps_.empty())
        return;
    running_ = true; // an action may open a modal loop of its own
    for (HWND dialog : threadDialogs()) {
        Step& step = steps_.front();
        if (!step.anyCaption && text(dialog) != step.caption)
            continue;
        Action action = step.action;
        if (action(dialog)) {
            steps_.erase(steps_.begin());
            waitingSince_ = GetTickCount();
        }
        break;
    }
    if (!steps_.empty() && static_cast<int>(GetTickCount() - waitingSince_) > timeoutMs_) {
        failures_.push_back("no window came for the step waiting for '" + steps_.front().caption + "'");
        steps_.clear();
        for (HWND dialog : threadDialogs())
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    running_ = false;
}

std::string Robot::text(HWND window) {
    char buffer[4096] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string Robot::itemText(HWND dialog, int id) {
    char buffer[4096] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::string Robot::messageBoxText(HWND box) {
    return itemText(box, 0xFFFF);
}

void Robot::setItemText(HWND dialog, int id, const char* value) {
    SetDlgItemTextA(dialog, id, value);
}

void Robot::click(HWND dialog, int id) {
    // Posted, so that a dialog the click opens runs its loop outside this tick.
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Robot::setChecked(HWND dialog, int id, bool checked) {
    if (isChecked(dialog, id) != checked)
        SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Robot::isChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

namespace {

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

} // namespace

void Robot::moveMouse(POINT screen) {
    // Absolute moves are in 0..65535 over the primary screen; the +1 keeps the
    // rounding on the wanted pixel.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
}

void Robot::leftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    send(input);
}

void Robot::key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    send(input);
}

POINT Robot::onScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}
