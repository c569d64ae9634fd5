// The stored scores: one SQLite database in WAL mode that several server processes may share.
// A submission is answered only once its transaction is on disk; concurrent submissions share
// one transaction (and one sync) so the disk's sync rate does not cap the request rate.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "online/ScorePayload.h"

struct sqlite3;

struct StoredScore {
  ScoreEntry Entry;
  int64_t UnixTime = 0;
};

class ScoreStore {
 public:
  enum class Outcome { Stored, Duplicate, Failed };

  // How an answered submission survives: FULL syncs every commit to disk, so it survives a
  // power cut too; NORMAL leaves the sync to checkpoints, so it survives the server being killed
  // but maybe not the machine going down.
  enum class Sync { Full, Normal };

  // Opens or creates the database; std::runtime_error when it cannot. A submission equal to one
  // stored less than duplicateWindowS seconds before is a duplicate.
  ScoreStore(const std::string& path, int64_t duplicateWindowS, Sync sync = Sync::Full);
  ~ScoreStore();
  ScoreStore(const ScoreStore&) = delete;
  ScoreStore& operator=(const ScoreStore&) = delete;

  // Stores the entry, or finds it a duplicate; returns once that is durable.
  Outcome Add(const ScoreEntry& entry, int64_t unixTime);
  // The best `count` scores, highest first; of equal scores the earlier one first.
  std::vector<StoredScore> Best(int count);
  int64_t Count();

 private:
  struct Pending {
    ScoreEntry Entry;
    int64_t UnixTime = 0;
    bool Done = false;
    Outcome Result = Outcome::Failed;
  };

  void WriteLoop();
  // Writes one batch in one transaction; false when the transaction failed.
  bool WriteBatch(const std::vector<Pending*>& batch);
  sqlite3* BorrowReader();
  void ReturnReader(sqlite3* db);

  std::string Path_;
  int64_t DuplicateWindowS_;
  Sync Sync_;
  sqlite3* Writer_ = nullptr;

  std::mutex QueueMutex_;
  std::condition_variable QueueChanged_;
  std::condition_variable BatchDone_;
  std::deque<Pending*> Queue_;
  bool Stopping_ = false;

  std::mutex ReadersMutex_;
  std::vector<sqlite3*> Readers_;

  std::thread WriterThread_;  // last, so it starts after everything it uses
};
