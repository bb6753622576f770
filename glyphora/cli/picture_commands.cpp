#include "glyphora/cli/picture_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "glyphora/cli/command_support.h"
#include "glyphora/convert/picture_on_page.h"
#include "glyphora/document/page/page.h"
#include "platform/picture_file.h"
#include "platform/system_error.h"

namespace glyphora::cli {

namespace {

PictureScaling ParseScaling(const std::string& name) {
  const char* names[] = {"direct", "proportional", "free"};
  for (int i = 0; i < 3; ++i)
    if (name == names[i]) return static_cast<PictureScaling>(i);
  throw UsageError("--mode must be direct, proportional or free");
}

// A bitmap picture is decoded no larger than the page needs; a file that is none may be a
// metafile, which the platform plays.
int DrawPictureFile(Page* page, const std::string& name, PictureScaling scaling, const GrayTable& grays) {
  platform::RgbPicture picture;
  int error = platform::PictureFileReadForBox(name, page->width, page->height, &picture);
  if (error != platform::k_ERROR_INVALID_DATA) {
    Check(error);
    return PictureOnPage(page, picture, scaling, grays);
  }
  std::vector<unsigned char> bytes;
  Check(platform::PictureFileBytes(name, &bytes));
  platform::Metafile metafile;
  Check(platform::IsMetafile(bytes.data(), bytes.size()) ? platform::MetafileDecode(bytes.data(), bytes.size(), &metafile)
                                                          : platform::k_ERROR_INVALID_DATA);
  error = PictureOnPage(page, metafile, scaling, grays);
  if (error == platform::k_ERROR_NOT_SUPPORTED)
    throw Refusal(name + " is a metafile; this build has no metafile renderer (the Windows build plays them)");
  return error;
}

}  // namespace

int RunPicture(CliArgs& args, const GlobalOptions& options) {
  std::string name = args.Word("FILE");
  int columns = args.NumberOption("--columns", 0, 1, k_maxDocWidth);
  int rows = args.NumberOption("--rows", 0, 1, k_maxDocHeight);
  if (columns == 0 || rows == 0) throw UsageError("--columns and --rows are required");
  PictureScaling scaling = ParseScaling(args.Option("--mode", "free"));
  args.ExpectEnd();
  GrayTable grays = MeasuredGrays(options);
  OwnedPage page;
  Check(PageNew(&page.page, columns, rows));
  Check(DrawPictureFile(&page.page, name, scaling, grays));
  PrintPage(page.page, TextForm::File);
  return 0;
}

int RunGrays(CliArgs& args, const GlobalOptions& options) {
  args.ExpectEnd();
  GrayTable grays = MeasuredGrays(options);
  std::printf("%d %d\n", grays.fontWidth, grays.fontHeight);
  for (int i = 0; i < k_charCount; ++i)
    std::printf("%d\t%d\t%d\t%d\n", i, grays.charPixels[i], grays.charGrays[i], grays.grayChars[i]);
  return 0;
}

}  // namespace glyphora::cli
