#include "ScoreStore.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {
// How long a connection waits for another process's transaction before giving up.
constexpr int kBusyTimeoutMs = 5000;
// Submissions written in one transaction at most.
constexpr size_t kMaxBatch = 512;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS scores("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " country TEXT NOT NULL,"
    " time INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, id);"
    "CREATE INDEX IF NOT EXISTS scores_by_entry ON scores(name, score, country, time);";

struct StatementCloser {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error(what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
}

void Execute(sqlite3* db, const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error != nullptr ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw std::runtime_error(std::string(sql).substr(0, 40) + ": " + message);
  }
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) Fail(db, sql);
  return Statement(statement);
}

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
  sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

sqlite3* Open(const std::string& path, ScoreStore::Sync sync) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path + ": " + message);
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  try {
    Execute(db, "PRAGMA journal_mode=WAL");
    // Batching keeps FULL to one sync per batch of submissions.
    Execute(db, sync == ScoreStore::Sync::Full ? "PRAGMA synchronous=FULL"
                                               : "PRAGMA synchronous=NORMAL");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}
}  // namespace

ScoreStore::ScoreStore(const std::string& path, int64_t duplicateWindowS, Sync sync)
    : Path_(path), DuplicateWindowS_(duplicateWindowS), Sync_(sync) {
  Writer_ = Open(path, sync);
  try {
    // IMMEDIATE so a second process starting at the same moment waits instead of failing.
    Execute(Writer_, "BEGIN IMMEDIATE");
    Execute(Writer_, kSchema);
    Execute(Writer_, "COMMIT");
  } catch (...) {
    sqlite3_close(Writer_);
    throw;
  }
  WriterThread_ = std::thread([this] { WriteLoop(); });
}

ScoreStore::~ScoreStore() {
  {
    std::lock_guard lock(QueueMutex_);
    Stopping_ = true;
  }
  QueueChanged_.notify_all();
  WriterThread_.join();
  sqlite3_close(Writer_);
  for (sqlite3* reader : Readers_) sqlite3_close(reader);
}

ScoreStore::Outcome ScoreStore::Add(const ScoreEntry& entry, int64_t unixTime) {
  Pending pending{entry, unixTime};
  std::unique_lock lock(QueueMutex_);
  if (Stopping_) return Outcome::Failed;
  Queue_.push_back(&pending);
  QueueChanged_.notify_one();
  BatchDone_.wait(lock, [&] { return pending.Done; });
  return pending.Result;
}

void ScoreStore::WriteLoop() {
  std::vector<Pending*> batch;
  for (;;) {
    {
      std::unique_lock lock(QueueMutex_);
      QueueChanged_.wait(lock, [&] { return Stopping_ || !Queue_.empty(); });
      // Whatever is queued when stopping is still written: its senders are waiting.
      if (Queue_.empty()) return;
      while (!Queue_.empty() && batch.size() < kMaxBatch) {
        batch.push_back(Queue_.front());
        Queue_.pop_front();
      }
    }
    const bool written = WriteBatch(batch);
    {
      std::lock_guard lock(QueueMutex_);
      for (Pending* pending : batch) {
        if (!written) pending->Result = Outcome::Failed;
        pending->Done = true;
      }
    }
    BatchDone_.notify_all();
    batch.clear();
  }
}

bool ScoreStore::WriteBatch(const std::vector<Pending*>& batch) {
  try {
    Execute(Writer_, "BEGIN IMMEDIATE");
    Statement find = Prepare(Writer_,
                             "SELECT 1 FROM scores WHERE name=?1 AND score=?2 AND country=?3 "
                             "AND time>?4 LIMIT 1");
    Statement insert =
        Prepare(Writer_, "INSERT INTO scores(name, score, country, time) VALUES(?1, ?2, ?3, ?4)");
    for (Pending* pending : batch) {
      const ScoreEntry& entry = pending->Entry;
      sqlite3_stmt* statement = find.get();
      sqlite3_reset(statement);
      BindText(statement, 1, entry.Name);
      sqlite3_bind_int64(statement, 2, entry.Score);
      BindText(statement, 3, entry.Country);
      sqlite3_bind_int64(statement, 4, pending->UnixTime - DuplicateWindowS_);
      const int found = sqlite3_step(statement);
      if (found == SQLITE_ROW) {
        pending->Result = Outcome::Duplicate;
        continue;
      }
      if (found != SQLITE_DONE) Fail(Writer_, "duplicate check");
      statement = insert.get();
      sqlite3_reset(statement);
      BindText(statement, 1, entry.Name);
      sqlite3_bind_int64(statement, 2, entry.Score);
      BindText(statement, 3, entry.Country);
      sqlite3_bind_int64(statement, 4, pending->UnixTime);
      if (sqlite3_step(statement) != SQLITE_DONE) Fail(Writer_, "insert");
      pending->Result = Outcome::Stored;
    }
    find.reset();
    insert.reset();
    Execute(Writer_, "COMMIT");
    return true;
  } catch (const std::exception&) {
    sqlite3_exec(Writer_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
}

sqlite3* ScoreStore::BorrowReader() {
  {
    std::lock_guard lock(ReadersMutex_);
    if (!Readers_.empty()) {
      sqlite3* db = Readers_.back();
      Readers_.pop_back();
      return db;
    }
  }
  return Open(Path_, Sync_);
}

void ScoreStore::ReturnReader(sqlite3* db) {
  std::lock_guard lock(ReadersMutex_);
  Readers_.push_back(db);
}

std::vector<StoredScore> ScoreStore::Best(int count) {
  sqlite3* db = BorrowReader();
  std::vector<StoredScore> best;
  try {
    Statement query = Prepare(
        db, "SELECT name, score, country, time FROM scores ORDER BY score DESC, id LIMIT ?1");
    sqlite3_bind_int(query.get(), 1, count);
    int step = 0;
    while ((step = sqlite3_step(query.get())) == SQLITE_ROW) {
      StoredScore row;
      const auto* name = sqlite3_column_text(query.get(), 0);
      row.Entry.Name = name != nullptr ? reinterpret_cast<const char*>(name) : "";
      row.Entry.Score = static_cast<int32_t>(sqlite3_column_int64(query.get(), 1));
      const auto* country = sqlite3_column_text(query.get(), 2);
      row.Entry.Country = country != nullptr ? reinterpret_cast<const char*>(country) : "";
      row.UnixTime = sqlite3_column_int64(query.get(), 3);
      best.push_back(std::move(row));
    }
    if (step != SQLITE_DONE) Fail(db, "reading the list");
  } catch (...) {
    ReturnReader(db);
    throw;
  }
  ReturnReader(db);
  return best;
}

int64_t ScoreStore::Count() {
  sqlite3* db = BorrowReader();
  int64_t count = -1;
  try {
    Statement query = Prepare(db, "SELECT count(*) FROM scores");
    if (sqlite3_step(query.get()) != SQLITE_ROW) Fail(db, "counting");
    count = sqlite3_column_int64(query.get(), 0);
  } catch (...) {
    ReturnReader(db);
    throw;
  }
  ReturnReader(db);
  return count;
}
