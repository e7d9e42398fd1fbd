// TFont3D defaults and change notification.
#include <gtest/gtest.h>

#include "signature/font3d.h"

namespace lumabord {
namespace {

TEST(Font3D, DefaultsAtCreation) {
  const TFont3D font3d;
  EXPECT_EQ(font3d.altitude(), 3);
  EXPECT_FALSE(font3d.antialiasing());
  EXPECT_TRUE(font3d.bitmap().empty());
  EXPECT_EQ(font3d.border().color(), kClGray);
  EXPECT_EQ(font3d.border().height(), 1);
  EXPECT_EQ(font3d.border().effectColor(), -1);
  EXPECT_EQ(font3d.characterMargin(), 0);
  EXPECT_EQ(font3d.frontColor(), kClBlack);
  EXPECT_FALSE(font3d.gradient().active());
  EXPECT_EQ(font3d.gradient().kind(), TSmoothFontGradientKind::sfgkVertical);
  EXPECT_EQ(font3d.gradient().beginColor(), kClBlack);
  EXPECT_EQ(font3d.gradient().endColor(), kClWhite);
  EXPECT_EQ(font3d.shadow().color(), 32);
  EXPECT_EQ(font3d.shadow().style(), TSmoothFontShadowStyle::sfssSharp);
  EXPECT_EQ(font3d.site(), TSmoothFontSite::sfpFlying);
  EXPECT_EQ(font3d.viewDirection(), 135);
  EXPECT_EQ(font3d.charOverlap, 0);
}

TEST(Font3D, NotifiesOnlyWhenAValueChanges) {
  TFont3D font3d;
  int changes = 0;
  font3d.setOnChange([&] { ++changes; });
  font3d.setAltitude(3);
  font3d.setViewDirection(135);
  font3d.shadow().setColor(32);
  font3d.gradient().setActive(false);
  font3d.border().setHeight(1);
  EXPECT_EQ(changes, 0);
  font3d.setAltitude(4);
  font3d.setSite(TSmoothFontSite::sfpRaised);
  font3d.shadow().setStyle(TSmoothFontShadowStyle::sfssDiffuse);
  font3d.gradient().setEndColor(kClGray);
  font3d.border().setEffectColor(2);
  EXPECT_EQ(changes, 5);
  // The texture and the border are copied and always notify.
  font3d.setBitmap(Image());
  font3d.setBorder(font3d.border());
  EXPECT_EQ(changes, 7);
  font3d.charOverlap = -4;  // set by rendering, never notified
  EXPECT_EQ(changes, 7);
}

TEST(Font3D, CopiesTakeEveryValueButNotTheListener) {
  TFont3D font3d;
  int changes = 0;
  font3d.setOnChange([&] { ++changes; });
  font3d.setBitmap(Image(2, 1, Rgb{1, 2, 3}));
  font3d.border().setColor(0x123456);
  font3d.charOverlap = -3;
  TFont3D copy(font3d);
  changes = 0;
  copy.setAltitude(9);
  copy.border().setHeight(4);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(copy.bitmap(), Image(2, 1, Rgb{1, 2, 3}));
  EXPECT_EQ(copy.border().color(), 0x123456u);
  EXPECT_EQ(copy.charOverlap, -3);
  // The copy's parts report to the copy, and assigning into an observed font notifies it.
  int copyChanges = 0;
  copy.setOnChange([&] { ++copyChanges; });
  copy.shadow().setColor(1);
  EXPECT_EQ(copyChanges, 1);
  font3d = copy;
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font3d.altitude(), 9);
  font3d.border().setHeight(2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(copyChanges, 1);
}

}  // namespace
}  // namespace lumabord
