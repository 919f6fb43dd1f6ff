// Fuzz target: the recorder's configuration file, as the information dialog reads its version.
#include "cardfigures.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = FirmwareVersionFromHeader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  // Whatever the bytes, the text is a version as the recorder writes it or nothing.
  if (!text.isEmpty() && (text.size() > 6 || text.count('.') != 1)) __builtin_trap();
  return 0;
}
