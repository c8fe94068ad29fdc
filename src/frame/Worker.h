#pragma once
#include <atomic>
#include <cstdint>
#include <functional>

#include "settings/Settings.h"
#include "store/NoteStore.h"
#include "store/ResultCodes.h"

// The background worker: the program's clock. It wakes about once a minute
// and decides whether the notes are due for an automatic save and whether
// reminders are to be looked for; the work itself happens on the
// user-interface thread when the posted messages arrive.

constexpr uint32_t WORKER_FIRST_WAIT_MS = 10000;
constexpr uint32_t WORKER_CYCLE_MS = 60000;

// Seconds since 1970 rounded to the nearest whole minute.
int32_t RoundToNearestMinute(int32_t seconds);

// The notes are due for an automatic save when it is on and at least
// `autoSaveTime` whole minutes lie between the last save and `now`.
bool AutoSaveDue(uint32_t autoSave, uint32_t autoSaveTime, int32_t lastSaveTime, int32_t now);

// Saves of all notes, asked for by the user or by the worker's clock. One at
// a time: a failing save shows its message in a message loop, in which the
// next automatic save may arrive. After a failed save the next automatic one
// waits a whole interval, so the user is not asked again at every cycle.
class CSaveSchedule {
 public:
  // Runs `save` unless a save is already running (false: skipped). A
  // non-zero result holds the automatic save from `now` on; success
  // releases it.
  bool Run(const std::function<Result()>& save, int32_t now);
  // When the automatic-save interval counts from after a failure; 0 when
  // the last save succeeded. The worker reads it.
  const std::atomic<int32_t>& HeldSince() const { return heldSince; }

 private:
  bool running = false;
  std::atomic<int32_t> heldSince{0};
};

// What the worker's loop needs from the system.
class IWorkerHost {
 public:
  virtual ~IWorkerHost() = default;
  // Returns when the worker is signalled or `milliseconds` have passed.
  virtual void Wait(uint32_t milliseconds) = 0;
  virtual int32_t Now() = 0;
  virtual bool PostAutoSave() = 0;
  // Asks the user-interface thread to look for reminders due at `now`.
  virtual bool PostReminderScan(int32_t now) = 0;
  // Fetches the version file and posts the result to the check dialog.
  virtual void RunVersionRequest() = 0;
};

// The auto-save settings as the worker sees them: the user-interface thread
// publishes them at start and whenever the preferences change.
struct AutoSaveSetting {
  std::atomic<uint32_t> on{1};
  std::atomic<uint32_t> minutes{30};
  void Publish(const Settings& settings) {
    on = settings.autoSave;
    minutes = settings.autoSaveTime;
  }
};

// What the worker reads of the state that the user-interface thread owns.
struct WorkerInputs {
  const AutoSaveSetting& autoSave;
  const NoteStore& store;
  const std::atomic<bool>& startupInProgress;
  const std::atomic<bool>& workerStop;
  // CSaveSchedule::HeldSince, when saves are scheduled.
  const std::atomic<int32_t>* saveHeldSince = nullptr;
  // Set by the check dialog; cleared once the request has reported.
  std::atomic<bool>* versionCheckRequested = nullptr;
};

// The worker's loop; returns once workerStop is set. Nothing is posted while
// start-up is in progress, and the first cycle after it still comes after
// the short first wait. A requested version check runs last in a cycle.
void RunWorker(IWorkerHost& host, const WorkerInputs& inputs);
