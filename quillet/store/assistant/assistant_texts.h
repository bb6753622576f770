// The mail assistant's user-facing and exception texts (GBK bytes once compiled).
#pragma once

// The rule file in the mail root, and the signature its first 19 bytes hold.
inline constexpr char k_assistFileName[] = "assist.dat";
inline constexpr char k_assistSignature[] = "MARTEN_ASSIST 1.0\r\n";

// Shown when a rule names a mailbox that no longer exists: the first part, the name,
// then the second part. The message then goes to the inbox.
inline constexpr char k_textBoxNotExistBefore[] = "Assistence: box \"";
inline constexpr char k_textBoxNotExistAfter[] = "\" not exist!";
// The mailbox that takes every message no rule files elsewhere.
inline constexpr char k_textInboxName[] = "收件箱";

// The main window's menu item that opens the rule list.
inline constexpr char k_textAssistMenuItem[] = "邮箱助理(&B)...";

// The rule list dialog.
inline constexpr char k_textAssiViewCaption[] = "邮箱助理";
inline constexpr char k_textAssiViewHeading[] = "当收到新邮件时，执行以下动作：";
// One line of the list: the conditions, then the target mailbox.
inline constexpr char k_textAssiViewLine[] = "如果 %s  转移到邮箱：%s";
inline constexpr char k_textConditionFrom[] = "发件人: ";
inline constexpr char k_textConditionTo[] = "收件人";
inline constexpr char k_textConditionSubject[] = "主题";
// A Cc condition is shown too, so a rule that has only one is not shown as empty.
inline constexpr char k_textConditionCc[] = "抄送";
inline constexpr char k_textConditionNameEnd[] = ": ";
inline constexpr char k_textConditionSeparator[] = "; ";
inline constexpr char k_textButtonNew[] = "新建";
inline constexpr char k_textButtonDelete[] = "删除";
inline constexpr char k_textButtonProperties[] = "属性";
inline constexpr char k_textButtonOk[] = "确定";
inline constexpr char k_textButtonCancel[] = "取消";

// The rule editor.
inline constexpr char k_textAssiEditCaption[] = "动作编辑";
inline constexpr char k_textAssiEditConditions[] = "如果满足以下条件：";
inline constexpr char k_textAssiEditActions[] = "则执行以下动作：";
inline constexpr char k_textAssiEditMoveTo[] = "转移到：";

// EAssistFileError: a rule that cannot be written in the file's 2-byte fields.
inline constexpr char k_textStringTooLong[] = "Assistence: a rule text is longer than 65535 bytes";
inline constexpr char k_textTooManyRules[] = "Assistence: more than 65535 rules";

// Descriptions of a damaged rule file (the load result): the file name, then one of
// these, then the number of sound rules that were loaded.
inline constexpr char k_textDamagedFile[] = "Assistence: damaged rule file ";
inline constexpr char k_textFaultNoHeader[] = ": shorter than its signature and rule count";
inline constexpr char k_textFaultRecordCut[] = ": a rule runs past the end of the file";
inline constexpr char k_textFaultMissingRecords[] = ": the file ends before the rules it counts";
inline constexpr char k_textFaultTrailingBytes[] = ": bytes after the last rule";
inline constexpr char k_textRulesLoaded[] = "; rules loaded: ";
