#include "decodersettings.h"

#include "registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kName = QStringLiteral("TAVRO Roadcask QX5.exe");
const QString kKey = QStringLiteral("Software\\GNU\\ffdshow");
}  // namespace

TEST(DecoderSettings, WhitelistGetsThePlayerOnceWithoutDoubledSeparators) {
  struct Case {
    QString before;
    std::optional<QString> after;
  };
  const Case cases[] = {
      {"a.exe;b.exe", "a.exe;b.exe;" + kName + ";"},
      {"a.exe;b.exe;", "a.exe;b.exe;" + kName + ";"},
      {"", ";" + kName + ";"},
      {";x.exe;" + kName + ";", std::nullopt},
      {"My " + kName + " copy.exe;", std::nullopt},  // part of a longer name counts as present
      {"tavro roadcask qx5.exe;", "tavro roadcask qx5.exe;" + kName + ";"},  // case-sensitive
  };
  for (const Case& c : cases) EXPECT_EQ(WhitelistWithPlayer(c.before), c.after) << c.before.toStdString();
}

TEST(DecoderSettings, NeverCreatesTheDecoderKey) {
  QTemporaryDir dir;
  RegistryStore store(dir.path());
  ApplyDecoderSettings(store);
  EXPECT_FALSE(RegistryKey::Open(store, RegistryRoot::CurrentUser, kKey));
}

TEST(DecoderSettings, WritesValuesAndIsIdempotent) {
  QTemporaryDir dir;
  RegistryStore store(dir.path());
  RegistryKey::Create(store, RegistryRoot::CurrentUser, kKey)->SetString("whitelist", "a.exe;");
  ApplyDecoderSettings(store);
  ApplyDecoderSettings(store);
  auto key = RegistryKey::Open(store, RegistryRoot::CurrentUser, kKey);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->QueryDword("multipleInstances"), 0u);
  EXPECT_EQ(key->QueryDword("h264"), 1u);
  EXPECT_EQ(key->QueryString("whitelist"), "a.exe;" + kName + ";");
}

TEST(DecoderSettings, ALongWhitelistKeepsItsTail) {
  QTemporaryDir dir;
  RegistryStore store(dir.path());
  QString longList;
  for (int i = 0; longList.size() < 6000; ++i) longList += QString("program%1.exe;").arg(i, 4, 10, QChar('0'));
  RegistryKey::Create(store, RegistryRoot::CurrentUser, kKey)->SetString("whitelist", longList);
  ApplyDecoderSettings(store);
  EXPECT_EQ(RegistryKey::Open(store, RegistryRoot::CurrentUser, kKey)->QueryString("whitelist"), longList + kName + ";");
}
