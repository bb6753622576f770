#include "glyphora/cli/page_commands.h"

#include <cstdio>
#include <string>

#include "glyphora/convert/convert_texts.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/convert/page_transform.h"
#include "glyphora/convert/text_table.h"
#include "glyphora/convert/text_to_page.h"
#include "glyphora/document/document_file.h"
#include "platform/system_error.h"

namespace glyphora::cli {

void Check(int error) {
  if (error != 0) throw SystemFailure{error};
}

void PrintPage(const Page& page, TextForm form) {
  char* text = nullptr;
  std::int32_t length = 0;
  Check(PageToText(&text, &length, page, form, k_defaultNotice));
  std::fwrite(text, 1, static_cast<std::size_t>(length), stdout);
  Destroy(text);
}

namespace {

constexpr int k_defaultVerticalRules = 3;
constexpr int k_defaultHorizontalRules = 2;

// A page freed when the command ends.
struct OwnedPage {
  Page page;
  ~OwnedPage() { PageKill(&page); }
};

struct OwnedBlock {
  SourceBlock block;
  ~OwnedBlock() { Destroy(block.data); }
};

void ReadInput(const std::string& name, OwnedBlock* input) {
  if (name != "-") {
    Check(FileReadAll(name, &input->block));
    return;
  }
  std::string bytes;
  char chunk[8192];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) bytes.append(chunk, n);
  input->block.data = static_cast<unsigned char*>(Allocate(bytes.size()));
  if (input->block.data == nullptr) throw SystemFailure{platform::k_ERROR_NOT_ENOUGH_MEMORY};
  bytes.copy(reinterpret_cast<char*>(input->block.data), bytes.size());
  input->block.size = static_cast<std::int32_t>(bytes.size());
}

const char* Text(const OwnedBlock& input) { return reinterpret_cast<const char*>(input.block.data); }

Justify ParseJustify(const std::string& name) {
  const char* names[] = {"left", "centre", "right", "full"};
  for (int i = 0; i < 4; ++i)
    if (name == names[i]) return static_cast<Justify>(i);
  throw UsageError("--justify must be left, centre, right or full");
}

Transform ParseEffect(const std::string& name) {
  struct Named {
    const char* name;
    Transform transform;
  };
  const Named effects[] = {{"flip-h", Transform::FlipHorizontal}, {"flip-v", Transform::FlipVertical},
                           {"rotate-right", Transform::RotateRight}, {"rotate-left", Transform::RotateLeft},
                           {"rotate-180", Transform::Rotate180}, {"explode", Transform::Explode},
                           {"implode", Transform::Implode}};
  for (const Named& e : effects)
    if (name == e.name) return e.transform;
  if (name == "invert")
    throw UsageError("invert needs the display font's grey levels, which this build cannot measure");
  throw UsageError("unknown effect " + name);
}

// The page of `open FILE`.
void OpenPage(const std::string& name, OwnedPage* page) {
  OwnedBlock input;
  ReadInput(name, &input);
  Check(DocumentTextToPage(&page->page, name, Text(input), input.block.size, k_defaultDocWidth));
}

// `open FILE` printed in the given form.
int PrintOpened(CliArgs& args, TextForm form) {
  std::string name = args.Word("FILE");
  args.ExpectEnd();
  OwnedPage page;
  OpenPage(name, &page);
  PrintPage(page.page, form);
  return 0;
}

}  // namespace

int RunText(CliArgs& args) {
  std::string name = args.Word("FILE");
  int width = args.NumberOption("--width", 0, 1, INT16_MAX);
  if (width == 0) throw UsageError("--width is required");
  Justify justify = ParseJustify(args.Option("--justify", "left"));
  int lines = args.NumberOption("--lines", 0, 0, INT32_MAX);
  args.ExpectEnd();
  OwnedBlock input;
  ReadInput(name, &input);
  OwnedPage page;
  Check(TextToPage(&page.page, width, lines, justify, Text(input), input.block.size));
  PrintPage(page.page, TextForm::File);
  return 0;
}

int RunTable(CliArgs& args) {
  std::string name = args.Word("FILE");
  int width = args.NumberOption("--width", 0, 1, INT16_MAX);
  if (width == 0) throw UsageError("--width is required");
  int vertical = args.NumberOption("--vrules", k_defaultVerticalRules, 0, k_maxRuleMode);
  int horizontal = args.NumberOption("--hrules", k_defaultHorizontalRules, 0, k_maxRuleMode);
  args.ExpectEnd();
  OwnedBlock input;
  ReadInput(name, &input);
  OwnedBlock table;
  Check(TextToTable(&table.block, Text(input), input.block.size, width, vertical));
  OwnedPage page;
  Check(TableToPage(&page.page, &table.block, vertical, horizontal));
  PrintPage(page.page, TextForm::File);
  return 0;
}

int RunOpen(CliArgs& args) { return PrintOpened(args, TextForm::File); }

int RunCopy(CliArgs& args) { return PrintOpened(args, TextForm::Copy); }

int RunEffect(CliArgs& args) {
  Transform transform = ParseEffect(args.Word("NAME"));
  std::string name = args.Word("FILE");
  args.ExpectEnd();
  OwnedPage page;
  OpenPage(name, &page);
  Check(PageTransform(&page.page, transform, GrayTable()));
  PrintPage(page.page, TextForm::File);
  return 0;
}

}  // namespace glyphora::cli
