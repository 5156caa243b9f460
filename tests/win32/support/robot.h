// The test robot: acts on dialogs and message boxes of the test's own
// process from inside their modal loops, through a thread timer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Robot {
public:
    // Acts on a top-level window of this thread; return false to be called
    // again at the next tick (the window is not ready yet).
    using Action = std::function<bool(HWND)>;

    explicit Robot(int timeoutMs = 10000);
    ~Robot();
    Robot(const Robot&) = delete;
    Robot& operator=(const Robot&) = delete;

    // Queues an action for the next visible dialog ("#32770") of this thread
    // whose caption is `caption` (nullptr: any caption).
    void onDialog(const char* caption, Action action);
    // Queues an action for the next message box; text and caption are read first.
    void onMessageBox(std::function<void(HWND box, const std::string& text, const std::string& caption)> action);

    bool done() const { return steps_.empty(); }
    // Failures the robot met (a window that never came); empty when all went well.
    const std::vector<std::string>& failures() const { return failures_; }

    // Reading and acting on controls.
    static std::string text(HWND window);
    static std::string itemText(HWND dialog, int id);
    static std::string messageBoxText(HWND box);
    static void setItemText(HWND dialog, int id, const char* text);
    static void click(HWND dialog, int id);
    static void setChecked(HWND dialog, int id, bool checked);
    static bool isChecked(HWND dialog, int id);

    // Real input, as a user gives it (SendInput): focus, capture and
    // WindowFromPoint behave as for a user. Screen coordinates.
    static void moveMouse(POINT screen);
    static void leftButton(bool down);
    static void key(WORD virtualKey, bool down);
    // A point in a window's client area, in screen coordinates.
    static POINT onScreen(HWND window, int x, int y);

private:
    struct Step {
        std::string caption;
        bool anyCaption;
        Action action;
    };

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void run();

    std::vector<Step> steps_;
    std::vector<std::string> failures_;
    UINT_PTR timer_ = 0;
    DWORD waitingSince_ = 0;
    int timeoutMs_;
    bool running_ = false;
};

// Top-level dialogs (class "#32770") shown by this thread.
std::vector<HWND> threadDialogs();
