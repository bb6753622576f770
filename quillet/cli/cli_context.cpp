#include "quillet/cli/cli_context.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "platform/charset.h"
#include "platform/console.h"
#include "quillet/common/datetime.h"
#include "quillet/common/stream.h"

void TCliPrompts::ShowMessage(const std::string& text) { PrintError(text); }

bool TCliPrompts::AskYesNo(const std::string& text) {
  if (answer_ != TCliAnswer::Ask) return answer_ == TCliAnswer::Yes;
  if (!platform::StdinIsTerminal()) return false;
  std::cerr << platform::GbkToUtf8(text) << " [y/N] " << std::flush;
  std::string reply;
  if (!std::getline(std::cin, reply)) return false;
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

bool TCliPrompts::AskPassword(const std::string& question, std::string& password) {
  std::string line;
  if (!passwordFile_.empty()) {
    const std::string bytes = ReadInputFile(passwordFile_);
    line = bytes.substr(0, bytes.find_first_of("\r\n"));
  } else {
    if (!platform::StdinIsTerminal()) return false;
    std::cerr << platform::GbkToUtf8(question) << ' ' << std::flush;
    if (!platform::ReadHiddenLine(line)) return false;
    line = ArgumentText(line);
  }
  password = line;
  return true;
}

void PrintText(const std::string& gbkText) {
  std::string utf8 = platform::GbkToUtf8(gbkText);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void PrintLine(const std::string& gbkText) { PrintText(gbkText + "\n"); }

void PrintError(const std::string& gbkText) {
  std::string utf8 = platform::GbkToUtf8(gbkText) + "\n";
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void WriteRaw(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

std::string ArgumentText(const std::string& arg) { return platform::ArgumentToGbk(arg); }

TCliOptions::TCliOptions(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                         const std::vector<std::string>& valued) {
  auto known = [](const std::vector<std::string>& list, const std::string& a) {
    return std::find(list.begin(), list.end(), a) != list.end();
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (known(flags, a)) {
      flagsSeen_.push_back(a);
    } else if (known(valued, a)) {
      if (i + 1 >= args.size()) throw ECliUsage("option " + a + " needs a value");
      values_.emplace_back(a, args[++i]);
    } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      throw ECliUsage("unknown option " + a);
    } else {
      positional_.push_back(a);
    }
  }
}

bool TCliOptions::Has(const std::string& name) const {
  return std::find(flagsSeen_.begin(), flagsSeen_.end(), name) != flagsSeen_.end();
}

bool TCliOptions::HasValue(const std::string& name) const {
  for (const auto& v : values_)
    if (v.first == name) return true;
  return false;
}

std::string TCliOptions::Value(const std::string& name, const std::string& fallback) const {
  std::string result = fallback;
  for (const auto& v : values_)
    if (v.first == name) result = v.second;
  return result;
}

std::vector<std::string> TCliOptions::Values(const std::string& name) const {
  std::vector<std::string> result;
  for (const auto& v : values_)
    if (v.first == name) result.push_back(v.second);
  return result;
}

void TCliOptions::ExpectPositional(size_t min, size_t max) const {
  if (positional_.size() < min) throw ECliUsage("missing arguments");
  if (positional_.size() > max) throw ECliUsage("too many arguments");
}

std::int64_t ParseNumber(const std::string& text, const std::string& what) {
  if (text.empty()) throw ECliUsage(what + " must be a number");
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) throw ECliUsage(what + " must be a number");
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9' || value > 100000000000LL) throw ECliUsage(what + " must be a number");
    value = value * 10 + (text[i] - '0');
  }
  return text[0] == '-' ? -value : value;
}

std::int32_t ParseId(const std::string& text) {
  std::int64_t id = ParseNumber(text, "ID");
  if (id < INT32_MIN || id > INT32_MAX) throw ECliUsage("ID out of range");
  return static_cast<std::int32_t>(id);
}

std::string ReadInputFile(const std::string& path) {
  if (path == "-") {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  return ReadWholeFile(path);
}

std::string FormatCliDate(double date) {
  TDateParts p = DecodeDateTime(date);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return buffer;
}
