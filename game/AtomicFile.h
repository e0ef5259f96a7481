// Small files that the game keeps between runs (the high score, the typing
// record): read without ever blocking or reading much, and replaced
// atomically under a lock, so that a crash, a full disk or another game
// ending at once leaves either the old contents or the new ones.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace atomic_file {

// The file a save must replace: path with symbolic links followed, so that
// a link stays a link and its target gets the new contents. Empty for a
// loop or an unreadable link.
std::string resolveLinks(std::string path);

// Up to limit + 1 bytes from the start of path, so that the caller can tell
// a file longer than limit. Returns false, leaving *p_text empty, when path
// is not a regular file or cannot be read. A FIFO or device is never
// opened for reading, so nothing blocks.
bool readStart(const std::string& path, std::size_t limit, std::string* p_text);

// Replaces target's contents by text: a temporary file beside it, synced
// and renamed over it. Returns 0, or -1 with target untouched.
int replace(const std::string& target, const std::string& text);

// An exclusive lock on "<file>.lock", held for the object's lifetime. The
// lock file stays: removing it would let a waiting process lock a file that
// is no longer the one others find.
class SaveLock {
 public:
  enum State { HELD, BUSY, NO_LOCK_FILE };

  SaveLock(const std::string& target, std::chrono::milliseconds wait);
  ~SaveLock();
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  State getState() const;

 private:
  int fd;
  State state;
};

// How long a save waits for another process's save to finish. Saves take
// milliseconds; a holder that stays longer is stopped or stuck, and the
// game must not freeze behind it.
const std::chrono::milliseconds LOCK_WAIT(2000);

// Removes the temporaries that killed saves left beside path: only names
// of the exact form replace() creates, owned by this user, no bigger than
// max_size, older than a few seconds, and only while no other process
// holds the lock. Returns how many went.
int removeStaleTemporaries(const std::string& path, off_t max_size);

}  // namespace atomic_file
