// zdriver: starts the clock, pokes it and reports what it sees as key=value lines, for scripts
// and for people looking at the program under Wine.

#include "e2e/zentrava_driver_win.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zentrava::e2e;

constexpr const char* kUsage =
    "usage:\n"
    "  zdriver launch <exe> [--copy] [--name BASE] [--ini FILE] [--timeout MS]\n"
    "                [--args \"ARGUMENTS\"] [steps...]\n"
    "  zdriver screenshot <bmp>\n"
    "\n"
    "launch runs the exe where it is (its settings are the user's own) unless --copy or --ini\n"
    "is given; then it runs a copy named BASE.exe in a fresh temporary folder, with FILE as its\n"
    "settings, and closes it and removes the folder at the end.\n"
    "Steps run in the order given:\n"
    "  --wait-window            wait for the clock window (steps that need it wait anyway)\n"
    "  --sleep S                wait S seconds (fractions allowed)\n"
    "  --command ID [LPARAM]    send WM_COMMAND\n"
    "  --state                  print the window's position, size, visibility and styles\n"
    "  --screenshot BMP         save the whole screen\n"
    "  --window-shot BMP        save the screen area of the clock window\n"
    "  --messageboxes           print the program's message boxes\n"
    "  --dismiss                press the first button of each message box\n"
    "  --ini-text | --log       print the settings file / the test build's event log\n"
    "  --load-clocks \"YYYY-MM-DD HH:MM:SS.mmm\"   (test build) load the clocks\n"
    "  --read-clocks            (test build) print the clock records\n"
    "  --back-buffer BMP        (test build) save the back buffer\n"
    "  --right-click            right-click the middle of the clock (opens its menu)\n"
    "  --cancel-menu            close an open menu\n"
    "  --close                  WM_CLOSE, wait, print the exit code\n";

void Print(const std::string& key, const std::string& value) {
    std::printf("%s=%s\n", key.c_str(), value.c_str());
    std::fflush(stdout);
}

std::string Hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

void PrintState(const WindowState& s) {
    Print("window.exists", s.exists ? "1" : "0");
    if (!s.exists) {
        return;
    }
    Print("window.x", std::to_string(s.rect.left));
    Print("window.y", std::to_string(s.rect.top));
    Print("window.width", std::to_string(s.width()));
    Print("window.height", std::to_string(s.height()));
    Print("window.visible", s.visible ? "1" : "0");
    Print("window.iconic", s.iconic ? "1" : "0");
    Print("window.maximized", s.zoomed ? "1" : "0");
    Print("window.show_cmd", std::to_string(s.showCmd));
    Print("window.normal_rect", RectText(s.normalRect));
    Print("window.style", Hex(static_cast<unsigned long long>(s.style)));
    Print("window.exstyle", Hex(static_cast<unsigned long long>(s.exStyle)));
    Print("window.topmost", s.topmost ? "1" : "0");
    Print("window.taskbar", (s.exStyle & WS_EX_APPWINDOW) != 0 ? "1" : "0");
    Print("window.caption", s.caption);
    Print("owner.class", s.ownerClass);
    Print("owner.visible", s.ownerVisible ? "1" : "0");
    Print("owner.exstyle", Hex(static_cast<unsigned long long>(s.ownerExStyle)));
    const char* region = s.regionType == SIMPLEREGION    ? "simple"
                         : s.regionType == COMPLEXREGION ? "complex"
                         : s.regionType == NULLREGION    ? "null"
                                                         : "none";
    Print("region", region);
    if (s.regionType != ERROR) {
        Print("region.box", RectText(s.regionBox));
    }
    Print("layered", (s.exStyle & WS_EX_LAYERED) != 0 ? "1" : "0");
    if (s.layered.ok) {
        Print("layered.flags", Hex(s.layered.flags));
        Print("layered.alpha", std::to_string(s.layered.alpha));
        Print("layered.key", Hex(s.layered.key));
    }
}

void PrintClose(const CloseResult& r) {
    Print("closed", r.terminated ? "terminated" : r.exited ? "exited" : "no");
    if (r.exited || r.terminated) {
        Print("exit_code", std::to_string(r.exitCode));
    }
    if (!r.error.empty()) {
        Print("close.error", r.error);
    }
}

// Prints a multi-line text as numbered key=value lines, one per line of text.
void PrintLines(const std::string& key, const std::string& text) {
    std::size_t start = 0;
    int n = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Print(key + "." + std::to_string(n++), line);
        start = end + 1;
    }
    Print(key + ".lines", std::to_string(n));
}

