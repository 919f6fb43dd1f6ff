// Fuzz target: a file name as the file system gives it, through everything the player reads from
// a recording's name (extension, type code, date, the text it shows).
#include "recordingentry.h"
#include "recordingscan.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString name = QFile::decodeName(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  for (const char* code : {"", "NOR", "EVT", "MOT"}) {
    ScanFilter filter;
    filter.typeCode = QString::fromLatin1(code);
    filter.dateFilter = name.size() % 2 == 0;
    filter.dateKey = name.left(8);
    NamePasses(name, filter);
  }
  RecordingTypeCode(name);
  RecordingDisplayName(name);
  return 0;
}
