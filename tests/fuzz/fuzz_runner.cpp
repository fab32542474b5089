#include "fuzz_runner.h"

#include "mutator.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <iostream>
#include <thread>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VENDAMO_FUZZ_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VENDAMO_FUZZ_ASAN 1
#endif
#endif

#ifdef VENDAMO_FUZZ_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// The input being run and where it goes if it kills the process. Signal handlers and the
// watchdog read these, so they are plain buffers prepared before each run.
std::atomic<const QByteArray *> CurrentInput{nullptr};
std::atomic<qint64> CurrentStartMs{0};     // wall clock; 0 while no input runs
std::atomic<qint64> CurrentStartCpuMs{0};  // the running thread's processor time
clockid_t RunnerClock = CLOCK_MONOTONIC;
char CrashPath[4096];
char HangPath[4096];
std::atomic<bool> Saved{false};
std::atomic<qint64> InputNumber{0};  // of this run, counted from 1
int TimeoutMs = 5000;

qint64 NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 CpuMs() {
    timespec t{};
    clock_gettime(RunnerClock, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Only calls that are safe in a signal handler.
void SaveCurrentInput(const char *path) {
    if (Saved.exchange(true)) return;
    const QByteArray *input = CurrentInput.load();
    if (!input || !path[0]) return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    const char *p = input->constData();
    qint64 left = input->size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n <= 0) break;
        p += n;
        left -= n;
    }
    ::close(fd);
    // "fuzz: input <n> of this run is saved in <path>", with no formatting call.
    char number[24];
    int at = sizeof number;
    for (qint64 v = InputNumber.load(); at == int(sizeof number) || v > 0; v /= 10) number[--at] = char('0' + v % 10);
    const char note[] = "\nfuzz: input ", rest[] = " of this run is saved in ";
    [[maybe_unused]] ssize_t w = ::write(2, note, sizeof note - 1);
    w = ::write(2, number + at, sizeof number - at);
    w = ::write(2, rest, sizeof rest - 1);
    w = ::write(2, path, strlen(path));
    w = ::write(2, "\n", 1);
}

void OnFatalSignal(int sig) {
    SaveCurrentInput(CrashPath);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

#ifdef VENDAMO_FUZZ_ASAN
void OnSanitizerDeath() { SaveCurrentInput(CrashPath); }
#endif

void Watchdog() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // A hang is an input that takes the limit in processor time, or ten times the limit
        // in wall time (one that waits): on a busy machine a niced run gets little processor
        // time, and wall time alone would report hangs that are not.
        const qint64 start = CurrentStartMs.load(), startCpu = CurrentStartCpuMs.load();
        if (start == 0) continue;
        if (CpuMs() - startCpu <= TimeoutMs && NowMs() - start <= 10LL * TimeoutMs) continue;
        if (CurrentStartMs.load() != start) continue;  // that input has just ended
        SaveCurrentInput(HangPath);
        std::fprintf(stderr, "fuzz: an input ran longer than %d ms of processor time\n", TimeoutMs);
        std::fflush(stderr);
        ::_exit(3);
    }
}

// Inputs are named by their content, so a crash found again is not counted as new.
QString InputName(const QByteArray &input) {
    return QString::fromLatin1(QCryptographicHash::hash(input, QCryptographicHash::Sha1).toHex().left(16));
}

void PreparePaths(const TFuzzTarget &target, const QByteArray &input, const TFuzzOptions &options) {
    const QString dir = options.Out + QStringLiteral("/fuzz-crashes/") + target.Name;
    const QByteArray name = (dir + QLatin1Char('/') + InputName(input)).toLocal8Bit();
    const QByteArray crash = name + ".crash", hang = name + ".hang";
    qstrncpy(CrashPath, crash.constData(), sizeof CrashPath);
    qstrncpy(HangPath, hang.constData(), sizeof HangPath);
}

