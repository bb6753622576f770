#include "glyphora/app/big_text.h"

#include <string>

#include "glyphora/convert/picture_on_page.h"
#include "platform/raster.h"

namespace glyphora::app {

namespace {

// Full justification has no meaning within one drawn text: its lines are laid left.
constexpr platform::TextAlign k_aligns[] = {platform::TextAlign::Left, platform::TextAlign::Centre,
                                            platform::TextAlign::Right, platform::TextAlign::Left};

platform::TextFont BigTextFont(const Preferences& p) {
  platform::TextFont font;
  font.face = p.bigTextFace;
  font.height = p.bigTextSize;
  font.bold = (p.bigTextStyle & k_bigTextBold) != 0;
  font.italic = (p.bigTextStyle & k_bigTextItalic) != 0;
  font.underline = (p.bigTextStyle & k_bigTextUnderline) != 0;
  font.strikeOut = (p.bigTextStyle & k_bigTextStrikeOut) != 0;
  return font;
}

// The text drawn as a picture, one cell a pixel, no larger than a document.
int LayBig(const void* context, const char* text, std::int32_t length, Page* page) {
  const auto& c = *static_cast<const BigTextContext*>(context);
  if (length == 0) return PageNew(page, 1, 1);
  platform::RgbPicture picture;
  int error = platform::DrawTextPicture(std::string(text, static_cast<std::size_t>(length)),
                                        BigTextFont(c.editor->preferences), k_aligns[static_cast<int>(c.justify) & 3],
                                        k_maxDocWidth, k_maxDocHeight, &picture);
  if (error == 0) error = PageNew(page, picture.width, picture.height);
  if (error != 0) return error;
  error = PictureOnPage(page, picture, PictureScaling::Direct, c.editor->grays);
  if (error != 0) PageKill(page);
  return error;
}

}  // namespace

TextLayout BigTextLayout(const BigTextContext* context) { return TextLayout{LayBig, context}; }

}  // namespace glyphora::app
