// Start-up benchmark: the time from starting the process to its first window shown and
// painted, for Kiv_2000 (the start screen) beside a minimal Qt Widgets program showing one
// full-screen window, launched in turn in the same run. A third program, the minimal one with
// one line of text, shows how much of the difference any text on the screen costs.
//
//   kiv_bench_startup [--runs N] [--warmup N] [--kiv PATH]
//
// Runs on the display of the environment; without one it uses the offscreen platform.
// Goal: Kiv_2000 within 1.3 times the minimal program.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Milliseconds from the start of the process to: libraries loaded, application object
// built, first paint.
struct Phases {
    double loaded = -1, application = -1, painted = -1;
};

// One start of a program; painted is negative when it reported no first paint.
Phases startOnce(const std::string& program, const std::vector<std::string>& env)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> envp;
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const long long started = monotonicNs();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(rc));
        return {};
    }
    std::string text;
    char buf[256];
    pollfd pfd{out[0], POLLIN, 0};
    const long long deadline = started + 30'000'000'000LL;
    while (text.find('\n') == std::string::npos) {
        const long long left = (deadline - monotonicNs()) / 1'000'000;
        if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0)
            break;
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0)
            break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    close(out[0]);
    kill(pid, SIGKILL); // nothing happens when it has already ended
    int status = 0;
    waitpid(pid, &status, 0);
    long long painted = 0, loaded = 0, application = 0;
    if (std::sscanf(text.c_str(), "first-paint %lld loaded %lld application %lld", &painted, &loaded, &application) != 3)
        return {};
    Phases p;
    p.loaded = static_cast<double>(loaded - started) / 1e6;
    p.application = static_cast<double>(application - started) / 1e6;
    p.painted = static_cast<double>(painted - started) / 1e6;
    return p;
}

// A start that fails before painting (a display refusing the connection under load) is tried
// again, up to three times.
Phases start(const std::string& program, const std::vector<std::string>& env, int& retries)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Phases p = startOnce(program, env);
        if (p.painted >= 0)
            return p;
        ++retries;
    }
    std::fprintf(stderr, "%s reported no first paint\n", program.c_str());
    return {};
}

struct Figures {
    double median = 0, min = 0, max = 0;
};

Figures figures(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    Figures f;
    f.min = v.front();
    f.max = v.back();
    const std::size_t n = v.size();
    f.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return f;
}

std::string siblingOf(const char* self, const std::string& name)
{
    std::string dir = self;
    const std::size_t slash = dir.rfind('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/" + name;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 20;
    int warmup = 2;
    std::string kiv = KIV_BENCH_PROGRAM;
    const std::string probe = KIV_BENCH_PROBE;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--warmup" && i + 1 < argc)
            warmup = std::max(0, std::atoi(argv[++i]));
        else if (a == "--kiv" && i + 1 < argc)
            kiv = argv[++i];
        else {
            std::printf("usage: %s [--runs N] [--warmup N] [--kiv PATH]\n", argv[0]);
            return a == "--help" || a == "-h" ? 0 : 2;
        }
    }
    const std::string programs[] = {kiv, siblingOf(argv[0], "kiv_bench_minimal_window"),
                                    siblingOf(argv[0], "kiv_bench_minimal_text")};
    const char* names[] = {"Kiv_2000 start screen", "minimal full-screen window", "minimal window, one text"};

    std::vector<std::string> env;
    bool platformSet = false;
    bool display = false;
    for (char** e = environ; *e; ++e) {
        const std::string s = *e;
        if (s.rfind("LD_PRELOAD=", 0) == 0)
            continue;
        platformSet |= s.rfind("QT_QPA_PLATFORM=", 0) == 0;
        display |= s.rfind("DISPLAY=", 0) == 0 || s.rfind("WAYLAND_DISPLAY=", 0) == 0;
        env.push_back(s);
    }
    if (!platformSet && !display)
        env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("LD_PRELOAD=" + probe);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("platform: %s\n", platform ? platform : display ? "the display's (xcb or wayland)" : "offscreen");

    int retries = 0;
    for (int i = 0; i < warmup; ++i)
        for (const std::string& p : programs)
            if (start(p, env, retries).painted < 0)
                return 1;

    std::vector<double> times[3], loaded[3], application[3], toBlank, toText;
    for (int i = 0; i < runs; ++i) {
        // The order turns each round, so that no program always follows the same one.
        Phases t[3];
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            t[which] = start(programs[which], env, retries);
            if (t[which].painted < 0)
                return 1;
        }
        for (int k = 0; k < 3; ++k) {
            times[k].push_back(t[k].painted);
            loaded[k].push_back(t[k].loaded);
            application[k].push_back(t[k].application - t[k].loaded);
        }
        toBlank.push_back(t[0].painted / t[1].painted);
        toText.push_back(t[0].painted / t[2].painted);
    }
    std::printf("runs: %d of each (after %d warm-up rounds; %d failed starts tried again)\n", runs, warmup, retries);
    for (int k = 0; k < 3; ++k) {
        const Figures f = figures(times[k]);
        std::printf("%-30s median %8.1f ms   min %8.1f   max %8.1f\n", names[k], f.median, f.min, f.max);
    }
    std::printf("phases (medians, ms)            libraries loaded   application built   to first paint\n");
    for (int k = 0; k < 3; ++k) {
        const double l = figures(loaded[k]).median, a = figures(application[k]).median, p = figures(times[k]).median;
        std::printf("%-30s %18.1f %19.1f %16.1f\n", names[k], l, a, p - l - a);
    }
    const Figures rb = figures(toBlank), rt = figures(toText);
    std::printf("%-30s median %8.2f      min %8.2f   max %8.2f\n", "Kiv_2000 / minimal window", rb.median, rb.min, rb.max);
    std::printf("%-30s median %8.2f      min %8.2f   max %8.2f\n", "Kiv_2000 / window with text", rt.median, rt.min, rt.max);
    std::printf("goal: Kiv_2000 within 1.30 times the minimal window -> %s\n", rb.median <= 1.30 ? "met" : "not met");
    return 0;
}
