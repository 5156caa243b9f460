// Driving the FTP command's dialogs with real mouse input: the login dialog,
// a mouse script run inside the FTP dialog, and what its two trees show.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/support/robot.h"

namespace ftpdialog {

constexpr int kRemote = 265;
constexpr int kLocal = 267;
constexpr int kPastDoubleClick = 700; // ms: the next press is a press of its own

// Each row as kind and level: "d0" a top-level directory, "f1" a file below it.
std::string rows(HWND list);
// A point on a row (or, for the row count, below the last one), on the screen.
POINT onRow(HWND list, int index);
// The order the local tree shows a directory in: the file system's, without dot names.
std::vector<std::string> localOrder(const std::string& directory);
int indexIn(const std::vector<std::string>& names, const std::string& name);

// Fills the login dialog for 127.0.0.1; seen gets what the fields held when
// it opened, and their limit.
Robot::Action logIn(std::string user, std::string password, std::string& seen);

// A mouse script run inside the FTP dialog, one step per robot tick once its
// pause has passed, and only while no other window of the thread (a message
// box, the copy dialog) is up.
class MouseScript {
public:
    using Act = std::function<void(HWND dialog)>;
    using Row = std::function<int()>;

    void then(int pauseMs, Act act) { steps_.push_back({pauseMs, std::move(act), nullptr}); }
    // Goes on once ready() holds (an operation has ended), or after limitMs
    // in any case, so that a fault ends in failed checks rather than a hang.
    void waitFor(std::function<bool()> ready, int limitMs = 40000) {
        steps_.push_back({limitMs, [](HWND) {}, std::move(ready)});
    }
    void click(int list, Row row, bool control = false);
    void doubleClick(int list, Row row);
    // Press on a selected row, move over in steps, release over the target.
    void drag(int from, Row row, int to, Row targetRow);

    Robot::Action action();

    std::vector<HCURSOR> cursors; // shown just before each drop
    // The longest time between two robot ticks: how long the thread did not
    // dispatch its messages.
    DWORD longestGapMs = 0;

private:
    struct Step {
        int pauseMs; // with ready: the longest wait for it
        Act act;
        std::function<bool()> ready;
    };
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    DWORD last_ = 0;
    DWORD lastTick_ = 0;
};

} // namespace ftpdialog
