// The mailbox cipher's user-facing and exception texts (GBK bytes once compiled).
#pragma once

// Encrypting a mailbox that is encrypted already.
inline constexpr char k_textAlreadyEncrypted[] = "Mailbox Already encrypted";
// Decrypting a mailbox that is not encrypted.
inline constexpr char k_textNotEncrypted[] = "邮箱没有加密，不需要解密。";
// Encrypting with an empty password.
inline constexpr char k_textEmptyPassword[] = "口令不能为空。";
// Decrypting with a password that is not the one the file was encrypted with.
inline constexpr char k_textWrongPassword[] = "口令不正确";
// A ".BO~" file of another format or format version.
inline constexpr char k_textOtherCipherFormat[] = "本版本软件不能解密以前版本产生的加密邮箱。请用以前的版本进行解密。";
// A ".BO~" file that was changed or cut after it was written; followed by the file name.
inline constexpr char k_textCipherDamaged[] = "加密邮箱文件已损坏，无法解密：";
// The encrypted copy did not decrypt to the mailbox's data; nothing was changed.
inline constexpr char k_textCipherVerifyFailed[] = "加密结果校验失败，邮箱没有加密。";
// The mailbox's data file changed while it was being encrypted; nothing was changed.
inline constexpr char k_textMailboxChanged[] = "加密过程中邮箱被改动，邮箱没有加密。请重试。";
// The system's cipher functions failed; nothing was changed.
inline constexpr char k_textCryptoFailure[] = "系统的加密功能出错，邮箱没有改动。";
