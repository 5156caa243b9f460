// The FTP test servers, the service entry and the message box recorder.
#include "tests/win32/support/ftp_servers.h"

#include <cstdlib>

#include "tests/win32/support/robot.h"
#include "tests/win32/support/test_files.h"

namespace {

BoxRecorder* activeRecorder = nullptr;

std::string stateText(const char* state, const char* key) {
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("ftp", key, "", value, sizeof value, state);
    return value;
}

// A Unix path of the fixture as Windows sees it (drive Z:).
std::string windowsPath(std::string path) {
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path.empty() ? path : "Z:" + path;
}

// One request on the scripted server's control port; the answer up to a line ".".
std::vector<std::string> ask(int port, const std::string& request) {
    std::vector<std::string> lines;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string line = request + "\n";
        send(s, line.data(), static_cast<int>(line.size()), 0);
        std::string answer;
        char buffer[4096];
        int got;
        while ((got = recv(s, buffer, sizeof buffer, 0)) > 0)
            answer.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t at = 0, end; (end = answer.find('\n', at)) != std::string::npos; at = end + 1) {
            if (answer.compare(at, end - at, ".") == 0)
                break;
            lines.push_back(answer.substr(at, end - at));
        }
    }
    closesocket(s);
    return lines;
}

const char* iconName(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (icon == LoadIconA(nullptr, IDI_HAND))
            return "stop";
        if (icon == LoadIconA(nullptr, IDI_EXCLAMATION))
            return "exclamation";
    }
    return "other";
}

} // namespace

FtpServers FtpServers::load() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(0x0101, &data) == 0;
    }();
    FtpServers servers;
    const char* state = std::getenv("KORB_FTP_STATE");
    if (!started || state == nullptr)
        return servers;
    servers.vsftpdPort = std::atoi(stateText(state, "vsftpd_port").c_str());
    servers.scriptedPort = std::atoi(stateText(state, "scripted_port").c_str());
    servers.controlPort = std::atoi(stateText(state, "scripted_control_port").c_str());
    servers.tree = windowsPath(stateText(state, "tree"));
    servers.log = windowsPath(stateText(state, "log"));
    servers.localUser = stateText(state, "local_user");
    servers.localPassword = stateText(state, "local_password");
    return servers;
}

bool FtpServers::scenario(const char* name) const {
    const std::vector<std::string> answer = ask(controlPort, std::string("scenario ") + name);
    return answer.size() == 1 && answer[0] == "ok";
}

std::vector<std::string> FtpServers::transcript() const {
    return ask(controlPort, "transcript");
}

FtpServiceEntry::FtpServiceEntry(int port) {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    path_ = std::string(system) + "\\drivers\\etc\\services";
    original_ = readBytes(path_);
    std::string changed;
    for (std::size_t at = 0, end; at < original_.size(); at = end + 1) {
        end = original_.find('\n', at);
        if (end == std::string::npos)
            end = original_.size();
        const std::string line = original_.substr(at, end - at);
        const bool ftpLine = line.compare(0, 3, "ftp") == 0 && line.size() > 3 && (line[3] == ' ' || line[3] == '\t');
        if (!ftpLine)
            changed += line + "\n";
    }
    if (port != 0)
        changed += "ftp\t\t" + std::to_string(port) + "/tcp\n";
    writeBytes(path_, changed);
}

FtpServiceEntry::~FtpServiceEntry() {
    writeBytes(path_, original_);
}

BoxRecorder::BoxRecorder() {
    activeRecorder = this;
    timer_ = SetTimer(nullptr, 0, 20, &BoxRecorder::tick);
}

BoxRecorder::~BoxRecorder() {
    KillTimer(nullptr, timer_);
    activeRecorder = nullptr;
}

void CALLBACK BoxRecorder::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeRecorder == nullptr)
        return;
    std::set<HWND>& handled = activeRecorder->handled_;
    for (auto it = handled.begin(); it != handled.end();)
        it = IsWindow(*it) ? std::next(it) : handled.erase(it);
    for (HWND box : threadDialogs()) {
        if (GetDlgItem(box, 0xFFFF) == nullptr || !handled.insert(box).second)
            continue;
        activeRecorder->boxes.push_back(std::string(iconName(box)) + ": " + Robot::messageBoxText(box));
        activeRecorder->captions.push_back(Robot::text(box));
        Robot::click(box, IDOK);
    }
}

std::vector<std::string> vsftpdCommands(const std::string& log, std::size_t offset) {
    const std::string text = readBytes(log);
    std::vector<std::string> commands;
    const std::string marker = "FTP command: Client \"127.0.0.1\", \"";
    for (std::size_t at = text.find(marker, offset); at != std::string::npos; at = text.find(marker, at + 1)) {
        const std::size_t start = at + marker.size();
        const std::size_t end = text.find("\"\n", start);
        if (end == std::string::npos)
            break;
        commands.push_back(text.substr(start, end - start));
    }
    return commands;
}
