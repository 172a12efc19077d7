// Output files on POSIX systems.  A regular file is replaced whole where its
// symbolic links lead, so that a link stays a link and the file keeps its
// permissions; a path naming nothing yet (or a chain of links ending in
// nothing) gets a new file where the chain ends; devices, FIFOs and sockets
// are written directly; a directory is an error.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "output_platform.hpp"

namespace curve::platform {

namespace {

// The path that a chain of symbolic links ending in nothing names: where
// writing through the first link would create the file.
bool dangling_target(const std::string &path, std::string &target, std::string &error) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat link;
    if (lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return true;
    std::vector<char> buffer(static_cast<size_t>(link.st_size > 0 ? link.st_size : 255) + 1);
    const ssize_t length = readlink(target.c_str(), buffer.data(), buffer.size());
    if (length < 0 || static_cast<size_t>(length) >= buffer.size()) {
      error = path + ": cannot read the symbolic link " + target;
      return false;
    }
    const std::string next(buffer.data(), static_cast<size_t>(length));
    const size_t slash = target.rfind('/');
    target =
        next[0] == '/' || slash == std::string::npos ? next : target.substr(0, slash + 1) + next;
  }
  error = path + ": too many levels of symbolic links";
  return false;
}

}  // namespace

bool destination(const std::string &path, Destination &where, std::string &error) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    // Nothing there yet, or a symbolic link to nothing yet: the file is
    // created where the link points.
    where = Destination{true, std::string(), -1};
    return dangling_target(path, where.target, error);
  }
  if (S_ISDIR(st.st_mode)) {
    error = path + ": is a directory";
    return false;
  }
  if (S_ISREG(st.st_mode)) {
    char *resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    where = Destination{true, resolved, static_cast<long>(st.st_mode & 07777)};
    std::free(resolved);
    return true;
  }
  where = Destination{false, path, -1};
  return true;
}

std::FILE *create_beside(const std::string &target, long mode, std::string &temporary) {
  std::vector<char> name(target.begin(), target.end());
  const char suffix[] = ".XXXXXX";
  name.insert(name.end(), suffix, suffix + sizeof suffix);
  const int fd = mkstemp(name.data());
  if (fd < 0) return nullptr;
  // mkstemp makes the file private; give it the mode of the file it
  // replaces, or the one a new file gets.
  if (mode < 0) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, static_cast<mode_t>(mode));
  temporary = name.data();
  std::FILE *out = fdopen(fd, "wb");
  if (out == nullptr) {
    close(fd);
    std::remove(temporary.c_str());
  }
  return out;
}

bool sync(std::FILE *out) {
  return fsync(fileno(out)) == 0;
}

bool rename_over(const std::string &temporary, const std::string &target) {
  return std::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace curve::platform
