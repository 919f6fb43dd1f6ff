#include "removabledrives.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

// A machine with a USB card reader (sdb, removable), a built-in SD slot (mmcblk0, which reports
// removable 0), a USB disk known only through udev (sdc), a fixed disk (sda) and mounts that are
// no drive roots at all.
const char kMountInfo[] =
    "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
    "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
    "40 28 8:1 / /home rw,relatime shared:2 master:1 - ext4 /dev/sda1 rw\n"
    "41 28 8:17 / /media/user/NO\\040NAME rw,nosuid - vfat /dev/sdb1 rw,fmask=0022\n"
    "42 28 179:1 / /media/sd rw - exfat /dev/mmcblk0p1 rw\n"
    "43 28 8:33 / /media/usbdisk rw - ext4 /dev/sdc1 rw\n"
    "44 28 8:17 /Recordings /mnt/bound rw - vfat /dev/sdb1 rw\n"
    "45 28 7:0 / /snap/core rw - squashfs /dev/loop0 ro\n"
    "46 28 0:50 / /media/exfat rw - fuseblk /dev/sdd1 rw\n"
    "47 28 0:51 / /media/share rw - cifs //server/share rw\n";

class MountFixture {
 public:
  MountFixture() {
    const QString sys = Path("sys");
    Write("sys/block/sda/removable", "0\n");
    QDir().mkpath(sys + "/block/sda/sda1");
    Write("sys/block/sdb/removable", "1\n");
    QDir().mkpath(sys + "/block/sdb/sdb1");
    Write("sys/block/sdc/removable", "0\n");
    QDir().mkpath(sys + "/block/sdc/sdc1");
    Write("sys/block/mmcblk0/removable", "0\n");
    QDir().mkpath(sys + "/block/mmcblk0/mmcblk0p1");
    Write("sys/block/loop0/removable", "0\n");
    Write("sys/block/sdd/removable", "1\n");  // a stick mounted through FUSE
    QDir().mkpath(sys + "/block/sdd/sdd1");
    Write("sys/class/block/sdd1/dev", "8:49\n");
    Write("udev/b8:49", "E:ID_BUS=usb\nE:ID_FS_LABEL=STICK\n");
    // The device links the kernel keeps by number; the card reader's is the one that resolves.
    QDir().mkpath(sys + "/dev/block");
    QFile::link(sys + "/block/sdb/sdb1", sys + "/dev/block/8:17");
    Write("udev/b8:17", "S:disk/by-label/NO\\x20NAME\nE:ID_BUS=usb\nE:ID_FS_LABEL=NO_NAME\n"
                        "E:ID_FS_LABEL_ENC=NO\\x20NAME\n");
    Write("udev/b8:33", "E:ID_BUS=usb\nE:ID_FS_TYPE=ext4\n");
    Write("udev/b8:1", "E:ID_BUS=ata\nE:ID_FS_LABEL=home\n");
    QDir().mkpath(Path("by-label"));
    QFile::link("../../mmcblk0p1", Path("by-label/REC\\x20CARD"));
    WriteMountInfo(kMountInfo);
  }

  MountSources Sources() const {
    return {Path("mountinfo"), Path("sys"), Path("udev"), Path("by-label")};
  }
  void WriteMountInfo(const QByteArray& text) { Write("mountinfo", text); }
  QString Path(const QString& relative) const { return dir.path() + "/" + relative; }