// Runs one input under the guards; an escaping exception is a finding like a crash.
bool RunGuarded(const TFuzzTarget &target, const QByteArray &input, const TFuzzOptions &options) {
    PreparePaths(target, input, options);
    CurrentInput = &input;
    ++InputNumber;
    CurrentStartCpuMs = CpuMs();
    CurrentStartMs = NowMs();
    bool read = false;
    try {
        read = target.Run(input);
    } catch (const std::exception &e) {
        std::cerr << "fuzz: " << target.Name.toStdString() << ": an exception escaped the reader: " << e.what()
                  << std::endl;
        SaveCurrentInput(CrashPath);
        ::_exit(1);
    }
    CurrentStartMs = 0;
    CurrentInput = nullptr;
    return read;
}

void WriteFile(const QString &path, const QByteArray &data) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(data);
}

}  // namespace

void InstallFuzzGuards(int timeoutMs) {
    TimeoutMs = timeoutMs;
    pthread_getcpuclockid(pthread_self(), &RunnerClock);  // the thread that runs the inputs
#ifdef VENDAMO_FUZZ_ASAN
    // The sanitizer reports segmentation faults itself and then calls back.
    __sanitizer_set_death_callback(OnSanitizerDeath);
    for (int sig : {SIGABRT, SIGFPE, SIGILL}) std::signal(sig, OnFatalSignal);
#else
    for (int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL}) std::signal(sig, OnFatalSignal);
#endif
    std::thread(Watchdog).detach();
}

TFuzzResult RunFuzzTarget(const TFuzzTarget &target, const TFuzzOptions &options) {
    QDir().mkpath(options.Out + QStringLiteral("/fuzz-crashes/") + target.Name);
    QList<QByteArray> pool = target.Seeds();
    const qsizetype seedCount = pool.size();
    TMutator mutator(options.Seed, target.Tokens);
    TFuzzResult result;
    QByteArray slowest;
    QElapsedTimer clock;
    clock.start();
    const auto run = [&](const QByteArray &input) {
        QElapsedTimer t;
        t.start();
        if (RunGuarded(target, input, options)) ++result.Read;
        ++result.Inputs;
        if (t.elapsed() > result.SlowestMs || slowest.isNull()) {
            result.SlowestMs = t.elapsed();
            slowest = input;
        }
    };
    for (const QByteArray &seed : std::as_const(pool)) run(seed);
    if (target.Regressions)
        for (const QByteArray &input : target.Regressions(pool)) run(input);
    while ((options.Count == 0 || result.Inputs < options.Count) &&
           (options.Seconds <= 0 || clock.elapsed() < options.Seconds * 1000)) {
        QRandomGenerator &rng = mutator.Random();
        // Half the inputs start from a writer's sample: inputs that still read drift towards
        // small cut-off files, which read quickly but reach little of the format.
        const int from = rng.bounded(2) == 0 ? rng.bounded(int(seedCount)) : rng.bounded(int(pool.size()));
        const QByteArray &base = pool[from];
        const QByteArray &other = pool[rng.bounded(int(pool.size()))];
        const QByteArray input = mutator.Mutate(base, other);
        const qint64 readBefore = result.Read;
        run(input);
        // Inputs that still read go back into the pool, so later edits reach deeper into the
        // format; the writer's own samples always stay.
        if (result.Read > readBefore && input.size() < 4 * 1024 * 1024) {
            if (pool.size() < seedCount + 256) pool.append(input);
            else pool[seedCount + rng.bounded(256)] = input;
        }
    }
    result.Seconds = clock.elapsed() / 1000.0;
    const QString slowDir = options.Out + QStringLiteral("/fuzz-slowest");
    QDir().mkpath(slowDir);
    WriteFile(slowDir + QLatin1Char('/') + target.Name, slowest);
    return result;
}

bool ReplayFuzzInput(const TFuzzTarget &target, const QByteArray &input, const TFuzzOptions &options) {
    return RunGuarded(target, input, options);
}
