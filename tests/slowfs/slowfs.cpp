#include "slowfs.h"

#include <atomic>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Gate {
  std::mutex mutex;  // guards everything below
  std::condition_variable opened;
  std::string folder;
  bool held = false;
  int waiting = 0;
  long calls = 0;
  long uiCalls = 0;
  pthread_t uiThread{};
  int workers = 0;
  std::map<std::string, int> blockingOpens;
};

Gate& TheGate() {
  static Gate* gate = new Gate;  // never freed: calls may come from threads running at exit
  return *gate;
}

// Nothing watched: every call passes without a lock.
std::atomic<bool> watching{false};

// A thread other than the user-interface thread that made a watched call counts as a worker until
// it ends (after its last step, a job's posting of its result).
struct WorkerMark {
  bool counted = false;
  ~WorkerMark() {
    if (!counted) return;
    Gate& gate = TheGate();
    std::lock_guard lock(gate.mutex);
    --gate.workers;
  }
};
thread_local WorkerMark workerMark;

template <typename Fn>
Fn Next(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

std::string FolderOfDescriptor(int fd) {
  if (fd == AT_FDCWD) {
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string();
  }
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char target[4096];
  const ssize_t n = readlink(link, target, sizeof target - 1);
  return n > 0 ? std::string(target, size_t(n)) : std::string();
}

std::string Resolve(int dirFd, const char* path) {
  if (!path) return {};
  if (path[0] == '/') return path;
  const std::string base = FolderOfDescriptor(dirFd);
  if (base.empty()) return {};
  return path[0] ? base + "/" + path : base;
}

bool Below(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

// Waits at the gate when path is watched; notes a blocking open of it.
void Pass(const std::string& path, bool blockingOpen = false) {
  if (!watching.load(std::memory_order_acquire) || path.empty()) return;
  Gate& gate = TheGate();
  std::unique_lock lock(gate.mutex);
  if (!Below(path, gate.folder)) return;
  ++gate.calls;
  if (pthread_equal(pthread_self(), gate.uiThread)) {
    ++gate.uiCalls;
  } else if (!workerMark.counted) {
    workerMark.counted = true;
    ++gate.workers;
  }
  if (blockingOpen) ++gate.blockingOpens[path];
  ++gate.waiting;
  gate.opened.wait(lock, [&] { return !gate.held; });
  --gate.waiting;
}

void PassAt(int dirFd, const char* path, bool blockingOpen = false) {
  if (!watching.load(std::memory_order_acquire)) return;
  Pass(Resolve(dirFd, path), blockingOpen);
}

bool BlockingOpen(int flags) {
  return (flags & O_ACCMODE) != O_WRONLY && !(flags & O_NONBLOCK) && !(flags & O_PATH) && !(flags & O_DIRECTORY);
}

mode_t ModeOf(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

void slowfs_watch(const char* folder) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  gate.folder = folder ? folder : "";
  while (gate.folder.size() > 1 && gate.folder.back() == '/') gate.folder.pop_back();
  gate.calls = 0;
  gate.uiCalls = 0;
  gate.uiThread = pthread_self();
  gate.blockingOpens.clear();
  watching.store(!gate.folder.empty(), std::memory_order_release);
}

void slowfs_hold(void) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  gate.held = true;
}

void slowfs_release(void) {
  Gate& gate = TheGate();
  {
    std::lock_guard lock(gate.mutex);
    gate.held = false;
  }
  gate.opened.notify_all();
}

int slowfs_waiting(void) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  return gate.held ? gate.waiting : 0;
}

long slowfs_calls(void) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  return gate.calls;
}

long slowfs_ui_calls(void) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  return gate.uiCalls;
}

int slowfs_workers(void) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  return gate.workers;
}

int slowfs_blocking_opens(const char* path) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  const auto it = gate.blockingOpens.find(path ? path : "");
  return it == gate.blockingOpens.end() ? 0 : it->second;
}

// ---- The C library's calls ----

