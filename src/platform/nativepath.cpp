#include "nativepath.h"

#include <algorithm>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + byte, for bytes 0x80 to 0xFF
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at bytes[at], or 0 when there is none there
// (overlong forms, encoded surrogates and code points above U+10FFFF are ill-formed).
int SequenceLength(const unsigned char* bytes, qsizetype at, qsizetype size) {
  const unsigned char lead = bytes[at];
  if (lead < 0x80) return 1;
  int length = 0;
  unsigned char low = 0x80;  // the range of the second byte, narrowed for some leads
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (size - at < length) return 0;
  if (bytes[at + 1] < low || bytes[at + 1] > high) return 0;
  for (int i = 2; i < length; ++i)
    if (!IsContinuation(bytes[at + i])) return 0;
  return length;
}

char32_t Decode(const unsigned char* s, int length) {
  switch (length) {
    case 1: return s[0];
    case 2: return char32_t(s[0] & 0x1F) << 6 | (s[1] & 0x3F);
    case 3: return char32_t(s[0] & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
    default:
      return char32_t(s[0] & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 | char32_t(s[2] & 0x3F) << 6 |
             (s[3] & 0x3F);
  }
}

void AppendUtf8(QByteArray& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

}  // namespace

QString PathFromNative(QByteArrayView bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  // Recorders write ASCII names; a scan of ten thousand of them should not pay for decoding.
  if (std::all_of(s, s + size, [](unsigned char b) { return b < 0x80; })) return QString::fromLatin1(bytes);
  QString path;
  path.reserve(size);
  qsizetype at = 0;
  while (at < size) {
    const int length = SequenceLength(s, at, size);
    if (length == 0) {
      path += QChar(char16_t(kEscapeBase + s[at]));
      ++at;
      continue;
    }
    const char32_t c = Decode(s + at, length);
    if (c < 0x10000) {
      path += QChar(char16_t(c));
    } else {
      path += QChar(QChar::highSurrogate(c));
      path += QChar(QChar::lowSurrogate(c));
    }
    at += length;
  }
  return path;
}

QByteArray NativePath(const QString& path) {
  QByteArray out;
  out.reserve(path.size());
  const qsizetype size = path.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t u = path[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < size && QChar::isLowSurrogate(path[i + 1].unicode())) {
      AppendUtf8(out, QChar::surrogateToUcs4(u, path[i + 1].unicode()));
      ++i;
    } else if (u >= kFirstEscape && u <= kLastEscape) {
      out += char(u - kEscapeBase);
    } else if (QChar::isSurrogate(u)) {
      AppendUtf8(out, QChar::ReplacementCharacter);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}
