// Times programs from process start until their main window is mapped on the
// X server, and reads their peak resident memory at that moment.
//
//   startup_timer [--runs N] [--warmup N] [--timeout S]
//                 --program LABEL TITLE PATH [--program LABEL TITLE PATH ...]
//
// PATH may be followed by arguments, separated by spaces. Ratios and memory
// differences are given of the first program against each of the others.
// The programs run alternately, one at a time. The tool selects
// SubstructureNotify on the root window before each start, so the map is taken
// from the server's own events rather than by polling: a window is "mapped"
// when, on a MapNotify, the top-level window whose _NET_WM_NAME or WM_NAME is
// exactly TITLE is viewable (it and every ancestor, such as a window manager's
// frame, are mapped). Peak memory is the process's VmHWM read right then.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string label;
    std::string title;
    std::string path;
};

struct Sample {
    double ms = 0.0;
    long hwmKb = 0;     // VmHWM right after the map
    long maxrssKb = 0;  // ru_maxrss after the kill, for comparison
};

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

class X {
  public:
    X() {
        int screenNo = 0;
        c_ = xcb_connect(nullptr, &screenNo);
        if (xcb_connection_has_error(c_) != 0) {
            std::fprintf(stderr, "startup_timer: cannot connect to the X server (DISPLAY=%s)\n",
                         std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "");
            std::exit(2);
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int i = 0; i < screenNo; ++i) xcb_screen_next(&it);
        root_ = it.data->root;
        netWmName_ = internAtom(c_, "_NET_WM_NAME");
        utf8String_ = internAtom(c_, "UTF8_STRING");
        select(root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    }
    ~X() { xcb_disconnect(c_); }
    X(const X&) = delete;
    X& operator=(const X&) = delete;

    [[nodiscard]] xcb_connection_t* conn() const { return c_; }
    [[nodiscard]] xcb_window_t root() const { return root_; }

    void select(xcb_window_t w, std::uint32_t mask) {
        xcb_change_window_attributes(c_, w, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c_);
    }

    [[nodiscard]] bool titled(xcb_window_t w, const std::string& title) const {
        return property(w, netWmName_, utf8String_) == title ||
               property(w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
    }

    [[nodiscard]] bool viewable(xcb_window_t w) const {
        const Reply<xcb_get_window_attributes_reply_t> a(
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr));
        return a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    // Waits up to `ms` for the next event; nullptr on timeout.
    [[nodiscard]] Reply<xcb_generic_event_t> next(int ms) const {
        if (auto* e = xcb_poll_for_event(c_)) return Reply<xcb_generic_event_t>(e);
        pollfd pfd{xcb_get_file_descriptor(c_), POLLIN, 0};
        if (::poll(&pfd, 1, ms) <= 0) return nullptr;
        return Reply<xcb_generic_event_t>(xcb_poll_for_event(c_));
    }

    void drain(int quietMs) const {
        while (next(quietMs)) {
        }
    }

  private:
    [[nodiscard]] std::string property(xcb_window_t w, xcb_atom_t name, xcb_atom_t type) const {
        const Reply<xcb_get_property_reply_t> r(
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, name, type, 0, 1024), nullptr));
        if (!r || r->format != 8) return {};
        const auto* data = static_cast<const char*>(xcb_get_property_value(r.get()));
        return {data, static_cast<std::size_t>(xcb_get_property_value_length(r.get()))};
    }

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8String_ = XCB_ATOM_NONE;
};

long statusKb(pid_t pid, const char* key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::size_t n = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, n, key) == 0 && line.size() > n && line[n] == ':') {
            return std::strtol(line.c_str() + n + 1, nullptr, 10);
        }
    }
    return -1;
}