#define SLOWFS_OPEN(name)                                                   \
  int name(const char* path, int flags, ...) {                              \
    va_list args;                                                           \
    va_start(args, flags);                                                  \
    const mode_t mode = ModeOf(flags, args);                                \
    va_end(args);                                                           \
    PassAt(AT_FDCWD, path, BlockingOpen(flags));                            \
    static const auto next = Next<int (*)(const char*, int, ...)>(#name);   \
    return next(path, flags, mode);                                         \
  }
SLOWFS_OPEN(open)
SLOWFS_OPEN(open64)

#define SLOWFS_OPENAT(name)                                                      \
  int name(int dirFd, const char* path, int flags, ...) {                        \
    va_list args;                                                                \
    va_start(args, flags);                                                       \
    const mode_t mode = ModeOf(flags, args);                                     \
    va_end(args);                                                                \
    PassAt(dirFd, path, BlockingOpen(flags));                                    \
    static const auto next = Next<int (*)(int, const char*, int, ...)>(#name);   \
    return next(dirFd, path, flags, mode);                                       \
  }
SLOWFS_OPENAT(openat)
SLOWFS_OPENAT(openat64)

#define SLOWFS_OPEN_2(name)                                          \
  int name(const char* path, int flags) {                            \
    PassAt(AT_FDCWD, path, BlockingOpen(flags));                     \
    static const auto next = Next<int (*)(const char*, int)>(#name); \
    return next(path, flags);                                        \
  }
SLOWFS_OPEN_2(__open_2)
SLOWFS_OPEN_2(__open64_2)

#define SLOWFS_OPENAT_2(name)                                             \
  int name(int dirFd, const char* path, int flags) {                      \
    PassAt(dirFd, path, BlockingOpen(flags));                             \
    static const auto next = Next<int (*)(int, const char*, int)>(#name); \
    return next(dirFd, path, flags);                                      \
  }
SLOWFS_OPENAT_2(__openat_2)
SLOWFS_OPENAT_2(__openat64_2)

DIR* opendir(const char* path) {
  PassAt(AT_FDCWD, path);
  static const auto next = Next<DIR* (*)(const char*)>("opendir");
  return next(path);
}

struct dirent* readdir(DIR* dir) {
  if (watching.load(std::memory_order_acquire)) Pass(FolderOfDescriptor(dirfd(dir)));
  static const auto next = Next<struct dirent* (*)(DIR*)>("readdir");
  return next(dir);
}

struct dirent64* readdir64(DIR* dir) {
  if (watching.load(std::memory_order_acquire)) Pass(FolderOfDescriptor(dirfd(dir)));
  static const auto next = Next<struct dirent64* (*)(DIR*)>("readdir64");
  return next(dir);
}

#define SLOWFS_STAT(name, type)                                                \
  int name(const char* path, struct type* st) __THROW {                                \
    PassAt(AT_FDCWD, path);                                                    \
    static const auto next = Next<int (*)(const char*, struct type*)>(#name);  \
    return next(path, st);                                                     \
  }
SLOWFS_STAT(stat, stat)
SLOWFS_STAT(stat64, stat64)
SLOWFS_STAT(lstat, stat)
SLOWFS_STAT(lstat64, stat64)

#define SLOWFS_FSTATAT(name, type)                                                      \
  int name(int dirFd, const char* path, struct type* st, int flags) __THROW {           \
    PassAt(dirFd, path);                                                                \
    static const auto next = Next<int (*)(int, const char*, struct type*, int)>(#name); \
    return next(dirFd, path, st, flags);                                                \
  }
SLOWFS_FSTATAT(fstatat, stat)
SLOWFS_FSTATAT(fstatat64, stat64)

int statx(int dirFd, const char* path, int flags, unsigned int mask, struct statx* st) __THROW {
  PassAt(dirFd, path);
  static const auto next = Next<int (*)(int, const char*, int, unsigned int, struct statx*)>("statx");
  return next(dirFd, path, flags, mask, st);
}

int unlink(const char* path) __THROW {
  PassAt(AT_FDCWD, path);
  static const auto next = Next<int (*)(const char*)>("unlink");
  return next(path);
}

int unlinkat(int dirFd, const char* path, int flags) __THROW {
  PassAt(dirFd, path);
  static const auto next = Next<int (*)(int, const char*, int)>("unlinkat");
  return next(dirFd, path, flags);
}

int rename(const char* from, const char* to) __THROW {
  PassAt(AT_FDCWD, from);
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  return next(from, to);
}

}  // extern "C"
