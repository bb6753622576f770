// The composer's user-facing and exception texts.
#pragma once

namespace composer_texts {

// Shown for an attachment whose file is gone; the attachment is dropped.
inline constexpr char k_fileMissing[] = "文件不存在：%s";
// No To address after expansion.
inline constexpr char k_noRecipient[] = "尚未指定收信人";
inline constexpr char k_mailboxEncrypted[] = "Can not encode: Mailbox already encrypted";
inline constexpr char k_mimeIntro[] = "This is a multi-part message in MIME format.";

}  // namespace composer_texts
