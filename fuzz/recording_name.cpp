// Fuzz target: a file name as the file system gives it, through everything the player reads from
// a recording's name (extension, type code, date, the text it shows), and through the mapping
// between a name's bytes and the player's text, which must give back exactly the bytes it took.
#include "nativepath.h"
#include "recordingentry.h"
#include "recordingscan.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// No unpaired surrogate, no control character: what a shown name may hold.
bool Showable(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    if (c.isSurrogate() || c.category() == QChar::Other_Control) return false;
  }
  return true;
}

bool WellFormedUtf16(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    if (text[i].isSurrogate()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QString name = PathFromNative(bytes);
  // The file found by a scan must be the file later opened, copied or deleted.
  if (NativePath(name) != bytes) std::abort();
  // Text that came from anywhere else (a folder the user chose): well-formed text comes back.
  const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
  if (WellFormedUtf16(text) && PathFromNative(NativePath(text)) != text) std::abort();

  for (const char* code : {"", "NOR", "EVT", "MOT"}) {
    ScanFilter filter;
    filter.typeCode = QString::fromLatin1(code);
    filter.dateFilter = name.size() % 2 == 0;
    filter.dateKey = name.left(8);
    NamePasses(name, filter);
  }
  RecordingTypeCode(name);
  if (!Showable(RecordingDisplayName(name))) std::abort();
  return 0;
}
