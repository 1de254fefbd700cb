#include "common/PendingFiles.h"

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

extern "C" void RemovePendingFilesAndEnd(int signal) {
  for (Slot& slot : slots)
    if (slot.state.load() == Pending) ::unlink(slot.path);
  // SA_RESETHAND has put back the default action, which ends the process
  // with the signal's own status once the handler returns.
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
  struct sigaction action = {};
  action.sa_handler = RemovePendingFilesAndEnd;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
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
