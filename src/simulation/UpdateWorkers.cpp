// The update threads: each waits for a new round, runs its slice of it and
// reports back; the host's thread runs slice 0 meanwhile.
#include "simulation/UpdateWorkers.h"

#include <chrono>

#include "platform/Threads.h"

namespace tavrix {
namespace {

// Long enough to span the gap between the rounds of one frame, short
// enough not to hold a processor between frames.
constexpr std::chrono::microseconds kPolling{1000};

}  // namespace

UpdateWorkers::UpdateWorkers(uint32_t threads) {
  if (threads > kMaxThreads) threads = kMaxThreads;
  if (!WorkerThreadsAvailable()) threads = 1;
  for (uint32_t slice = 1; slice < threads; ++slice) {
    workers_.emplace_back([this, slice] { Work(slice); });
  }
}

UpdateWorkers::~UpdateWorkers() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  started_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

template <class Done>
void UpdateWorkers::Await(std::condition_variable& signal, Done done) {
  const auto until = std::chrono::steady_clock::now() + kPolling;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) {
      std::unique_lock<std::mutex> lock(mutex_);
      signal.wait(lock, done);
      return;
    }
    std::this_thread::yield();
  }
}

void UpdateWorkers::Run(void (*job)(void*, uint32_t), void* context) {
  job_ = job;
  context_ = context;
  running_.store(static_cast<uint32_t>(workers_.size()));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    round_.fetch_add(1);
  }
  started_.notify_all();
  job(context, 0);
  Await(finished_, [this] { return running_.load() == 0; });
}

void UpdateWorkers::Work(uint32_t slice) {
  uint64_t seen = 0;
  for (;;) {
    Await(started_, [&] { return stopping_.load() || round_.load() != seen; });
    if (stopping_.load()) return;
    seen = round_.load();
    job_(context_, slice);
    if (running_.fetch_sub(1) == 1) {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_.notify_one();
    }
  }
}

}  // namespace tavrix
