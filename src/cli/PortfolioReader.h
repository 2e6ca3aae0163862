#pragma once
// Reading many work files for the portfolio commands (findings, stats): folders searched
// for *.owp, each file checked and loaded on a pool of threads, the results handed to the
// caller one by one in the order of the paths. A file that cannot be used is reported on
// stderr with its name and the reason and skipped; only a few files are held in memory at
// any time, however many there are.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/WorkFileData.h"

namespace orvela::cli {

struct PortfolioReadOptions {
  bool check = true;     // the integrity test before reading
  unsigned threads = 0;  // 0: one per processor core
};

// The files named: a folder gives its *.owp files (letter case ignored) at any depth, sorted
// by path; a file is taken as given, whatever its name. Each file once. A path that is
// neither is reported on `err` and sets `skipped`.
std::vector<std::string> CollectWorkFiles(const std::vector<std::string>& paths, std::ostream& err, bool& skipped);

// Reads one work file as the window opens it (renumbered); the integrity test first when
// `check`. Returns the reason (UTF-8) when the file is not usable: missing, unreadable,
// damaged, no work file, not parseable. Warnings that do not stop reading are appended to
// `warnings`.
std::string ReadPortfolioFile(const std::string& path, bool check, WorkFileData& data,
                              std::vector<std::string>& warnings);

// Writes "orvela-wp-cli: <path>: <text>" to `err`.
void ReportFileProblem(std::ostream& err, const std::string& path, const std::string& text);

// Reads `files` in parallel; for each usable file `digest` turns the data into what the
// command keeps (on the reading thread), and `consume` receives it on the calling thread,
// in the order of `files`. Returns true when any file was skipped. An exception from
// `consume` stops the reading and is passed on.
template <class Digest>
bool ReadWorkFilesInOrder(const std::vector<std::string>& files, const PortfolioReadOptions& options,
                          const std::function<Digest(const std::string& file, const WorkFileData& data)>& digest,
                          const std::function<void(Digest& digest)>& consume, std::ostream& err);

// ---------------------------------------------------------------------------------------

namespace detail {
unsigned ReaderThreads(unsigned requested, std::size_t files);
}

template <class Digest>
bool ReadWorkFilesInOrder(const std::vector<std::string>& files, const PortfolioReadOptions& options,
                          const std::function<Digest(const std::string& file, const WorkFileData& data)>& digest,
                          const std::function<void(Digest& digest)>& consume, std::ostream& err) {
  struct Result {
    std::optional<Digest> digest;
    std::string problem;
    std::vector<std::string> warnings;
  };
  const unsigned threads = detail::ReaderThreads(options.threads, files.size());
  // Readers run at most this far ahead of the consumer: memory stays bounded.
  const std::size_t window = std::size_t(threads) * 2;
  std::vector<std::optional<Result>> slots(window);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t nextToRead = 0, nextToConsume = 0;
  bool stop = false;

  auto reader = [&] {
    for (;;) {
      std::size_t index;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || nextToRead >= files.size() || nextToRead < nextToConsume + window; });
        if (stop || nextToRead >= files.size()) return;
        index = nextToRead++;
      }
      Result result;
      try {
        WorkFileData data;
        result.problem = ReadPortfolioFile(files[index], options.check, data, result.warnings);
        if (result.problem.empty()) result.digest.emplace(digest(files[index], data));
      } catch (const std::exception& e) {
        result.problem = e.what();
      }
      std::lock_guard lock(mutex);
      slots[index % window].emplace(std::move(result));
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (unsigned i = 0; i < threads; ++i) pool.emplace_back(reader);
  auto finish = [&] {
    {
      std::lock_guard lock(mutex);
      stop = true;
    }
    changed.notify_all();
    for (std::thread& t : pool) t.join();
  };

  bool skipped = false;
  try {
    for (; nextToConsume < files.size();) {
      Result result;
      {
        std::unique_lock lock(mutex);
        std::optional<Result>& slot = slots[nextToConsume % window];
        changed.wait(lock, [&] { return slot.has_value(); });
        result = std::move(*slot);
        slot.reset();
      }
      const std::string& file = files[nextToConsume];
      for (const std::string& w : result.warnings) ReportFileProblem(err, file, w);
      if (result.digest) {
        consume(*result.digest);
      } else {
        ReportFileProblem(err, file, result.problem);
        skipped = true;
      }
      {
        std::lock_guard lock(mutex);
        ++nextToConsume;
      }
      changed.notify_all();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return skipped;
}

}  // namespace orvela::cli
