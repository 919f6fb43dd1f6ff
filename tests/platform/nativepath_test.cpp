#include "nativepath.h"

#include <gtest/gtest.h>

namespace {

QString Escaped(const QString& valid, std::initializer_list<unsigned char> bytes) {
  QString text = valid;
  for (unsigned char b : bytes) text += QChar(char16_t(0xDC00 + b));
  return text;
}

// Every byte string comes back exactly; valid UTF-8 reads as usual and each byte of anything else
// stands as its own escape.
TEST(NativePath, BytesSurviveTheTripThroughText) {
  struct Case {
    const char* what;
    QByteArray bytes;
    QString text;
  };
  const Case cases[] = {
      {"ASCII", "20240105_093000_NOR_F1.AVI", "20240105_093000_NOR_F1.AVI"},
      {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", QString::fromUtf8("é€😀")},
      {"Latin-1 byte", "caf\xE9.AVI", Escaped("caf", {0xE9}) + ".AVI"},
      {"lone continuation", "\x80", Escaped("", {0x80})},
      {"truncated at the end", "a\xE2\x82", Escaped("a", {0xE2, 0x82})},
      {"truncated before ASCII", "\xE2\x82x", Escaped("", {0xE2, 0x82}) + "x"},
      {"overlong slash", "\xC0\xAF", Escaped("", {0xC0, 0xAF})},
      {"overlong three bytes", "\xE0\x80\xAF", Escaped("", {0xE0, 0x80, 0xAF})},
      {"encoded surrogate", "\xED\xA0\x80", Escaped("", {0xED, 0xA0, 0x80})},
      {"encoded escape", "\xED\xB2\x80", Escaped("", {0xED, 0xB2, 0x80})},
      {"above U+10FFFF", "\xF4\x90\x80\x80", Escaped("", {0xF4, 0x90, 0x80, 0x80})},
      {"never a lead", "\xFF\xFE", Escaped("", {0xFF, 0xFE})},
      // U+10080's low half is in the range of the escapes: the pair must stay a pair.
      {"pair whose low half looks like an escape", "\xF0\x90\x82\x80\xB7",
       Escaped(QString::fromUtf8("\xF0\x90\x82\x80"), {0xB7})},
      {"replacement character itself", "\xEF\xBF\xBD", QString(QChar::ReplacementCharacter)},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathFromNative(c.bytes), c.text) << c.what;
    EXPECT_EQ(NativePath(PathFromNative(c.bytes)), c.bytes) << c.what;
  }
}

// The name Qt would make of a byte that is not UTF-8 is U+FFFD, whose own file is another one.
TEST(NativePath, AnInvalidByteNeverNamesTheReplacementCharactersFile) {
  const QByteArray latin1 = "20240105_093000_NOR_F1\xB7.AVI";
  const QByteArray replaced = "20240105_093000_NOR_F1\xEF\xBF\xBD.AVI";
  EXPECT_NE(PathFromNative(latin1), PathFromNative(replaced));
  EXPECT_EQ(NativePath(PathFromNative(replaced)), replaced);
}

TEST(NativePath, TextEncodesAsUtf8AndStrayHalvesAsReplacement) {
  EXPECT_EQ(NativePath(QString::fromUtf8("/media/カード/é")), QByteArray("/media/\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89/\xC3\xA9"));
  // Halves no byte stands for: a high half alone, and a low half below the escapes.
  EXPECT_EQ(NativePath(QString(QChar(0xD800)) + "a"), QByteArray("\xEF\xBF\xBD" "a"));
  EXPECT_EQ(NativePath(QString(QChar(0xDC10))), QByteArray("\xEF\xBF\xBD"));
}

}  // namespace
