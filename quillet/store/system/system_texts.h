// The system manager's user-facing and exception texts (GBK bytes once compiled).
#pragma once

// ESystemError when [System] "mailroot" names no existing directory: this text, then the path.
inline constexpr char k_textDirectoryNotFind[] = "Directory not find: ";

// The ini file's sections and keys the manager itself reads.
inline constexpr char k_sectionSystem[] = "System";
inline constexpr char k_keyMailRoot[] = "mailroot";
inline constexpr char k_keyInbox[] = "inbox";
inline constexpr char k_keyOutbox[] = "outbox";
inline constexpr char k_keySentbox[] = "sentbox";
inline constexpr char k_keyTrashbox[] = "trashbox";
inline constexpr char k_keyAddressbox[] = "addressbox";

// The ini file beside which the address folder lies, and that folder.
inline constexpr char k_addressFolderName[] = "Address";

// The display names of the four standard mailboxes.
inline constexpr char k_textInboxDisplayName[] = "收件箱";
inline constexpr char k_textOutboxDisplayName[] = "发件箱";
inline constexpr char k_textSentboxDisplayName[] = "已发送邮件";
inline constexpr char k_textTrashboxDisplayName[] = "废件箱";

// The default label names are this text followed by the label's number.
inline constexpr char k_textLabelPrefix[] = "标签";

// The user mailbox list in the mail root.
inline constexpr char k_userBoxFileName[] = "ubi.inf";
inline constexpr char k_sectionUserBox[] = "UserBox";

// ESystemError from the mailbox set.
inline constexpr char k_textBoxProtected[] = "A standard mailbox can not be renamed or deleted: ";
inline constexpr char k_textBoxNameExists[] = "A mailbox with this name exists already: ";
inline constexpr char k_textBoxNameInvalid[] =
    "A mailbox name must not be empty, hold control characters or be longer than 64 bytes: ";
inline constexpr char k_textNoSuchBox[] = "No such mailbox: ";

// Asked before a mailbox that still holds messages is deleted (%s: its name).
inline constexpr char k_textAskDeleteBox[] = "是否要删除邮件箱: %s ?\r\n邮件箱删除后，箱里所有邮件不能恢复！";
// Asked before the trash mailbox is emptied (%s: its name, twice).
inline constexpr char k_textAskEmptyTrash[] = "是否要清空%s?\r\n%s中邮件删除后不能复原！";

// Compaction.
inline constexpr char k_textOutboxSending[] = "正在发送邮件，您现在不能压缩发件箱！";
inline constexpr char k_textPacking[] = "压缩“%s”...";
inline constexpr char k_textPacked[] = "“%s”压缩完毕";

// Moving into an encrypted mailbox.
inline constexpr char k_textMoveToEncrypted[] = "你不能往加密的邮箱转邮件";

// Reported after an import (%s: the mailbox name).
inline constexpr char k_textImported[] = "一个文件被导入到邮箱：%s";

// The passwords the mailbox cipher asks for.
inline constexpr char k_textAskEncryptPassword[] = "请输入加密邮箱的口令";
inline constexpr char k_textAskDecryptPassword[] = "请输入解密邮箱的口令";
