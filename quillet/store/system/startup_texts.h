// The texts of the start-up check, the first run and the default-mail-program question
// (GBK bytes once compiled).
#pragma once

// The title of the start-up error boxes.
inline constexpr char k_textStartupBoxTitle[] = "Quillet";

// The ini file says the mail root exists, and it does not: the text, the path, this line
// break and k_textCheckIniFile.
inline constexpr char k_textMailDirectoryMissing[] = "Can not find mail directory: ";
inline constexpr char k_textCheckIniFile[] = "Please check the INI file.";
inline constexpr char k_textLineBreak[] = "\r\n";
// The first run's base directory does not exist: the text and the path.
inline constexpr char k_textDirectoryMissing[] = "Can not find directory: ";
// The first run cannot make the mail root: the text and the path.
inline constexpr char k_textMailDirectoryCreate[] = "Can not create mail directory: ";
// The mail-root check: the text, the path, CR LF and k_textCheckIniFileLower.
inline constexpr char k_textDirectoryNotExists[] = "Directory not exists: ";
inline constexpr char k_textCheckIniFileLower[] = "Please check the ini file";

// The question asked at start when the program is not the default mail program.
inline constexpr char k_textBecomeDefaultMailer[] =
    "Quillet当前不是系统默认的邮件软件，是否将它设成默认，这样你可以在其它程序中自动调用?";
// The check box of that question's dialog.
inline constexpr char k_textAlwaysCheckMailer[] = "总是在启动时检查是否是默认邮件程序";
// Yes was answered and the open command could not be written: the text and the key.
inline constexpr char k_textRegistryWrite[] = "Can not write to the registry: ";

// What the first run records about the program.
inline constexpr char k_textClientDescription[] = "Internet Mail Client";
inline constexpr char k_textClientName[] = "Quillet";
inline constexpr char k_textMailtoProtocol[] = "URL:MailTo Protocol";
