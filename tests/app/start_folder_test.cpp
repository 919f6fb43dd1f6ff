// The folder given at start: a copy of a whole card (it has its "Recordings" folder) is listed as
// a card, any other folder as a folder of recordings. Whether it is a card is found off the
// window's thread, so the listing and its control states come with the rows.
#include "appfixture.h"

#include "configlistctrl.h"
#include "fakecard.h"
#include "resourceids.h"
#include "skinbutton.h"

#include <gtest/gtest.h>

TEST(StartFolder, ACopyOfAWholeCardIsListedAsACardAnyOtherFolderAsAFolder) {
  FakeCard card;
  card.AddRecording("20261209_080000_NOR_1F.AVI", 4096);
  card.AddRecording("20261209_080100_EVT_1F.AVI", 4096);
  card.AddFile("20261209_090000_NOR_1F.AVI", 4096);  // beside "Recordings": listed only as a folder
  struct Case {
    const char* what;
    QString folder;
    bool folderMode;
    QStringList names;
  };
  const Case cases[] = {
      {"card copy", card.Root(), false, {"20261209_080000_NOR_1F.AVI", "20261209_080100_EVT_1F.AVI"}},
      {"folder", card.RecordingsPath(), true, {"20261209_080000_NOR_1F.AVI", "20261209_080100_EVT_1F.AVI"}},
  };
  for (const Case& c : cases) {
    MainWindowFixture f;
    ASSERT_TRUE(f.window->OnInitDialog());
    ASSERT_TRUE(f.Listed([&] { f.window->ListFolderMode(c.folder); })) << c.what;
    QStringList names;
    for (int row = 0; row < f.window->RecordingList()->GetItemCount(); ++row)
      names << f.window->RecordingList()->GetItemText(row, 0);
    EXPECT_EQ(names, c.names) << c.what;
    EXPECT_EQ(f.window->FolderMode(), c.folderMode) << c.what;
    EXPECT_EQ(f.window->CardRoot(), c.folder.endsWith('/') ? c.folder : c.folder + '/') << c.what;
    EXPECT_EQ(f.window->Button(ids::IDC_FOLDER)->GetCheck(), c.folderMode) << c.what;
    EXPECT_TRUE(f.window->Button(ids::IDC_TYPE_ALL)->GetCheck()) << c.what;
    EXPECT_EQ(f.window->CurrentControlState(), CTavroPlayerDlg::Listed) << c.what;
  }
}
