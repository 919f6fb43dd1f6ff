// The scan of one folder into recording rows: which files are recordings, what each row shows,
// and the order of the rows.
#pragma once

#include "recordingentry.h"

#include <QString>
#include <optional>
#include <stop_token>
#include <vector>

struct ScanFilter {
  QString typeCode;         // "NOR", "EVT", "MOT", or empty for every type
  bool dateFilter = false;  // only names whose first eight characters equal dateKey
  QString dateKey;          // "%04d%02d%02d", see DateKey()
};

// Whether a file of this name is listed under the filter (the extension, the type code at 16 to
// 18 and the date at 0 to 7); the size is checked apart.
bool NamePasses(const QString& name, const ScanFilter& filter);

// The regular files directly inside folder (subfolders are not entered) that pass the filter,
// sorted by name; each row's path holds the name's bytes as the file system gave them (see
// nativepath.h). A folder that cannot be read gives no rows, and so does a scan asked to stop.
// Blocks for as long as the file system takes: call it off the user-interface thread.
std::vector<RecordingEntry> ListFolderEntries(const QString& folder, const ScanFilter& filter,
                                              std::stop_token stop = {});

// The type code of a type filter: 1 All (and any unknown value), 2 Normal, 3 Event, 4 Motion.
QString TypeCodeForFilter(int typeFilter);

// The folder a scan lists: the card's "Recordings" folder, or the chosen folder itself.
QString RecordingsFolder(const QString& cardRoot, bool folderMode);
// Whether root ("/.../") holds a "Recordings" folder, as a card and a copy of a whole card do.
// A look at the file system: call it off the user-interface thread.
bool HoldsRecordingsFolder(const QString& root);

// Ordinal order of two names: UTF-16 code units compared as unsigned numbers, a prefix first.
bool NameLess(const QString& a, const QString& b);

// Creation time of a file as the scan shows it: the earlier of its birth time and its last
// modification time (either alone where the file system records only one); 0 when neither can
// be read.
qint64 RecordingTime(std::optional<qint64> birth, std::optional<qint64> modified);
