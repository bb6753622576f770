// The option buttons shown below the tool bar for the current tool, one kind per option.
// A button's Draw, Mouse and Placing handlers belong to the editor window; what the
// buttons stack up to is decided here.
#pragma once

namespace glyphora {

enum class ButtonKind : int {
  Transparent = 0,
  Character = 1,
  Justification = 2,
  BigTextFont = 3,  // the big-text font chooser, three buttons high
  PictureSquish = 4,
  ShapeSize = 5,
  Compounds = 6,
  RuleMode = 7,
};

constexpr int k_buttonKindCount = 8;
constexpr int k_optionButtonHeight = 32;
constexpr int k_fontChooserHeight = 96;

// The height in pixels of a button of that kind.
int ButtonHeight(ButtonKind kind);
// The top of each of count buttons stacked from top, in order; returns the bottom.
int ButtonStack(const ButtonKind* kinds, int count, int top, int* tops);

}  // namespace glyphora
