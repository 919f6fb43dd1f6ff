#include "nativepath.h"
#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Write(const QByteArray& path, const QByteArray& bytes) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
  ::close(fd);
  return ok;
}

// Nothing but a regular file is opened for reading, and nothing is waited on: a FIFO without a
// writer would hold a blocking open for ever, so a wrong answer here hangs the test.
TEST(RegularFile, OnlyRegularFilesAreOpened) {
  QTemporaryDir dir;
  const QByteArray root = QFile::encodeName(dir.path()) + "/";
  ASSERT_TRUE(Write(root + "file", "recording"));
  ASSERT_EQ(::mkfifo((root + "fifo").constData(), 0600), 0);
  ASSERT_EQ(::symlink((root + "fifo").constData(), (root + "link-to-fifo").constData()), 0);
  ASSERT_EQ(::symlink("/dev/zero", (root + "link-to-device").constData()), 0);
  ASSERT_EQ(::symlink((root + "link-loop").constData(), (root + "link-loop").constData()), 0);
  ASSERT_TRUE(QDir().mkdir(dir.filePath("folder")));
  struct Case {
    const char* name;
    bool opens;
  };
  const Case cases[] = {{"file", true},          {"fifo", false},           {"link-to-fifo", false},
                        {"link-to-device", false}, {"link-loop", false},    {"folder", false},
                        {"missing", false}};
  for (const Case& c : cases) {
    const QString path = PathFromNative(root + c.name);
    const std::optional<QByteArray> head = ReadRegularFileHead(path, 4);
    EXPECT_EQ(head.has_value(), c.opens) << c.name;
    EXPECT_EQ(IsRegularFile(path), c.opens) << c.name;
    QFile file;
    EXPECT_EQ(OpenRegularFile(file, path), c.opens) << c.name;
    if (c.opens) {
      EXPECT_EQ(*head, "reco");
      EXPECT_EQ(file.readAll(), "recording");
    }
  }
}

// A name that is not UTF-8 opens its own file, not the one Qt's encoding would make of it.
TEST(RegularFile, ANameThatIsNotUtf8OpensItsOwnFile) {
  QTemporaryDir dir;
  const QByteArray root = QFile::encodeName(dir.path()) + "/";
  ASSERT_TRUE(Write(root + "clip\xB7.AVI", "mine"));
  ASSERT_TRUE(Write(root + "clip\xEF\xBF\xBD.AVI", "neighbour"));
  const QString path = PathFromNative(root + "clip\xB7.AVI");
  EXPECT_EQ(ReadRegularFileHead(path, 100), QByteArray("mine"));
  QFile file;
  ASSERT_TRUE(OpenRegularFile(file, path));
  EXPECT_EQ(file.readAll(), "mine");
  ::unlink((root + "clip\xB7.AVI").constData());  // Qt cannot remove what it cannot name
}

}  // namespace