std::optional<Sample> runOnce(X& x, const Program& p, int timeoutMs) {
    x.drain(50);

    // PATH may carry arguments after spaces.
    std::vector<std::string> words;
    for (std::size_t at = 0; at < p.path.size();) {
        const std::size_t end = std::min(p.path.find(' ', at), p.path.size());
        if (end > at) words.push_back(p.path.substr(at, end - at));
        at = end + 1;
    }
    if (words.empty()) return std::nullopt;
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The program's own chatter would only disturb the table.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "startup_timer: cannot start %s: %s\n", p.path.c_str(),
                     std::strerror(rc));
        return std::nullopt;
    }

    // Top-level windows seen being created, their current parents (a window
    // manager reparents them into frames) and the windows already checked.
    std::set<xcb_window_t> created;
    std::map<xcb_window_t, xcb_window_t> parentOf;
    std::optional<xcb_window_t> target;
    std::optional<Clock::time_point> mapped;

    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    while (!mapped && Clock::now() < deadline) {
        const Reply<xcb_generic_event_t> e = x.next(100);
        if (!e) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::fprintf(stderr, "startup_timer: %s ended before mapping a window\n",
                             p.path.c_str());
                return std::nullopt;
            }
            continue;
        }
        const Clock::time_point at = Clock::now();
        switch (e->response_type & 0x7F) {
            case XCB_CREATE_NOTIFY: {
                const auto* ev = reinterpret_cast<const xcb_create_notify_event_t*>(e.get());
                if (ev->parent != x.root()) break;
                created.insert(ev->window);
                parentOf[ev->window] = x.root();
                // Its own map is reported here even after a reparenting.
                x.select(ev->window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                break;
            }
            case XCB_REPARENT_NOTIFY: {
                const auto* ev = reinterpret_cast<const xcb_reparent_notify_event_t*>(e.get());
                parentOf[ev->window] = ev->parent;
                break;
            }
            case XCB_MAP_NOTIFY: {
                const auto* ev = reinterpret_cast<const xcb_map_notify_event_t*>(e.get());
                if (!target) {
                    // The mapped window itself, or a frame holding one of ours.
                    std::vector<xcb_window_t> candidates;
                    if (created.count(ev->window) != 0) candidates.push_back(ev->window);
                    for (const auto& [w, parent] : parentOf) {
                        if (parent == ev->window && created.count(w) != 0) candidates.push_back(w);
                    }
                    for (const xcb_window_t w : candidates) {
                        if (x.titled(w, p.title)) {
                            target = w;
                            break;
                        }
                    }
                }
                if (target && x.viewable(*target)) mapped = at;
                break;
            }
            default:
                break;
        }
    }

    Sample s;
    if (mapped) {
        s.ms = std::chrono::duration<double, std::milli>(*mapped - start).count();
        s.hwmKb = statusKb(pid, "VmHWM");
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    s.maxrssKb = usage.ru_maxrss;
    // Lets the window manager forget the window before the next start.
    x.drain(100);
    if (!mapped) {
        std::fprintf(stderr, "startup_timer: no window titled \"%s\" mapped within %d ms\n",
                     p.title.c_str(), timeoutMs);
        return std::nullopt;
    }
    return s;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    const double pos = q * static_cast<double>(v.size() - 1);
    const auto lo = static_cast<std::size_t>(pos);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (pos - static_cast<double>(lo)) * (v[hi] - v[lo]);
}

struct Summary {
    double median, p25, p75, min, max;
};

Summary summarise(const std::vector<double>& v) {
    return {quantile(v, 0.5), quantile(v, 0.25), quantile(v, 0.75),
            *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end())};
}

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: startup_timer [--runs N] [--warmup N] [--timeout S]\n"
                 "                     --program LABEL TITLE PATH [--program ...]\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 20;
    int warmup = 2;
    int timeoutMs = 20000;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (a == "--warmup" && i + 1 < argc) {
            warmup = std::atoi(argv[++i]);
        } else if (a == "--timeout" && i + 1 < argc) {
            timeoutMs = std::atoi(argv[++i]) * 1000;
        } else if (a == "--program" && i + 3 < argc) {
            programs.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
            i += 3;
        } else {
            usage();
        }
    }
    if (programs.empty() || runs < 1 || warmup < 0) usage();

    X x;
    std::vector<std::vector<Sample>> samples(programs.size());
    std::printf("run");
    for (const Program& p : programs)
        std::printf("\t%s_ms\t%s_hwm_kb", p.label.c_str(), p.label.c_str());
    std::printf("\n");
    for (int r = -warmup; r < runs; ++r) {
        std::vector<Sample> row;
        for (const Program& p : programs) {
            const std::optional<Sample> s = runOnce(x, p, timeoutMs);
            if (!s) return 1;
            row.push_back(*s);
        }
        std::printf(r < 0 ? "warmup" : "%d", r + 1);
        for (const Sample& s : row) std::printf("\t%.2f\t%ld", s.ms, s.hwmKb);
        std::printf("\n");
        std::fflush(stdout);
        if (r < 0) continue;
        for (std::size_t i = 0; i < row.size(); ++i) samples[i].push_back(row[i]);
    }

    std::printf(
        "\nprogram\truns\tmedian_ms\tp25_ms\tp75_ms\tmin_ms\tmax_ms\thwm_median_mb"
        "\thwm_min_mb\thwm_max_mb\tmaxrss_median_mb\n");
    std::vector<Summary> times;
    std::vector<Summary> hwms;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::vector<double> ms;
        std::vector<double> hwm;
        std::vector<double> maxrss;
        for (const Sample& s : samples[i]) {
            ms.push_back(s.ms);
            hwm.push_back(static_cast<double>(s.hwmKb) / 1024.0);
            maxrss.push_back(static_cast<double>(s.maxrssKb) / 1024.0);
        }
        times.push_back(summarise(ms));
        hwms.push_back(summarise(hwm));
        const Summary& t = times.back();
        const Summary& h = hwms.back();
        std::printf("%s\t%zu\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\n",
                    programs[i].label.c_str(), ms.size(), t.median, t.p25, t.p75, t.min, t.max,
                    h.median, h.min, h.max, summarise(maxrss).median);
    }
    for (std::size_t i = 1; i < programs.size(); ++i) {
        std::printf("\n%s / %s: start-up ratio of medians %.3f, peak memory difference %+.2f MB\n",
                    programs[0].label.c_str(), programs[i].label.c_str(),
                    times[0].median / times[i].median, hwms[0].median - hwms[i].median);
    }
    return 0;
}
