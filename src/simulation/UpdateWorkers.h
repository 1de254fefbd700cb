// Threads that share the update of an effect's emitters: made when the
// system is initialised with more than one update thread, joined when it
// goes. The host's thread runs slice 0 itself and waits for the others, so
// no call into the host ever comes from a worker.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrix {

class UpdateWorkers {
 public:
  static constexpr uint32_t kMaxThreads = 16;

  // threads counts the host's own; it is clamped to 1..kMaxThreads, and to 1
  // where the system has no threads.
  explicit UpdateWorkers(uint32_t threads);
  ~UpdateWorkers();
  UpdateWorkers(const UpdateWorkers&) = delete;
  UpdateWorkers& operator=(const UpdateWorkers&) = delete;

  uint32_t Threads() const { return static_cast<uint32_t>(workers_.size()) + 1; }
  // Calls job(context, slice) for every slice below Threads(), each on its
  // own thread, and returns when all have finished.
  void Run(void (*job)(void* context, uint32_t slice), void* context);

 private:
  void Work(uint32_t slice);
  // Waits until done() holds: first by polling for a moment, since the
  // rounds of one frame follow each other closely and waking a sleeping
  // thread takes longer than a round; then asleep on signal.
  template <class Done>
  void Await(std::condition_variable& signal, Done done);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable started_;
  std::condition_variable finished_;
  void (*job_)(void*, uint32_t) = nullptr;
  void* context_ = nullptr;
  std::atomic<uint64_t> round_{0};
  std::atomic<uint32_t> running_{0};
  std::atomic<bool> stopping_{false};
};

}  // namespace tavrix
