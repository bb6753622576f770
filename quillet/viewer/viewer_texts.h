// The message viewer's user-facing and exception texts (GBK bytes once compiled).
#pragma once

namespace viewer_texts {

// A shell "open" result below 32: 31 means no program is associated with the file; any
// other value is shown with its number (%d).
inline constexpr char k_noAssociation[] = "没有关联文件来打开此文件";
inline constexpr char k_fileOpenError[] = "文件打开错误：%d";

// The save dialog's filter for an attachment.
inline constexpr char k_saveFilter[] = "All Files(*.*)|*.*";

// The temporary file name of an attachment that has no name.
inline constexpr char k_unnamedAttachment[] = "jay";

// The priority menu of the viewer (POP_High, POP_normal, POP_low).
inline constexpr char k_priorityHigh[] = "紧急优先级";
inline constexpr char k_priorityNormal[] = "一般优先级";
inline constexpr char k_priorityLow[] = "低优先级";

// Exception when every numbered temporary name of an attachment is taken (%s: the name).
inline constexpr char k_noTempName[] = "No free temporary file name for %s";

// The viewer's own captions: the envelope's field labels, the attachment list's columns,
// its buttons, and the raw message window's title and parts.
inline constexpr char k_labelSender[] = "发件人：";
inline constexpr char k_labelReceiver[] = "收件人：";
inline constexpr char k_labelDate[] = "日期：";
inline constexpr char k_labelSubject[] = "主题：";
inline constexpr char k_columnAttachName[] = "附件";
inline constexpr char k_columnAttachType[] = "类型";
inline constexpr char k_columnAttachSize[] = "大小";
inline constexpr char k_buttonOpen[] = "打开";
inline constexpr char k_buttonSave[] = "保存";
inline constexpr char k_buttonBrowser[] = "在浏览器中打开";
inline constexpr char k_rawTitle[] = "原始信息";
inline constexpr char k_rawHeaderLabel[] = "邮件头：";
inline constexpr char k_rawTextLabel[] = "全文：";

}  // namespace viewer_texts
