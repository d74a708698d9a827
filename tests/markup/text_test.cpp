// The markup's text routines: searching, replacing, numbers, entities, the
// hash pseudo-tag, line breaks, colours by name and by digits.
#include <doctest.h>

#include "markup/markup_colors.h"
#include "markup/markup_helpers.h"

TEST_CASE("PosText and ReplaceFirstText ignore letter case, umlauts included") {
  CHECK(PosText(L"bc", L"ABCabc") == 2);
  CHECK(PosText(L"ÄÖ", L"xäö") == 2);
  CHECK(PosText(L"zz", L"ABC") == 0);
  CHECK(PosText(L"", L"ABC") == 0);

  std::wstring text = L"a &AMP; b &amp; c";
  CHECK(ReplaceFirstText(L"&amp;", L"&&", text));
  CHECK(text == L"a && b &amp; c");
  CHECK(!ReplaceFirstText(L"&euro;", L"€", text));
  CHECK(text == L"a && b &amp; c");
}

TEST_CASE("StrToIntLoose reads what it can and stops at the first stranger") {
  CHECK(StrToIntLoose(L"") == 0);
  CHECK(StrToIntLoose(L"   42px") == 42);
  CHECK(StrToIntLoose(L"-17") == -17);
  CHECK(StrToIntLoose(L"+8") == 8);
  CHECK(StrToIntLoose(L"$1F") == 31);
  CHECK(StrToIntLoose(L"x1f") == 31);
  CHECK(StrToIntLoose(L"0x10") == 16);
  CHECK(StrToIntLoose(L"0X10") == 16);
  CHECK(StrToIntLoose(L"-$10") == -16);
  CHECK(StrToIntLoose(L"12AB") == 12);
  CHECK(StrToIntLoose(L"abc") == 0);
  CHECK(StrToIntLoose(L"\"3\"") == 0);
  CHECK(StrToIntLoose(L"- 5") == 0);
  CHECK(StrToIntLoose(L"\t5") == 0);
  // Far beyond 32 bits: the largest or smallest integer, never a wrap.
  CHECK(StrToIntLoose(L"99999999999999999999999") == 2147483647);
  CHECK(StrToIntLoose(L"-99999999999999999999999") == -2147483647 - 1);
  CHECK(StrToIntLoose(L"-2147483648") == -2147483647 - 1);
  CHECK(StrToIntLoose(L"$FFFFFFFFFF") == 2147483647);
}

TEST_CASE("StripHashTag opens the first hash pseudo-tag only") {
  CHECK(StripHashTag(L"a<#123>b<#4>c") == L"a#123b<#4>c");
  CHECK(StripHashTag(StripHashTag(L"<#x>")) == L"#x");
  CHECK(StripHashTag(L"no tag <b>") == L"no tag <b>");
  // Without a closing bracket only the "<" goes.
  CHECK(StripHashTag(L"x<#open") == L"x#open");
}

TEST_CASE("LineBreaksToTags: carriage returns become tags, line feeds vanish") {
  CHECK(LineBreaksToTags(L"a\r\nb\nc\rd") == L"a<BR>bc<BR>d");
  CHECK(LineBreaksToTags(L"") == L"");
}

TEST_CASE("hexadecimal colours: pairs of digits, short values count as 0") {
  CHECK(ColorFromHex(L"#FF8000") == RGBColor(255, 128, 0));
  CHECK(ColorFromHex(L"#FFF") == RGBColor(255, 0, 0));
  CHECK(ColorFromHex(L"#") == RGBColor(0, 0, 0));
  CHECK(ColorFromHex(L"") == RGBColor(0, 0, 0));
  // Lower-case digits read like upper-case ones.
  CHECK(ColorFromHex(L"#ff80c0") == RGBColor(255, 128, 192));
  CHECK(HexByte(L"aB") == 171);
  CHECK(HexByte(L"F") == 0);
  // Other characters count as 0: every pair stays a byte.
  CHECK(HexByte(L"G7") == 7);
  CHECK(HexByte(L"zz") == 0);
  CHECK(ColorFromHex(L"#GGHHII") == RGBColor(0, 0, 0));
  CHECK(ColorFromHex(L"#~~~~~~") == RGBColor(0, 0, 0));
}

TEST_CASE("colour names: fixed colours, system colours by index, anything else black") {
  CHECK(ColorFromName(L"clred") == RGBColor(255, 0, 0));
  CHECK(ColorFromName(L"clgreen") == RGBColor(0, 128, 0));
  CHECK(ColorFromName(L"cllime") == RGBColor(0, 255, 0));
  CHECK(ColorFromName(L"clmaroon") == RGBColor(128, 0, 0));
  CHECK(ColorFromName(L"clsilver") == RGBColor(192, 192, 192));
  CHECK(ColorFromName(L"clteal") == RGBColor(0, 128, 128));
  CHECK(ColorFromName(L"clbackground") == SystemColor(1));
  CHECK(ColorFromName(L"clbtnface") == SystemColor(15));
  CHECK(ColorFromName(L"clinfobk") == SystemColor(24));
  CHECK(ColorFromName(L"cl3ddkshadow") == SystemColor(21));
  CHECK(IsSystemColor(ColorFromName(L"clhighlight")));
  // Callers lower-case first: the table itself is exact.
  CHECK(ColorFromName(L"CLRED") == clBlack);
  CHECK(ColorFromName(L"clblack") == clBlack);
  CHECK(ColorFromName(L"clorange") == clBlack);
  CHECK(ColorFromName(L"") == clBlack);
}
