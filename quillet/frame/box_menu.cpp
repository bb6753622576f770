#include "quillet/frame/box_menu.h"

#include <algorithm>

#include "platform/file.h"
#include "quillet/common/text_format.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/message_list.h"

std::string RenameQuestion(const TBoxObject& box) { return FormatText(frame_texts::k_askRenameBox, {box.Name()}); }

std::string CipherRefusal(const TBoxObject& box, const std::vector<std::string>& openWindowBoxes) {
  if (std::find(openWindowBoxes.begin(), openWindowBoxes.end(), box.BasePath()) == openWindowBoxes.end()) return {};
  return FormatText(frame_texts::k_boxHasOpenWindows, {box.Name()});
}

TBoxProperties BoxProperties(TBoxObject& box) {
  TMailBox& pair = box.Box();
  pair.ReadHeader();
  const TSpaceInfo space = pair.GetSpaceInfo();
  const std::int64_t indexSize = std::max<std::int64_t>(platform::FileSizeByName(pair.IndexPath()), 0);
  return {box.Name(), pair.Header().Created, space.LiveCount, indexSize + space.DataFileSize, space.Wasted,
          pair.Header().Encrypted != 0};
}

std::array<std::string, 5> PropertyTexts(const TBoxProperties& properties) {
  const auto bytes = [](std::int64_t count) { return FormatText(frame_texts::k_propertyBytes, {std::to_string(count)}); };
  return {properties.name + (properties.encrypted ? frame_texts::k_propertyEncrypted : ""),
          ListDateText(properties.created), std::to_string(properties.messageCount), bytes(properties.fileSize),
          bytes(properties.wastedSpace)};
}

std::string CheckReport(std::int32_t faults) {
  if (faults == 0) return frame_texts::k_boxCheckSound;
  return FormatText(frame_texts::k_boxCheckFaults, {std::to_string(faults)});
}
