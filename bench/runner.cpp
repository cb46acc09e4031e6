// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the bench programs and prints one table. Start-up programs run alternately, round after
// round, so that the noise of a shared machine falls on all of them alike; each figure is the
// median of its runs. The launch time is taken here, just before the program is spawned, on the
// clock the program reports its own times on.
#include "drillsurface.h"
#include "probe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace
{

using Values = std::map<std::string, double>;

struct Options {
    int runs = 25;
    bool quick = false;
    bool pace = true;
    bool startup = true;
    bool verbose = false;
};

std::string g_binDir;

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, std::size_t(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return text;
}

// Runs one bench program; its "key value" lines become values, plus launch_ns. Nothing on
// failure, after showing what the program wrote to stderr.
std::optional<Values> run(const std::string &program, const std::vector<std::string> &args)
{
    const std::string path = g_binDir + "/" + program;
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(path.c_str()));
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    char errPath[] = "/tmp/tavrin-bench-XXXXXX";
    const int err = mkstemp(errPath);
    unlink(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    pid_t pid = 0;
    const qint64 launchNs = bench::monotonicNs();
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(spawned));
        close(out[0]);
        close(err);
        return std::nullopt;
    }
    const std::string text = readAll(out[0]);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        lseek(err, 0, SEEK_SET);
        std::fprintf(stderr, "%s failed (status %d):\n%s", program.c_str(), status,
                     readAll(err).c_str());
        close(err);
        return std::nullopt;
    }
    close(err);

    Values values;
    values["launch_ns"] = double(launchNs);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t space = line.find(' ');
        if (space == std::string::npos || line.compare(0, 5, "item ") == 0)
            continue;
        values[line.substr(0, space)] = std::atof(line.c_str() + space + 1);
    }
    return values;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds between two reported times, per run.
std::vector<double> spans(const std::vector<Values> &runs, const char *from, const char *to)
{
    std::vector<double> result;
    for (const Values &v : runs) {
        if (v.count(from) && v.count(to) && v.at(from) > 0 && v.at(to) > 0)
            result.push_back((v.at(to) - v.at(from)) / 1e6);
    }
    return result;
}

std::vector<double> field(const std::vector<Values> &runs, const char *key)
{
    std::vector<double> result;
    for (const Values &v : runs) {
        if (v.count(key))
            result.push_back(v.at(key));
    }
    return result;
}

// ---- The table ----

struct Row {
    std::string figure;
    std::string tavrin;
    std::string anchor;
    std::string ratio;
    std::string target;
    std::string met;
};

std::vector<Row> g_rows;

