// Drives the real game in a window of its own: Xvfb and the program started by process id,
// xdotool for the window, keys and clicks, import for screenshots.
#include "support/xdotooldriver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "support/testsupport.h"

namespace testsupport {

namespace {

constexpr int theStepTenths = 300;  // every wait: 30 s in steps of 0.1 s

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Starts arguments[0] (searched on the path) with the environment and the file actions;
// its process id, or -1.
pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const posix_spawn_file_actions_t& actions) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

// The environment of this process without the variables named.
std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& names) {
    std::vector<std::string> kept;
    for (char** variable = environ; *variable; ++variable) {
        const std::string text = *variable;
        bool named = false;
        for (const std::string& name : names) named = named || text.rfind(name + "=", 0) == 0;
        if (!named) kept.push_back(text);
    }
    return kept;
}

// Whether the process pid has ended (its exit code in code, -1 for a signal); waits up to
// tenths * 0.1 s.
bool Reaped(pid_t pid, int tenths, int& code) {
    for (int step = 0; step <= tenths; ++step) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        if (step < tenths) Pause();
    }
    return false;
}

// Ends pid: asked first, forced after 5 s.
void End(pid_t& pid) {
    if (pid <= 0) return;
    int code = 0;
    kill(pid, SIGTERM);
    if (!Reaped(pid, 50, code)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

}  // namespace

CXdotoolDriver::~CXdotoolDriver() { Stop(); }

std::string CXdotoolDriver::Missing() {
    std::string missing;
    for (const char* tool : {"Xvfb", "xdotool"}) {
        if (!HasProgram(tool)) missing += std::string(missing.empty() ? "" : " ") + tool;
    }
    return missing;
}

bool CXdotoolDriver::Start(const std::string& program) {
    // Xvfb picks a free display and writes its number to the pipe once it accepts clients.
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return Fail("no pipe for Xvfb");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "xvfb.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    myServer = Spawn({"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                      "tcp"},
                     EnvironmentWithout({}), actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string number;
    pollfd ready{pipeEnds[0], POLLIN, 0};
    char digit = 0;
    while (myServer > 0 && poll(&ready, 1, 30000) == 1 && read(pipeEnds[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    close(pipeEnds[0]);
    if (number.empty()) return Fail("Xvfb did not start: " + ReadFile("xvfb.txt"));
    myDisplay = ":" + number;

    // The program draws on that display; Xlib keeps a few strings it never frees, which only
    // the sanitizer build notices.
    WriteFile("lsan.supp", "leak:libX11.so\n");
    std::vector<std::string> environment =
        EnvironmentWithout({"DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER", "LSAN_OPTIONS"});
    const char* lsan = std::getenv("LSAN_OPTIONS");
    environment.push_back("LSAN_OPTIONS=suppressions=" + std::filesystem::current_path().string() + "/lsan.supp" +
                          (lsan && *lsan ? std::string(":") + lsan : std::string()));
    environment.push_back("DISPLAY=" + myDisplay);
    environment.push_back("SDL_AUDIODRIVER=dummy");
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    myProgram = Spawn({program}, environment, actions);
    posix_spawn_file_actions_destroy(&actions);
    if (myProgram <= 0) return Fail("could not start " + program);

    std::string windows;
    if (!Xdotool("search --sync --onlyvisible --name Marbles", &windows)) return Fail("no window: " + myError);
    myWindow = windows.substr(0, windows.find('\n'));
    return !myWindow.empty() || Fail("no window named Marbles");
}

bool CXdotoolDriver::WaitForLog(const std::string& text, int count) {
    for (int step = 0; step < theStepTenths; ++step) {
        if (CountOf(ReadFile("log.txt"), text) >= count) return true;
        Pause();
    }
    return Fail("no '" + text + "' in the log (" + std::to_string(count) + " times)");
}

bool CXdotoolDriver::Key(const std::string& key) { return Xdotool("windowfocus --sync " + myWindow + " key " + key); }

bool CXdotoolDriver::MoveMouse(int x, int y) {
    return Xdotool("mousemove --window " + myWindow + " " + std::to_string(x) + " " + std::to_string(y));
}

bool CXdotoolDriver::Click(int x, int y) {
    return Xdotool("mousemove --window " + myWindow + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
}

bool CXdotoolDriver::Screenshot(const std::string& name) {
    if (!HasProgram("import")) return true;
    std::filesystem::create_directories("shots");
    return RunCommand("DISPLAY=" + myDisplay + " timeout 30 import -window root shots/" + name + ".png").status == 0 ||
           Fail("no screenshot " + name);
}

int CXdotoolDriver::WaitForExit(int timeoutSeconds) {
    if (myProgram <= 0) return -1;
    int code = -1;
    if (!Reaped(myProgram, timeoutSeconds * 10, code)) {
        Fail("the program did not end within " + std::to_string(timeoutSeconds) + " s");
        return -1;
    }
    myProgram = -1;
    return code;
}

void CXdotoolDriver::Stop() {
    End(myProgram);
    End(myServer);
}

bool CXdotoolDriver::Fail(const std::string& why) {
    myError = why;
    return false;
}

bool CXdotoolDriver::Xdotool(const std::string& arguments, std::string* output) {
    const CCommandResult result =
        RunCommand("DISPLAY=" + myDisplay + " timeout 30 xdotool " + arguments + " 2>> xdotool.txt");
    if (output) *output = result.output;
    return result.status == 0 || Fail("xdotool " + arguments + " ended with " + std::to_string(result.status) + ": " +
                                      ReadFile("xdotool.txt"));
}

}  // namespace testsupport
