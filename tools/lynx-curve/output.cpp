// Writing an output file whole or not at all (the operating system's side
// is in output_posix.cpp and output_windows.cpp).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "curve.hpp"
#include "output_platform.hpp"

namespace curve {

namespace {

// Writes text to an open stream and closes it; false with errno set on
// failure.  sync: make the data durable first, where the platform does.
bool write_and_close(std::FILE *out, const std::string &text, bool sync) {
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  ok = std::fflush(out) == 0 && ok;
  ok = ok && (!sync || platform::sync(out));
  const int saved = errno;
  ok = std::fclose(out) == 0 && ok;
  if (!ok && saved != 0) errno = saved;
  return ok;
}

// Writes text to target through a temporary file beside it and a rename,
// so that target is either complete or as it was.  mode: the permissions
// to give the file, or -1 for those of a new file.
bool replace_atomically(const std::string &shown, const std::string &target,
                        const std::string &text, long mode, std::string &error) {
  std::string temporary;
  std::FILE *out = platform::create_beside(target, mode, temporary);
  if (out == nullptr) {
    error = shown + ": cannot create a temporary file beside it: " + std::strerror(errno);
    return false;
  }
  errno = 0;
  if (!write_and_close(out, text, true)) {
    error = shown + ": cannot write: " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  if (!platform::rename_over(temporary, target)) {
    error = shown + ": cannot rename the finished file into place: " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool write_output(const std::string &path, const std::string &text, std::string &error) {
  if (path == "-") {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
      error = "cannot write standard output: " + std::string(std::strerror(errno));
      return false;
    }
    return true;
  }
  platform::Destination where;
  if (!platform::destination(path, where, error)) return false;
  if (where.replace) return replace_atomically(path, where.target, text, where.mode, error);
  // A device, a FIFO or a socket: written directly, never replaced.
  std::FILE *out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    error = path + ": cannot open: " + std::strerror(errno);
    return false;
  }
  errno = 0;
  if (!write_and_close(out, text, false)) {
    error = path + ": cannot write: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace curve
