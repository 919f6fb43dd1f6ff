#include "registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Registry, OpenNeverCreatesAKey) {
  QTemporaryDir dir;
  RegistryStore store(dir.path());
  EXPECT_FALSE(RegistryKey::Open(store, RegistryRoot::CurrentUser, "Software\\GNU\\ffdshow"));
  EXPECT_FALSE(RegistryKey::Open(store, RegistryRoot::CurrentUser, "Software\\GNU\\ffdshow"));

  auto created = RegistryKey::Create(store, RegistryRoot::CurrentUser, "Software\\GNU\\ffdshow");
  ASSERT_TRUE(created);
  EXPECT_TRUE(RegistryKey::Open(store, RegistryRoot::CurrentUser, "Software\\GNU\\ffdshow"));
  // The roots are separate stores.
  EXPECT_FALSE(RegistryKey::Open(store, RegistryRoot::LocalMachine, "Software\\GNU\\ffdshow"));
}

TEST(Registry, ValuesSurviveReopeningAndPathsIgnoreCase) {
  QTemporaryDir dir;
  RegistryStore store(dir.path());
  {
    auto key = RegistryKey::Create(store, RegistryRoot::LocalMachine, "SOFTWARE\\Sorvanta");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetDword("usingSovButton", 1));
    EXPECT_TRUE(key->SetString("whitelist", ";a.exe;"));
  }
  auto key = RegistryKey::Open(store, RegistryRoot::LocalMachine, "software\\sorvanta");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->QueryDword("usingSovButton"), 1u);
  EXPECT_EQ(key->QueryString("whitelist"), QString(";a.exe;"));
  EXPECT_FALSE(key->QueryDword("missing"));
}

TEST(Registry, UnwritableStoreReportsFailure) {
  // A root whose file cannot be created is not opened and cannot be created.
  RegistryStore readOnly("/proc/tavro-no-such-dir");
  EXPECT_FALSE(RegistryKey::Create(readOnly, RegistryRoot::LocalMachine, "SOFTWARE\\Sorvanta"));
}
