#include "resourceids.h"
#include "stringtable.h"

#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(StringTable, LoadsExactlyTheAskedLanguage) {
  QTemporaryDir dir;
  QFile f(dir.filePath("s.json"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(R"({"1033": {"448": "Detected no drive with a memory card.", "7": "only english"},
             "1042": {"448": "메모리 카드가 삽입된 드라이브가 없습니다."}})");
  f.close();
  StringTable table(f.fileName());
  EXPECT_EQ(table.Load(448, 1042), QString("메모리 카드가 삽입된 드라이브가 없습니다."));
  EXPECT_EQ(table.Load(448, 1033), QString("Detected no drive with a memory card."));
  // No fallback to another language: a missing id is empty.
  EXPECT_TRUE(table.Load(7, 1042).isEmpty());
  EXPECT_TRUE(table.Load(448, 1041).isEmpty());
}

TEST(StringTable, BuiltInTableHasEveryLanguageAndTheQuotedTexts) {
  StringTable table;
  for (int lang : {1033, 1041, 1042, 1049}) {
    EXPECT_TRUE(table.HasLanguage(lang)) << lang;
    EXPECT_EQ(table.Load(ids::IDS_APP_TITLE, lang), QString("TAVRO Roadcask")) << lang;
  }
  EXPECT_EQ(table.Load(ids::IDS_DELETE_CONFIRM, 1042), QString("선택된 파일을 삭제 하시겠습니까?"));
  EXPECT_EQ(table.Load(ids::IDS_DELETE_CONFIRM, 1033), QString("Delete selected file?"));
  EXPECT_EQ(table.Load(ids::IDS_PLAYER_VERSION, 1042), QString("1.0.0"));
  EXPECT_EQ(table.Load(ids::IDS_PLAYER_VERSION, 1033), QString("1.1.6"));
  EXPECT_EQ(table.Load(ids::IDS_SUPPORT_PHONE, 1033), QString(" "));
}
