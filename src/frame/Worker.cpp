#include "frame/Worker.h"

#include <algorithm>

int32_t RoundToNearestMinute(int32_t seconds) {
  // In 64 bits, so that the last half minute of the 32-bit range cannot wrap.
  const int64_t rounded = (int64_t{seconds} + 30) / 60 * 60;
  return rounded > INT32_MAX ? INT32_MAX / 60 * 60 : static_cast<int32_t>(rounded);
}

bool AutoSaveDue(uint32_t autoSave, uint32_t autoSaveTime, int32_t lastSaveTime, int32_t now) {
  if (autoSave == 0) return false;
  // A clock set back before the last save counts as no time passed.
  const int64_t minutes = (int64_t{now} - lastSaveTime) / 60;
  return minutes >= 0 && minutes >= int64_t{autoSaveTime};
}

void RunWorker(IWorkerHost& host, const WorkerInputs& in) {
  bool firstPass = true;
  while (!in.workerStop.load()) {
    host.Wait(firstPass ? WORKER_FIRST_WAIT_MS : WORKER_CYCLE_MS);
    if (in.startupInProgress.load()) continue;
    firstPass = false;
    if (in.workerStop.load()) break;

    const int32_t now = RoundToNearestMinute(host.Now());
    int32_t since = in.store.lastSaveTime.load();
    if (in.saveHeldSince != nullptr) since = std::max(since, in.saveHeldSince->load());
    if (AutoSaveDue(in.autoSave.on.load(), in.autoSave.minutes.load(), since, now)) {
      // A failed post is not retried in this cycle: the next one comes soon.
      static_cast<void>(host.PostAutoSave());
    }
    if (in.store.header.reminderCount.load() != 0) static_cast<void>(host.PostReminderScan(now));
    if (in.versionCheckRequested != nullptr && in.versionCheckRequested->load()) {
      host.RunVersionRequest();
      in.versionCheckRequested->store(false);
    }
  }
}

bool CSaveSchedule::Run(const std::function<Result()>& save, int32_t now) {
  if (running) return false;
  running = true;
  const Result result = save();
  running = false;
  heldSince = result == RESULT_OK ? 0 : now;
  return true;
}
