#include "quillet/viewer/html_page.h"

#include "quillet/common/gbk.h"

namespace {

void CommentOutBaseTag(std::string& page) {
  const std::size_t start = gbk::LowerCase(page).find("<base");
  if (start == std::string::npos) return;
  const std::size_t close = page.find('>', start);
  if (close == std::string::npos) return;
  page.insert(close + 1, " -->");
  page.insert(start, "<!-- ");
}

}  // namespace

std::string PageWithPictures(std::string page, const std::vector<TCidFile>& pictures) {
  for (const TCidFile& picture : pictures) {
    const std::string link = "cid:" + picture.contentId;
    const std::size_t at = page.find(link);
    if (at != std::string::npos) page.replace(at, link.size(), picture.fileName);
  }
  if (!pictures.empty()) CommentOutBaseTag(page);
  return page;
}

int HtmlPageIndex(const std::vector<TMsgAttachment>& attachments) {
  for (std::size_t i = 0; i < attachments.size(); ++i) {
    const TMsgSection& section = attachments[i].Section;
    if (section.ContentId.empty() && gbk::LowerCase(section.ContentType) == "text/html") return static_cast<int>(i);
  }
  return -1;
}
