// The temporary files being written at this moment, kept where a signal
// handler can reach them, so that a tool stopped by Ctrl-C, a hangup or a
// kill removes them before it ends instead of leaving half-written files.
#pragma once

#include <csignal>
#include <iterator>

namespace tavrix::tools {

// Registers the path of a temporary file about to be created; returns its
// slot, or -1 when the path is too long or every slot is taken.
int AddPendingFile(const char* path);
// Forgets the file of a slot from AddPendingFile (-1 is ignored).
void RemovePendingFile(int slot);

// While one lives, SIGINT, SIGTERM and SIGHUP remove every pending file and
// then end the process as the signal itself would; a signal the process was
// started ignoring (nohup) stays ignored. Made on the thread that creates
// the files, which handles the signals whichever thread receives them.
class PendingFilesSignalGuard {
 public:
  PendingFilesSignalGuard();
  ~PendingFilesSignalGuard();
  PendingFilesSignalGuard(const PendingFilesSignalGuard&) = delete;
  PendingFilesSignalGuard& operator=(const PendingFilesSignalGuard&) = delete;

 private:
  static constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[std::size(Signals)];
  bool installed_[std::size(Signals)] = {};
};

}  // namespace tavrix::tools
