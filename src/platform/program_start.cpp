// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_start.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cerrno>
#include <cstring>

namespace {
constexpr int kHeadSize = 64;

QByteArray readHead(int fd) {
  QByteArray head(kHeadSize, '\0');
  qsizetype got = 0;
  while (got < kHeadSize) {
    const ssize_t n = ::read(fd, head.data() + got, static_cast<std::size_t>(kHeadSize - got));
    if (n > 0)
      got += n;
    else if (n == 0 || errno != EINTR)
      break;
  }
  head.truncate(got);
  return head;
}

// e_type of an ELF head in its own byte order.
int elfType(const QByteArray& head) {
  const auto lo = static_cast<unsigned char>(head[16]);
  const auto hi = static_cast<unsigned char>(head[17]);
  return head[EI_DATA] == ELFDATA2MSB ? (lo << 8 | hi) : (hi << 8 | lo);
}
}  // namespace

ProgramKind ClassifyProgram(const QByteArray& head, const QByteArray& ownElfHeader) {
  if (head.isEmpty()) return ProgramKind::Empty;
  if (head.startsWith("#!")) return ProgramKind::Script;
  if (head.startsWith("MZ")) return ProgramKind::WindowsProgram;
  // ELF: magic, class (32/64 bit), byte order, then e_type at 16 and e_machine at 18.
  const auto isElf = [](const QByteArray& h) { return h.size() >= 20 && h.startsWith(ELFMAG); };
  if (!isElf(head) || !isElf(ownElfHeader)) return ProgramKind::Other;
  const bool sameMachine = head[EI_CLASS] == ownElfHeader[EI_CLASS] &&
                           head[EI_DATA] == ownElfHeader[EI_DATA] &&
                           head.mid(18, 2) == ownElfHeader.mid(18, 2);
  const int type = elfType(head);
  return sameMachine && (type == ET_EXEC || type == ET_DYN) ? ProgramKind::NativeProgram : ProgramKind::Other;
}

QByteArray OwnElfHeader() {
  const int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  const QByteArray head = readHead(fd);
  ::close(fd);
  return head;
}

qint64 StartProgramDetached(const QString& path, QString* error) {
  const auto refuse = [&](const QString& why) {
    if (error) *error = why;
    return qint64(0);
  };
  // Checked and made executable through one descriptor opened without following a link, so that the
  // file that is checked is the file whose mode changes.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return refuse(QString::fromLocal8Bit(std::strerror(errno)));
  struct stat st {};
  QString why;
  if (::fstat(fd, &st) != 0)
    why = QString::fromLocal8Bit(std::strerror(errno));
  else if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
    why = QStringLiteral("Not a file of this user");
  else if (const ProgramKind kind = ClassifyProgram(readHead(fd), OwnElfHeader());
           kind != ProgramKind::NativeProgram && kind != ProgramKind::Script)
    why = QStringLiteral("Not a program for this system");
  else if (::fchmod(fd, S_IRWXU) != 0)
    why = QString::fromLocal8Bit(std::strerror(errno));
  ::close(fd);
  if (!why.isEmpty()) return refuse(why);

  qint64 pid = 0;
  if (!QProcess::startDetached(path, {}, QFileInfo(path).absolutePath(), &pid) || pid <= 0)
    return refuse(QStringLiteral("The program could not be started"));
  return pid;
}
