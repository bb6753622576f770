#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/convert/page_transform.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(GlyphoraPageTransform, FlipsRotationsExplodeImplode) {
  struct Case {
    Transform transform;
    Rows page, result;
  };
  const Rows p = {"ab.", "c d"};
  const Case cases[] = {
      {Transform::FlipHorizontal, p, {".ba", "d c"}},
      {Transform::FlipVertical, p, {"c d", "ab."}},
      {Transform::RotateRight, p, {"ca", " b", "d."}},
      {Transform::RotateLeft, p, {".d", "b ", "ac"}},
      {Transform::Rotate180, p, {"d c", ".ba"}},
      {Transform::Explode, p, {"a.b...", "c. .d."}},
      {Transform::Implode, {" bcd.", "xy  z"}, {"bc.", "x z"}},
      {Transform::Implode, {"a.b..."}, {"ab."}},
  };
  for (const Case& c : cases) {
    ScopedPage page(c.page);
    ASSERT_EQ(PageTransform(&page.page, c.transform, GrayTable()), 0) << static_cast<int>(c.transform);
    EXPECT_EQ(RowsOf(page.page), c.result) << static_cast<int>(c.transform);
  }
}

TEST(GlyphoraPageTransform, InvertTakesTheOppositeDarknessAndUnknownIsRefused) {
  GrayTable grays;
  grays.charGrays['#'] = 255;
  grays.charGrays['+'] = 100;
  grays.grayChars[0] = ' ';
  grays.grayChars[155] = 'o';
  grays.grayChars[255] = '#';
  ScopedPage page({"#a+"});
  ASSERT_EQ(PageTransform(&page.page, Transform::Invert, grays), 0);
  EXPECT_EQ(RowsOf(page.page), Rows({" #o"}));
  EXPECT_EQ(PageTransform(&page.page, static_cast<Transform>(6), grays), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RowsOf(page.page), Rows({" #o"}));
}

}  // namespace
