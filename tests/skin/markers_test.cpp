#include "imageslider.h"
#include "platformservices.h"
#include "registry.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "testenvironment.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// Every skinned control leaves its marker under SOFTWARE\Sorvanta of the machine root.
TEST(SkinMarkers, EachControlWritesItsMarker) {
  QWidget parent;
  new CSovSkinButton(1000, ButtonKind::Push, &parent);
  new CSovImageSlider(1020, &parent);
  new CSovStaticTrans(1025, &parent);
  auto key = RegistryKey::Open(testenv::Services().Registry(), RegistryRoot::LocalMachine,
                               QStringLiteral("SOFTWARE\\Sorvanta"));
  ASSERT_TRUE(key.has_value());
  for (const char* name : {"usingSovButton", "usingSovSlider", "usingSovStaticTrans"}) {
    EXPECT_EQ(key->QueryDword(QString::fromLatin1(name)), std::optional<quint32>(1)) << name;
  }
}

}  // namespace
