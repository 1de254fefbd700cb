#include "common/PendingFiles.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace tavrix::tools {
namespace {

// Few files are written at once (render holds a GIF and one PNG); the path
// lives in fixed storage since the handler may neither allocate nor lock.
constexpr int SlotCount = 16;
constexpr size_t PathBytes = 4096;
enum SlotState : int { Free, Filling, Pending };

struct Slot {
  std::atomic<int> state{Free};
  char path[PathBytes];
};

Slot slots[SlotCount];
// The thread that made the guard, the one that creates the files.
pthread_t writer;

extern "C" void RemovePendingFilesAndEnd(int signal) {
  // Handled on the writer's thread only, the removal never runs beside a
  // file being created there.
  if (!pthread_equal(pthread_self(), writer)) {
    pthread_kill(writer, signal);
    return;
  }
  for (Slot& slot : slots)
    if (slot.state.load() == Pending) ::unlink(slot.path);
  // The default action comes back only now, the files gone. Put back on
  // delivery instead (SA_RESETHAND), it let a second signal arriving before
  // the handler ran (`timeout` signals the process, then its group) end
  // the process with its files still there.
  struct sigaction end = {};
  end.sa_handler = SIG_DFL;
  ::sigaction(signal, &end, nullptr);
  // Blocked while the handler runs: ends the process with the signal's own
  // status once it returns.
  ::raise(signal);
}

}  // namespace

int AddPendingFile(const char* path) {
  if (std::strlen(path) >= PathBytes) return -1;
  for (int i = 0; i < SlotCount; ++i) {
    int expected = Free;
    if (!slots[i].state.compare_exchange_strong(expected, Filling)) continue;
    std::strcpy(slots[i].path, path);
    slots[i].state.store(Pending);
    return i;
  }
  return -1;
}

void RemovePendingFile(int slot) {
  if (slot >= 0 && slot < SlotCount) slots[slot].state.store(Free);
}

PendingFilesSignalGuard::PendingFilesSignalGuard() {
  writer = pthread_self();
  struct sigaction action = {};
  action.sa_handler = RemovePendingFilesAndEnd;
  // One signal at a time: a second waits until the first has ended us.
  sigemptyset(&action.sa_mask);
  for (int signal : Signals) sigaddset(&action.sa_mask, signal);
  for (size_t i = 0; i < std::size(Signals); ++i) {
    if (::sigaction(Signals[i], nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN)
      continue;
    installed_[i] = ::sigaction(Signals[i], &action, nullptr) == 0;
  }
}

PendingFilesSignalGuard::~PendingFilesSignalGuard() {
  for (size_t i = 0; i < std::size(Signals); ++i)
    if (installed_[i]) ::sigaction(Signals[i], &previous_[i], nullptr);
}

}  // namespace tavrix::tools