struct Step {
    std::string name;
    std::vector<std::string> args;
};

bool IsOption(const std::string& arg) {
    return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

class Launcher {
public:
    int Run(const std::vector<std::string>& args) {
        if (args.empty()) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const std::string exe = args[0];
        std::string name;
        std::string ini;
        std::string arguments;
        bool copy = false;
        std::vector<Step> steps;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            const auto value = [&]() -> std::optional<std::string> {
                if (i + 1 >= args.size()) {
                    return std::nullopt;
                }
                return args[++i];
            };
            if (a == "--copy") {
                copy = true;
            } else if (a == "--name" || a == "--ini" || a == "--timeout" || a == "--args") {
                const std::optional<std::string> v = value();
                if (!v) {
                    return Usage(a + " needs a value");
                }
                if (a == "--name") {
                    name = *v;
                    copy = true;
                } else if (a == "--ini") {
                    ini = *v;
                    copy = true;
                } else if (a == "--args") {
                    arguments = *v;
                } else {
                    timeoutMs_ = static_cast<DWORD>(std::strtoul(v->c_str(), nullptr, 10));
                }
            } else if (a == "--wait-window" || a == "--state" || a == "--messageboxes" ||
                       a == "--dismiss" || a == "--ini-text" || a == "--log" ||
                       a == "--read-clocks" || a == "--close" || a == "--right-click" ||
                       a == "--cancel-menu") {
                steps.push_back({a, {}});
            } else if (a == "--sleep" || a == "--screenshot" || a == "--window-shot" ||
                       a == "--back-buffer" || a == "--load-clocks") {
                const std::optional<std::string> v = value();
                if (!v) {
                    return Usage(a + " needs a value");
                }
                steps.push_back({a, {*v}});
            } else if (a == "--command") {
                const std::optional<std::string> id = value();
                if (!id) {
                    return Usage("--command needs an id");
                }
                Step step{a, {*id}};
                if (i + 1 < args.size() && !IsOption(args[i + 1])) {
                    step.args.push_back(args[++i]);
                }
                steps.push_back(step);
            } else {
                return Usage("unknown option " + a);
            }
        }

        if (copy) {
            if (name.empty()) {
                name = "Zentrava";
            }
            if (!session_.Stage(exe, name)) {
                return Fail("stage", session_.lastError());
            }
            if (!ini.empty()) {
                const std::optional<std::string> bytes = ReadWholeFile(ini);
                if (!bytes || !session_.WriteIni(*bytes)) {
                    return Fail("ini", "cannot copy " + ini);
                }
            }
        } else {
            session_.UseInPlace(exe);
        }
        Print("exe", session_.exePath());
        Print("ini", session_.IniPath());
        if (!session_.Launch(arguments)) {
            return Fail("launch", session_.lastError());
        }
        Print("pid", std::to_string(session_.process().id()));

        bool ok = true;
        for (const Step& step : steps) {
            if (!RunStep(step)) {
                ok = false;
                break;
            }
        }
        if (session_.process().Running()) {
            if (copy) {
                // The temporary folder goes away with the session; the program must not outlive it.
                const CloseResult r = session_.Close(timeoutMs_);
                PrintClose(r);
                ok = ok && r.Clean();
            } else {
                Print("running", "1");
                session_.Detach();
            }
        }
        return ok ? 0 : 1;
    }

private:
    static int Usage(const std::string& message) {
        std::fprintf(stderr, "zdriver: %s\n%s", message.c_str(), kUsage);
        return 2;
    }

    static int Fail(const std::string& step, const std::string& message) {
        Print("error." + step, message);
        return 1;
    }

    bool NeedWindow() {
        if (session_.mainWindow() != nullptr && IsWindow(session_.mainWindow())) {
            return true;
        }
        const ULONGLONG start = GetTickCount64();
        if (session_.WaitForMainWindow(timeoutMs_) == nullptr) {
            Print("error.window", session_.lastError());
            return false;
        }
        Print("window", Hex(reinterpret_cast<ULONG_PTR>(session_.mainWindow())));
        Print("window.after_ms", std::to_string(GetTickCount64() - start));
        return true;
    }

    bool RunStep(const Step& step) {
        const std::string& s = step.name;
        if (s == "--wait-window") {
            return NeedWindow();
        }
        if (s == "--right-click" || s == "--cancel-menu") {
            if (!NeedWindow()) {
                return false;
            }
            // Posted: the menu's own loop runs inside the handler and would block a send.
            if (s == "--cancel-menu") {
                return session_.Post(WM_CANCELMODE, 0, 0);
            }
            const WindowState w = session_.MainState();
            const int x = (w.rect.left + w.rect.right) / 2;
            const int y = (w.rect.top + w.rect.bottom) / 2;
            return session_.Post(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(x, y));
        }
        if (s == "--sleep") {
            const double seconds = std::atof(step.args[0].c_str());
            Sleep(seconds > 0 ? static_cast<DWORD>(seconds * 1000.0) : 0);
            return true;
        }
        if (s == "--screenshot") {
            const bool saved = SaveScreenBmp(step.args[0]);
            Print("screenshot", saved ? step.args[0] : "failed");
            return saved;
        }
        if (s == "--messageboxes" || s == "--dismiss") {
            const std::vector<MessageBoxInfo> boxes = session_.MessageBoxes();
            Print("messageboxes", std::to_string(boxes.size()));
            bool ok = true;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const std::string key = "messagebox." + std::to_string(i);
                Print(key + ".caption", boxes[i].caption);
                PrintLines(key + ".text", boxes[i].text);
                if (s == "--dismiss") {
                    const bool gone = session_.DismissMessageBox(boxes[i].hwnd);
                    Print(key + ".dismissed", gone ? "1" : "0");
                    ok = ok && gone;
                }
            }
            return ok;
        }
        if (s == "--ini-text" || s == "--log") {
            const std::optional<std::string> text =
                s == "--log" ? session_.EventLogText() : session_.IniText();
            const std::string key = s == "--log" ? "log" : "ini_text";
            if (!text) {
                Print(key, "missing");
                return false;
            }
            PrintLines(key, *text);
            return true;
        }
        if (s == "--close") {
            if (!session_.process().Running()) {
                const std::optional<DWORD> code = session_.WaitForExit(0);
                Print("closed", "already");
                Print("exit_code", code ? std::to_string(*code) : "unknown");
                return false;
            }
            if (!NeedWindow()) {
                return false;
            }
            const ULONGLONG start = GetTickCount64();
            const CloseResult r = session_.Close(timeoutMs_);
            PrintClose(r);
            Print("close.after_ms", std::to_string(GetTickCount64() - start));
            return r.Clean();
        }
        if (!NeedWindow()) {
            return false;
        }
        if (s == "--state") {
            PrintState(session_.MainState());
            return true;
        }
        if (s == "--command") {
            const int id = std::atoi(step.args[0].c_str());
            const LPARAM lParam =
                step.args.size() > 1 ? static_cast<LPARAM>(std::atoll(step.args[1].c_str())) : 0;
            const std::optional<LRESULT> result = session_.Command(id, lParam);
            Print("command." + step.args[0],
                  result ? std::to_string(*result) : "failed: " + session_.lastError());
            return result.has_value() || !session_.process().Running();
        }
        if (s == "--window-shot") {
            const bool saved = session_.ScreenshotWindow(step.args[0]);
            Print("window_shot", saved ? step.args[0] : "failed");
            return saved;
        }
        if (s == "--load-clocks") {
            const std::optional<SYSTEMTIME> t = ParseLogTime(step.args[0]);
            if (!t) {
                Print("error.load_clocks", "bad time " + step.args[0]);
                return false;
            }
            const bool loaded = session_.LoadClocks(*t);
            Print("load_clocks", loaded ? FormatLogTime(*t) : "refused");
            return loaded;
        }
        if (s == "--read-clocks") {
            const std::optional<std::string> text = session_.ReadClocks();
            if (!text) {
                Print("error.read_clocks", session_.lastError());
                return false;
            }
            PrintLines("clocks", *text);
            return true;
        }
        if (s == "--back-buffer") {
            const bool saved = session_.SaveBackBuffer(step.args[0]);
            Print("back_buffer", saved ? step.args[0] : "refused");
            return saved;
        }
        return false;
    }

    ZentravaSession session_;
    DWORD timeoutMs_ = kDefaultTimeoutMs;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "help" || args[0] == "--help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "launch") {
        Launcher launcher;
        return launcher.Run(args);
    }
    if (command == "screenshot" && args.size() == 1) {
        const bool saved = SaveScreenBmp(args[0]);
        Print("screenshot", saved ? args[0] : "failed");
        return saved ? 0 : 1;
    }
    std::fprintf(stderr, "zdriver: unknown command %s\n%s", command.c_str(), kUsage);
    return 2;
}
