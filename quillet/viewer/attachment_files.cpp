#include "quillet/viewer/attachment_files.h"

#include <climits>
#include <vector>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/paths.h"
#include "quillet/viewer/html_page.h"

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  if (bytes.size() > INT32_MAX ||
      !platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size())))
    throw EFileException(EFileException::Kind::Write, path);
}

}  // namespace

TAttachmentFiles::TAttachmentFiles(TMsgDecode& message, TAttachmentPlace place, TMsgAttachList& list,
                                   TFileExists exists)
    : message_(message), place_(std::move(place)), list_(list), exists_(std::move(exists)) {}

std::string TAttachmentFiles::Decoded(int index) {
  TMemoryStream bytes;
  message_.SaveAttachFileToStream(index, bytes);
  return std::move(bytes.Bytes());
}

std::string TAttachmentFiles::WriteNewFile(int index, const std::string& bytes) {
  const std::string& name = message_.Attachments()[static_cast<std::size_t>(index)].FileName;
  const std::string path = TempFileFor(name, place_.tempFolder, exists_);
  WriteFileBytes(path, bytes);
  list_.Record(KeyOf(index), path);
  return path;
}

std::string TAttachmentFiles::FileFor(int index) {
  std::string path = list_.Find(KeyOf(index), exists_);
  if (!path.empty()) return path;
  return WriteNewFile(index, Decoded(index));
}

void TAttachmentFiles::SaveAs(int index, const std::string& fileName) { WriteFileBytes(fileName, Decoded(index)); }

bool TAttachmentFiles::Open(int index, TShellOpen& shell, TUserPrompts& prompts) {
  const std::string error = ShellOpenErrorText(shell.Open(FileFor(index)));
  if (error.empty()) return true;
  prompts.ShowMessage(error);
  return false;
}

std::string TAttachmentFiles::HtmlPage() {
  std::vector<TCidFile> pictures;
  const auto& attachments = message_.Attachments();
  for (std::size_t i = 0; i < attachments.size(); ++i) {
    const std::string& id = attachments[i].Section.ContentId;
    if (!id.empty()) pictures.push_back({id, paths::FileNamePart(FileFor(static_cast<int>(i)))});
  }
  const int page = HtmlPageIndex(attachments);
  if (page < 0) return {};
  std::string path = list_.Find(KeyOf(page), exists_);
  if (!path.empty()) return path;
  return WriteNewFile(page, PageWithPictures(Decoded(page), pictures));
}