std::string format(const char *pattern, double value)
{
    if (std::isnan(value))
        return "n/a";
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void section(const std::string &title)
{
    g_rows.push_back({title, "", "", "", "", ""});
}

void row(const std::string &figure, const std::string &tavrin, const std::string &anchor = "-",
         const std::string &ratio = "-", const std::string &target = "-",
         const std::string &met = "-")
{
    g_rows.push_back({"  " + figure, tavrin, anchor, ratio, target, met});
}

std::string yesNo(bool met)
{
    return met ? "yes" : "NO";
}

// A time against the empty window's: value, anchor and their ratio.
void timeRow(const std::string &figure, double tavrin, double anchor,
             const std::string &target = "-", const std::string &met = "-")
{
    row(figure, format("%.1f ms", tavrin), std::isnan(anchor) ? "-" : format("%.1f ms", anchor),
        std::isnan(anchor) ? "-" : format("%.2f", tavrin / anchor), target, met);
}

void printTable()
{
    const char *headers[] = {"Figure", "Tavrin", "Anchor", "Ratio", "Target", "Met"};
    std::size_t widths[6];
    for (int c = 0; c < 6; ++c)
        widths[c] = std::strlen(headers[c]);
    const auto cells = [](const Row &r) {
        return std::vector<std::string>{r.figure, r.tavrin, r.anchor, r.ratio, r.target, r.met};
    };
    for (const Row &r : g_rows) {
        if (r.tavrin.empty())
            continue;
        const auto c = cells(r);
        for (int i = 0; i < 6; ++i)
            widths[i] = std::max(widths[i], c[std::size_t(i)].size());
    }
    const auto line = [&](const std::vector<std::string> &c) {
        std::string text;
        for (int i = 0; i < 6; ++i) {
            std::string cell = c[std::size_t(i)];
            cell.resize(widths[i], ' ');
            text += (i ? " | " : "") + cell;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        std::puts(text.c_str());
    };
    line({headers[0], headers[1], headers[2], headers[3], headers[4], headers[5]});
    std::string rule;
    for (int i = 0; i < 6; ++i)
        rule += std::string(widths[i] + (i ? 3 : 0), '-');
    std::puts(rule.c_str());
    for (const Row &r : g_rows) {
        if (r.tavrin.empty())
            std::puts(r.figure.c_str());
        else
            line(cells(r));
    }
}

// ---- Start-up and memory ----

struct Program {
    const char *name;
    const char *binary;
    std::vector<std::string> args;
    std::vector<Values> runs;
};

bool startup(const Options &options)
{
    std::vector<Program> programs = {
        {"empty", "bench_empty_window", {}, {}},
        {"text", "bench_empty_window", {"--text"}, {}},
        {"tavrin", "bench_startup", {}, {}},
        {"breakdown", "bench_startup", {"--breakdown"}, {}},
        {"warm", "bench_startup", {"--breakdown", "--warm-first"}, {}},
    };
    std::fprintf(stderr, "start-up: %d rounds of %zu programs\n", options.runs, programs.size());
    // One round first that counts for nothing: it brings the files into the page cache.
    for (int round = -1; round < options.runs; ++round) {
        for (std::size_t k = 0; k < programs.size(); ++k) {
            // Each round starts with another program, so none always runs first.
            Program &program = programs[(k + std::size_t(round + 1)) % programs.size()];
            const std::optional<Values> values = run(program.binary, program.args);
            if (!values)
                return false;
            if (round >= 0)
                program.runs.push_back(*values);
        }
    }
    if (options.verbose) {
        // Quartiles of each program's spans, to see the spread behind the medians.
        for (const Program &p : programs) {
            std::fprintf(stderr, "%-10s", p.name);
            for (const auto &[from, to] :
                 {std::pair<const char *, const char *>{"launch_ns", "main_ns"},
                  {"main_ns", "frame_ns"},
                  {"launch_ns", "frame_ns"}}) {
                std::vector<double> v = spans(p.runs, from, to);
                std::sort(v.begin(), v.end());
                std::fprintf(stderr, "  %s-%s %.1f [%.1f %.1f]", from, to, median(v),
                             v[v.size() / 4], v[v.size() * 3 / 4]);
            }
            std::fputc('\n', stderr);
        }
    }
    const auto runsOf = [&](const char *name) -> const std::vector<Values> & {
        for (const Program &p : programs) {
            if (std::strcmp(p.name, name) == 0)
                return p.runs;
        }
        std::abort();
    };
    const auto &empty = runsOf("empty");
    const auto &text = runsOf("text");
    const auto &tavrin = runsOf("tavrin");
    const auto &breakdown = runsOf("breakdown");
    const auto &warm = runsOf("warm");
    const auto m = [](const std::vector<double> &v) { return median(v); };

    const double startTavrin = m(spans(tavrin, "launch_ns", "frame_ns"));
    const double startEmpty = m(spans(empty, "launch_ns", "frame_ns"));
    section("1. Start-up, launch to first painted frame (offscreen, " +
            std::to_string(options.runs) +
            " alternating runs each, medians; anchor: empty window)");
    timeRow("whole process", startTavrin, startEmpty, "ratio <= 1.50",
            yesNo(startTavrin / startEmpty <= 1.5));
    const double startText = m(spans(text, "launch_ns", "frame_ns"));
    timeRow("floor: empty window + one line of Song-chain text", startText, startEmpty);
    timeRow("whole process against that floor", startTavrin, startText);
    timeRow("launch to main() (loading, linking)", m(spans(tavrin, "launch_ns", "main_ns")),
            m(spans(empty, "launch_ns", "main_ns")));
    timeRow("main() to first frame", m(spans(tavrin, "main_ns", "frame_ns")),
            m(spans(empty, "main_ns", "frame_ns")));

    section("2. Start-up work in the process (medians)");
    timeRow("QApplication", m(spans(tavrin, "main_ns", "app_ns")),
            m(spans(empty, "main_ns", "app_ns")));
    timeRow("window constructed (Form1 / empty QWidget)", m(spans(tavrin, "warmed_ns", "built_ns")),
            m(spans(empty, "app_ns", "built_ns")));
    timeRow("  Form1 design-time controls", m(spans(breakdown, "warmed_ns", "load_ns")), NAN);
    timeRow("  Form_Load", m(spans(breakdown, "load_ns", "built_ns")), NAN);
    timeRow("    box pass: 398 boxes created, placed",
            m(spans(breakdown, "load_ns", "last_box_ns")), NAN);
    timeRow("    accessible names, code table", m(spans(breakdown, "last_box_ns", "lists_ns")),
            NAN);
    timeRow("    list pass: three lists filled", m(spans(breakdown, "lists_ns", "built_ns")), NAN);
    section("   the same with the fonts and icon resolved first (--warm-first):");
    timeRow("  font database (fontconfig)", m(spans(warm, "app_ns", "font_db_ns")), NAN);
    timeRow("  Song chain at 9 pt", m(spans(warm, "font_db_ns", "first_font_ns")), NAN);
    timeRow("  Song chain at 10.5, 12, 14.25 pt", m(spans(warm, "first_font_ns", "sizes_ns")), NAN);
    timeRow("  Chinese captions (Han script engines)", m(spans(warm, "sizes_ns", "cjk_ns")), NAN);
    timeRow("  window icon", m(spans(warm, "cjk_ns", "icon_ns")), NAN);
    timeRow("  design-time controls after that", m(spans(warm, "warmed_ns", "load_ns")), NAN);
    timeRow("  Form_Load after that", m(spans(warm, "load_ns", "built_ns")), NAN);
    timeRow("  show() to frame complete after that", m(spans(warm, "shown_ns", "frame_ns")), NAN);
    timeRow("centre and show()", m(spans(tavrin, "built_ns", "shown_ns")),
            m(spans(empty, "built_ns", "shown_ns")));
    timeRow("first paint: show() to frame complete", m(spans(tavrin, "shown_ns", "frame_ns")),
            m(spans(empty, "shown_ns", "frame_ns")));
    timeRow("  painting: first paint event to frame",
            m(spans(tavrin, "paint_begin_ns", "frame_ns")),
            m(spans(empty, "paint_begin_ns", "frame_ns")));

    section("3. Memory at the first frame (medians)");
    const double rssTavrin = m(field(tavrin, "peak_rss_mib"));
    const double rssEmpty = m(field(empty, "peak_rss_mib"));
    row("peak RSS", format("%.1f MiB", rssTavrin), format("%.1f MiB", rssEmpty),
        format("%+.1f MiB", rssTavrin - rssEmpty), "<= empty + 8 MiB",
        yesNo(rssTavrin - rssEmpty <= 8.0));
    const double privTavrin = m(field(tavrin, "private_mib"));
    const double privEmpty = m(field(empty, "private_mib"));
    row("private memory (smaps_rollup; moves with other processes)", format("%.1f MiB", privTavrin),
        format("%.1f MiB", privEmpty), format("%+.1f MiB", privTavrin - privEmpty));
    for (const auto &[label, key] :
         {std::pair<const char *, const char *>{"resident anonymous (heap)", "anon_mib"},
          {"resident file-backed (code, fonts)", "file_mib"}}) {
        const double value = m(field(tavrin, key));
        const double anchor = m(field(empty, key));
        row(label, format("%.1f MiB", value), format("%.1f MiB", anchor),
            format("%+.1f MiB", value - anchor));
    }
    const double rssText = m(field(text, "peak_rss_mib"));
    row("floor: empty window + one line of Song-chain text, peak RSS", format("%.1f MiB", rssText),
        format("%.1f MiB", rssEmpty), format("%+.1f MiB", rssText - rssEmpty));

    return true;
}

// ---- Pace ----

bool pace(const Options &options)
{
    struct Drill {
        int items;
        double pace;
    };
    const std::vector<Drill> drills =
        options.quick ? std::vector<Drill>{{20, 0.5}, {5, 1.0}}
                      : std::vector<Drill>{{DrillSurface::BoxCount, 0.5}, {20, 1.0}};
    for (const Drill &drill : drills) {
        char title[160];
        std::snprintf(title, sizeof title,
                      "4. Pace, %d items at %.1f s, real timers, study time 1 s (anchor: a "
                      "thread sleeping to the same beat)",
                      drill.items, drill.pace);
        std::fprintf(stderr, "pace: %d items at %.1f s (about %.0f s)\n", drill.items, drill.pace,
                     (drill.items - 1) * drill.pace + 1.5);
        const std::optional<Values> v =
            run("bench_pace", {"--items", std::to_string(drill.items), "--pace",
                               std::to_string(drill.pace), "--study", "1"});
        if (!v)
            return false;
        section(title);
        const Values &r = *v;
        row("mean error (items 2..n shown vs ideal)", format("%+.2f ms", r.at("mean_error_ms")),
            format("%+.2f ms", r.at("floor_mean_ms")));
        row("max error", format("%.2f ms", r.at("max_error_ms")),
            format("%.2f ms", r.at("floor_max_ms")), "-", "<= 2 ms",
            yesNo(r.at("max_error_ms") <= 2.0));
        row("last item (drift)", format("%+.2f ms", r.at("last_error_ms")), "-", "-", "<= 2 ms",
            yesNo(std::abs(r.at("last_error_ms")) <= 2.0));
        row("least error (negative = early)", format("%+.2f ms", r.at("min_error_ms")));
        row("item painted (items 1..n): mean / max error",
            format("%+.2f", r.at("paint_mean_error_ms")) + " / " +
                format("%.2f ms", r.at("paint_max_error_ms")));
        row("study-end tick vs ideal", format("%+.2f ms", r.at("study_end_error_ms")));
    }
    return true;
}

std::string loadAverage()
{
    std::FILE *file = std::fopen("/proc/loadavg", "r");
    if (!file)
        return "?";
    char text[64] = {};
    if (!std::fgets(text, sizeof text, file))
        text[0] = 0;
    std::fclose(file);
    std::string load(text);
    return load.substr(0, load.find(' ', load.find(' ', load.find(' ') + 1) + 1));
}

std::string binDir()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string exe(path, std::size_t(n));
    return exe.substr(0, exe.rfind('/'));
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.quick = true;
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            options.verbose = true;
        } else if (std::strcmp(argv[i], "--no-pace") == 0) {
            options.pace = false;
        } else if (std::strcmp(argv[i], "--pace-only") == 0) {
            options.startup = false;
        } else {
            std::fputs("usage: bench_runner [--quick] [--runs N] [--verbose] [--no-pace | "
                       "--pace-only]\n",
                       stderr);
            return 2;
        }
    }
    if (options.quick && options.runs == 25)
        options.runs = 20;
    g_binDir = binDir();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string loadBefore = loadAverage();

    if (options.startup && !startup(options))
        return 1;
    if (options.pace && !pace(options))
        return 1;
    std::puts("");
    printTable();
    long cores = sysconf(_SC_NPROCESSORS_ONLN);
    std::printf("\n%ld cores; load average (1, 5, 15 min) %s before, %s after.\n", cores,
                loadBefore.c_str(), loadAverage().c_str());
    return 0;
}
