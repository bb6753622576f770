// glyphora-cli: the text-art core without a window.
//   glyphora-cli [--font FACE] [--size PT] [--ramp TEXT] COMMAND ARGS
#include <cstdio>
#include <string>
#include <vector>

#include "glyphora/cli/cli_args.h"
#include "glyphora/cli/command_support.h"
#include "glyphora/cli/draw_command.h"
#include "glyphora/cli/page_commands.h"
#include "glyphora/cli/picture_commands.h"
#include "platform/charset.h"
#include "platform/console.h"
#include "platform/system_error.h"

namespace {

using glyphora::cli::CliArgs;
using glyphora::cli::UsageError;

const char k_usage[] =
    "usage: glyphora-cli [--font FACE] [--size PT] [--ramp TEXT] COMMAND ARGS\n"
    "commands:\n"
    "  text FILE|- --width N [--justify left|centre|right|full] [--lines L]\n"
    "  table FILE|- --width N [--vrules 0-3] [--hrules 0-3]\n"
    "  picture FILE --columns N --rows N [--mode direct|proportional|free]   (BMP, PNG, JPEG, EMF)\n"
    "  open FILE\n"
    "  copy FILE\n"
    "  effect flip-h|flip-v|rotate-right|rotate-left|rotate-180|explode|implode|invert FILE\n"
    "  draw FILE SHAPE ARGS... [--char C] [--thickness T] [--no-compounds]\n"
    "    shapes: line COL ROW DX DY [--rising] | rect COL ROW W H | circle COL ROW W H |\n"
    "            fill COL ROW CHAR | pencil COL ROW [--size N] [--round] |\n"
    "            erase COL ROW [--size N] [--round]\n"
    "  grays\n";

int Dispatch(const std::string& command, CliArgs& args, const glyphora::cli::GlobalOptions& options) {
  if (command == "text") return glyphora::cli::RunText(args);
  if (command == "table") return glyphora::cli::RunTable(args);
  if (command == "open") return glyphora::cli::RunOpen(args);
  if (command == "copy") return glyphora::cli::RunCopy(args);
  if (command == "effect") return glyphora::cli::RunEffect(args, options);
  if (command == "picture") return glyphora::cli::RunPicture(args, options);
  if (command == "grays") return glyphora::cli::RunGrays(args, options);
  if (command == "draw") {
    glyphora::cli::DrawPlatform platform = glyphora::cli::PlatformDrawing(options);
    return glyphora::cli::RunDraw(args, &platform);
  }
  throw UsageError("unknown command " + command);
}

// Takes the options before the command; returns the index of the command.
std::size_t ReadGlobalOptions(const std::vector<std::string>& args,
                              glyphora::cli::GlobalOptions* options) {
  std::size_t i = 0;
  for (; i + 1 < args.size(); i += 2) {
    if (args[i] == "--font") options->font = args[i + 1];
    else if (args[i] == "--size") options->size = glyphora::cli::ParseNumber(args[i + 1], "--size", 6, 14);
    else if (args[i] == "--ramp") options->ramp = args[i + 1];
    else break;
  }
  if (i >= args.size() || args[i].compare(0, 2, "--") == 0) throw UsageError("no command given");
  return i;
}

}  // namespace

int main(int argc, char** argv) {
  platform::SetBinaryStdio();
  std::vector<std::string> args = platform::CommandLineArguments(argc, argv);
  try {
    glyphora::cli::GlobalOptions options;
    std::size_t i = ReadGlobalOptions(args, &options);
    CliArgs commandArgs(std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()));
    int status = Dispatch(args[i], commandArgs, options);
    std::fflush(stdout);
    return status;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "glyphora-cli: %s\n%s", e.what(), k_usage);
  } catch (const glyphora::cli::Refusal& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "glyphora-cli: %s\n", e.what());
  } catch (const glyphora::cli::SystemFailure& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", platform::GbkToUtf8(platform::SystemErrorMessage(e.code)).c_str());
  }
  return 1;
}
