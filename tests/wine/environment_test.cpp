// Checks of the Windows test environment itself: the settings file and the dialog's texts rely on
// the system's ANSI code page being 932 and on a font for the dialog's Japanese face name.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Environment, AnsiCodePageIsJapanese) { EXPECT_EQ(932u, GetACP()); }

TEST(Environment, DialogFontFaceResolvesToAJapaneseFont) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(nullptr, dc);
  LOGFONTW lf{};
  lf.lfHeight = -13;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy(lf.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");  // "ＭＳ Ｐゴシック"
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  // A font with Japanese glyphs maps the kana "あ" to a real glyph, not the default one.
  WORD glyph = 0;
  EXPECT_NE(GDI_ERROR, GetGlyphIndicesW(dc, L"\x3042", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS));
  EXPECT_NE(0xFFFF, glyph);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  EXPECT_EQ(SHIFTJIS_CHARSET, tm.tmCharSet);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
}
