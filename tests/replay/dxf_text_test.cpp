// How DXF text values become the host's UTF-8: code page or UTF-8 by version, escapes and
// caret forms in both, and nothing that is not UTF-8 let through.
#include "replay/dxf/dxf_text.h"

#include <gtest/gtest.h>

namespace nimbo::replay::dxf {
namespace {

TEST(dxf_text, decodes_by_version_escapes_and_carets_and_never_passes_bad_utf8) {
  EXPECT_TRUE(UsesCodePage("AC1015"));
  EXPECT_TRUE(UsesCodePage("AC1018"));
  EXPECT_FALSE(UsesCodePage("AC1021"));
  EXPECT_FALSE(UsesCodePage("AC1032"));
  EXPECT_TRUE(UsesCodePage(""));  // no $ACADVER: an old file

  // Windows-1252 before AutoCAD 2007: ß is one byte, € one of the 0x80 row.
  EXPECT_EQ(DecodeDxfText("Stra\xDF"
                          "e \x80",
                          true),
            "Straße €");
  // The same bytes in a UTF-8 file are not UTF-8: each becomes U+FFFD.
  EXPECT_EQ(DecodeDxfText("Stra\xDF"
                          "e",
                          false),
            "Stra\uFFFDe");
  EXPECT_EQ(DecodeDxfText("Straße", false), "Straße");

  // Escapes in either form, a character beyond U+FFFF as UTF-16's two halves; a lone half
  // or a short escape stays as written.
  EXPECT_EQ(DecodeDxfText("\\U+00FC \\U+D83C\\U+DF33", true), "ü 🌳");
  EXPECT_EQ(DecodeDxfText("\\U+D83C x \\U+12", false), "\\U+D83C x \\U+12");

  // Caret forms: a line break, a tab, the caret itself; a caret before anything else stays.
  EXPECT_EQ(DecodeDxfText("a^Jb^Ic^ d^x", false), "a\nb\tc^d^x");
}

}  // namespace
}  // namespace nimbo::replay::dxf