 private:
  void Write(const QString& relative, const QByteArray& text) {
    QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
    QFile f(Path(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  }
  QTemporaryDir dir;
};

TEST(RemovableDrives, ParsesMountInfo) {
  const QList<MountEntry> entries = RemovableDrives::ParseMountInfo(
      QByteArray(kMountInfo) + "garbage line\n\n12 1 x:y / /bad rw - t s o\n");
  ASSERT_EQ(entries.size(), 10);
  const MountEntry& card = entries[3];
  EXPECT_EQ(card.major, 8);
  EXPECT_EQ(card.minor, 17);
  EXPECT_EQ(card.root, "/");
  EXPECT_EQ(card.mountPoint, "/media/user/NO NAME");
  EXPECT_EQ(card.fsType, "vfat");
  EXPECT_EQ(card.source, "/dev/sdb1");
  // Optional fields before the separator do not shift the fields after it.
  EXPECT_EQ(entries[2].fsType, "ext4");
  EXPECT_EQ(entries[2].source, "/dev/sda1");
  EXPECT_EQ(entries[6].root, "/Recordings");
}

TEST(RemovableDrives, EnumeratesRemovableVolumesInRootOrder) {
  MountFixture fixture;
  RemovableDrives drives(fixture.Sources());
  const QList<RemovableVolume> volumes = drives.Enumerate();
  ASSERT_EQ(volumes.size(), 4);
  EXPECT_EQ(volumes[0].root, "/media/exfat/");
  EXPECT_EQ(volumes[0].label, "STICK");  // udev found through the device's own number
  EXPECT_EQ(volumes[1].root, "/media/sd/");
  EXPECT_EQ(volumes[1].label, "REC CARD");  // from the by-label link
  EXPECT_EQ(volumes[2].root, "/media/usbdisk/");
  EXPECT_EQ(volumes[2].label, "");
  EXPECT_EQ(volumes[3].root, "/media/user/NO NAME/");
  EXPECT_EQ(volumes[3].label, "NO NAME");  // udev's encoded label keeps the space
  EXPECT_TRUE(drives.IsRemovable("/media/sd/"));
  EXPECT_FALSE(drives.IsRemovable("/home/"));
  EXPECT_FALSE(drives.IsRemovable("/mnt/bound/"));
}

TEST(RemovableDrives, SignalsMountsThatDisappearAndAppear) {
  MountFixture fixture;
  RemovableDrives drives(fixture.Sources());
  QSignalSpy removed(&drives, &RemovableDrives::volumeRemoved);
  QSignalSpy added(&drives, &RemovableDrives::volumeAdded);

  QByteArray table(kMountInfo);
  table.replace("41 28 8:17 / /media/user/NO\\040NAME rw,nosuid - vfat /dev/sdb1 rw,fmask=0022\n", "");
  fixture.WriteMountInfo(table);
  drives.CheckMounts();
  ASSERT_EQ(removed.count(), 1);
  EXPECT_EQ(removed.at(0).at(0).toString(), "/media/user/NO NAME/");
  EXPECT_EQ(added.count(), 0);

  drives.CheckMounts();  // nothing changed since
  EXPECT_EQ(removed.count(), 1);

  fixture.WriteMountInfo(kMountInfo);
  drives.CheckMounts();
  ASSERT_EQ(added.count(), 1);
  EXPECT_EQ(added.at(0).at(0).toString(), "/media/user/NO NAME/");
}

TEST(RemovableDrives, SpaceOfAFolder) {
  RemovableDrives drives;
  QTemporaryDir dir;
  const auto space = drives.Space(dir.path());
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->totalBytes, 0u);
  EXPECT_LE(space->availableBytes, space->totalBytes);
  EXPECT_FALSE(drives.Space("/nonexistent/folder").has_value());
}

TEST(RemovableDrives, WatchesTheKernelMountTable) {
  RemovableDrives drives;
  EXPECT_FALSE(drives.IsWatching());
  drives.StartWatching();
  ASSERT_TRUE(drives.IsWatching());
  const auto notifiers = drives.findChildren<QSocketNotifier*>();
  ASSERT_EQ(notifiers.size(), 1);
  EXPECT_EQ(notifiers[0]->type(), QSocketNotifier::Exception);

#if defined(__linux__)
  // Where the test may mount, a real unmount must reach the signal through the kernel's POLLPRI.
  QTemporaryDir mountPoint;
  if (geteuid() != 0 ||
      ::mount("tavro-test", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
              "size=64k") != 0)
    GTEST_SKIP() << "mounting is not permitted here";
  QSignalSpy added(&drives, &RemovableDrives::volumeAdded);
  QSignalSpy removed(&drives, &RemovableDrives::volumeRemoved);
  const bool sawMount = added.wait(5000);
  ::umount(QFile::encodeName(mountPoint.path()).constData());
  EXPECT_TRUE(sawMount);
  ASSERT_TRUE(removed.count() > 0 || removed.wait(5000));
  EXPECT_EQ(removed.at(0).at(0).toString(), mountPoint.path() + "/");
#endif
}

}  // namespace
