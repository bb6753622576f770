// The HTML page of a message whose HTML text shows attached pictures by "cid:" links:
// the links are pointed at the pictures' temporary files, which lie beside the page.
#pragma once

#include <string>
#include <vector>

#include "quillet/message/parser/msg_decode.h"

struct TCidFile {
  std::string contentId;  // without "<" and ">"
  std::string fileName;   // the picture's temporary file, without folder
};

// For each picture in order, the first "cid:" + content id in the page is replaced by the
// file name (a page that shows one picture twice gets only the first link replaced).
// When there are pictures, the first "<BASE" tag (any case, so that a base address cannot
// send the relative names elsewhere) is turned into a comment: "<!-- " before it and
// " -->" after its closing ">"; a tag left open is left as it is.
std::string PageWithPictures(std::string page, const std::vector<TCidFile>& pictures);

// The page among a message's attachments: the first without a content id whose type is
// text/html (any case); -1 when there is none.
int HtmlPageIndex(const std::vector<TMsgAttachment>& attachments);
