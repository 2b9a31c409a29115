// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/private_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {
QString reasonOf(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}
}  // namespace

bool MakePrivateFolder(const QString& folder, QString* error) {
  // A trailing "/" (or "/.") makes the kernel resolve a link in the last component before
  // O_NOFOLLOW looks at it, so the name is cut back to the entry itself, whatever the caller passed.
  const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
  const auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return fail(reasonOf(errno));
  // Opened without following a link, so the checks and the mode change hit the same folder.
  const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return fail(reasonOf(errno));
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (!ok)
    fail(reasonOf(errno));
  else if (st.st_uid != ::geteuid())
    ok = fail(QStringLiteral("The folder belongs to another user"));
  else if ((st.st_mode & 07777) != 0700 && ::fchmod(fd, 0700) != 0)
    ok = fail(reasonOf(errno));
  ::close(fd);
  return ok;
}

void WriteNewPrivateFile(const QString& path, const QByteArray& bytes, int mode) {
  const QByteArray name = QFile::encodeName(path);
  const auto fail = [&](int error) {
    throw std::runtime_error(
        QStringLiteral("Cannot create file \"%1\". %2").arg(path, reasonOf(error)).toStdString());
  };
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        static_cast<mode_t>(mode));
  if (fd < 0) fail(errno);
  // The mode asked for, whatever the umask took away.
  int error = ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
  for (qsizetype done = 0; error == 0 && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
    if (n > 0)
      done += n;
    else if (n < 0 && errno != EINTR)
      error = errno;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(name.constData());
    fail(error);
  }
}
