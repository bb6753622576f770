#include "quillet/frame/mailto_request.h"

#include "quillet/common/gbk.h"

namespace {

constexpr char k_scheme[] = "mailto:";

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? gbk::HexDigitValue(text[i + 1]) : -1;
    const int low = high >= 0 ? gbk::HexDigitValue(text[i + 2]) : -1;
    if (low < 0) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::string HeaderValue(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

std::string BodyValue(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\n' || text[i] == '\r' ? std::string("\r\n") : std::string(1, text[i]);
  }
  return out;
}

void Join(std::string& list, const std::string& more) {
  if (more.empty()) return;
  list += (list.empty() ? "" : ", ") + more;
}

}  // namespace

std::optional<TMailtoRequest> ParseMailto(const std::string& url) {
  if (!gbk::StartsWithNoCase(url, k_scheme)) return std::nullopt;
  const std::string rest = url.substr(sizeof k_scheme - 1);
  const std::size_t query = rest.find('?');
  TMailtoRequest request;
  request.to = HeaderValue(Unescaped(rest.substr(0, query)));
  for (std::size_t at = query; at != std::string::npos && at < rest.size();) {
    const std::size_t end = rest.find('&', at + 1);
    const std::string pair = rest.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    at = end;
    const std::size_t equals = pair.find('=');
    const std::string name = gbk::LowerCase(pair.substr(0, equals));
    const std::string value = equals == std::string::npos ? std::string() : Unescaped(pair.substr(equals + 1));
    if (name == "to") Join(request.to, HeaderValue(value));
    else if (name == "cc") Join(request.cc, HeaderValue(value));
    else if (name == "bcc") Join(request.bcc, HeaderValue(value));
    else if (name == "subject") request.subject = HeaderValue(value);
    else if (name == "body") request.body = BodyValue(value);
  }
  return request;
}
