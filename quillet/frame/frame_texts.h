// The main window's user-facing texts (GBK bytes once compiled): its title, captions,
// refusals, questions and reports.
#pragma once

#include <array>

namespace frame_texts {

inline constexpr char k_applicationTitle[] = "Quillet: Internet Mail";
inline constexpr char k_toolbarCaption[] = "Quillet";
inline constexpr char k_aboutVersion[] = "版本：";  // M_help_about's second line, before the version

// Receiving and sending.
inline constexpr char k_setServerFirst[] = "请先设置服务器信息";
inline constexpr char k_noQueuedMail[] = "发件箱中没有候发邮件!";
inline constexpr char k_transferRunning[] = "正在发送或接收邮件，请稍后再发送一遍。";

// Import and export share one filter; its entries 1 to 3 give the extension of an exported file.
inline constexpr char k_messageFileFilter[] =
    "OutLook邮件(*.eml)|*.eml|Exchange邮件(*.msg)|*.msg|文本格式邮件(*.txt)|*.txt|所有文件(*.*)|*.*";

// The mailbox menu (%s: a mailbox name). A wrong deciphering password is told by the
// cipher's own text (cipher_texts.h).
inline constexpr char k_askNewBoxName[] = "请输入要建立的邮箱名：";
inline constexpr char k_askRenameBox[] = "将原邮箱名\"%s\"改为：";
inline constexpr char k_boxHasOpenWindows[] = "邮箱 %s 有打开的邮件窗口，请先关闭邮件窗口";

// The find dialog (TDlg_find).
inline constexpr char k_findLabel[] = "查找：";
inline constexpr char k_findHeadersOnly[] = "只查找邮件头";
inline constexpr char k_findCaseSensitive[] = "字母大小写敏感";

// The message list: column captions and the status text (total, unread).
inline constexpr char k_columnSender[] = "发件人";
inline constexpr char k_columnSubject[] = "主题";
inline constexpr char k_columnDate[] = "日期";
inline constexpr char k_columnSize[] = "大小";
inline constexpr char k_listStatus[] = "共: %d, 未读: %d";
inline constexpr char k_defaultListHead[] = "40,40,150,40,150,80";
// The first entry of the label menu.
inline constexpr char k_noLabel[] = "<无>";

// The captions the menu items are given when the window is created.
struct TCommandCaption {
  const char* item;
  const char* caption;
};

inline constexpr std::array<TCommandCaption, 77> k_commandCaptions = {{
    {"M_file", "文件(&F)"},
    {"M_file_open", "打开(&O)"},
    {"M_file_saveas", "另存为(&A)..."},
    {"M_file_getnewmail", "收取新邮件(&G)"},
    {"M_file_SendQueue", "发送候发邮件(&S)"},
    {"M_file_SendGet", "发送并接收(&D)"},
    {"M_file_impmsg", "导入邮件(&I)..."},
    {"M_file_expmsg", "导出邮件(&E)..."},
    {"M_file_print", "打印(&P)"},
    {"M_file_printer_setup", "打印机设置(&T)"},
    {"M_file_exit", "退出(&X)"},
    {"M_edit", "编辑(&E)"},
    {"M_edit_undo", "撤销操作(&U)"},
    {"M_edit_copy", "拷贝(&C)"},
    {"M_edit_cut", "剪裁(&T)"},
    {"M_edit_paste", "粘贴(&P)"},
    {"M_edit_selectall", "全选(&L)"},
    {"M_edit_find", "查找邮件(&F)..."},
    {"M_edit_findagain", "查找下一个(&A)"},
    {"M_edit_wordwrap", "自动换行(&W)"},
    {"M_edit_sort", "排序(&S)"},
    {"M_sort_none", "(无)(&N)"},
    {"M_sort_ascender", "升序(&A)"},
    {"M_sort_priority", "按优先级排序(&P)"},
    {"M_sort_address", "按地址排序(&R)"},
    {"M_sort_subject", "按主题排序(&S)"},
    {"M_sort_date", "按日期排序(&D)"},
    {"M_sort_size", "按大小排序(&Z)"},
    {"M_sort_read", "按是否已读排序(&E)"},
    {"M_msg", "邮件(&M)"},
    {"M_msg_new", "写新邮件(&N)"},
    {"M_msg_reply", "回复邮件(&R)"},
    {"M_msg_forward", "转发邮件(&F)"},
    {"M_msg_sendagain", "再次发送(&A)"},
    {"M_msg_address", "地址信息(&E)..."},
    {"M_msg_markas", "标记状态为(&K)"},
    {"M_msg_markunread", "未读(&U)"},
    {"M_msg_markread", "已读(&E)"},
    {"M_msg_markreplied", "已回复(&R)"},
    {"M_msg_markunreplied", "未回复(&P)"},
    {"M_msg_label", "改变标签(&H)"},
    {"M_msg_rawhead", "原始信息(&S)..."},
    {"M_msg_transfer", "转存到(&T)"},
    {"M_msg_delete", "删除(&D)"},
    {"M_msg_convert", "字符转换(&C)"},
    {"M_msg_BIG5toGB", "&BIG5 -> GB"},
    {"M_msg_GBtoBig5", "&GB -> BIG5"},
    {"M_msg_decode", "解码(&O)"},
    {"M_msg_uu", "&UUDecode"},
    {"M_msg_addaddrs", "发件人加到地址簿(&B)..."},
    {"M_box", "邮箱(&B)"},
    {"M_box_new", "建新邮箱(&N)"},
    {"M_box_rename", "更名(&R)"},
    {"M_box_delete", "删除(&D)"},
    {"M_box_compressone", "压缩(&O)"},
    {"M_box_compress", "压缩所有邮箱(&C)"},
    {"M_box_emptytrash", "清空废件箱(&E)"},
    {"M_box_property", "属性(&P)..."},
    {"M_tools", "工具(&T)"},
    {"M_tools_remote", "远程邮箱管理(&R)..."},
    {"M_tools_toolbar", "工具条(&B)"},
    {"M_tools_statusbar", "状态条(&S)"},
    {"M_tools_title", "邮件预览窗口(&M)"},
    {"M_tools_largebtn", "工具条显示大图标(&L)"},
    {"M_tools_clearpwd", "清除口令(&C)"},
    {"M_tools_assist", "邮箱助理(&B)..."},
    {"M_tools_addressbook", "地址簿(&A)..."},
    {"M_help", "帮助(&H)"},
    {"M_help_contents", "目录(&C)..."},
    {"M_help_about", "关于(&A)..."},
    {"M_view", "查看(&V)"},
    {"M_view_style", "窗口风格(&W)"},
    {"M_view_H", "水平分隔(&H)"},
    {"M_view_V", "垂直分隔(&V)"},
    {"M_box_encrypt", "加密邮箱(&Y)..."},
    {"M_box_decrypt", "解密邮箱(&J)..."},
    {"M_tools_setup", "设置(&O)..."},
}};

// The toolbar's captions, left to right.
inline constexpr std::array<const char*, 11> k_toolbarCaptions = {
    {"发和收", "发送", "收取", "撰写", "回复", "转发", "转移", "删除", "前一个", "后一个", "地址簿"}};

// The mailbox properties dialog: its figures, and the reports of its check.
inline constexpr char k_propertyBytes[] = "%d 字节";
inline constexpr char k_propertyEncrypted[] = "（已加密）";
inline constexpr char k_boxCheckSound[] = "邮箱检查完毕，没有发现错误。";
inline constexpr char k_boxCheckFaults[] = "邮箱检查发现 %d 处错误。";

// Asked before an export replaces a file whose name got the filter's extension added (the
// save dialog asked only about the name as typed).
inline constexpr char k_askReplaceFile[] = "%s 已存在。\r\n要替换它吗?";
// The setup dialog (M_tools_setup): its pages, the security choices in TMailSecurity's
// order, the columns of the further accounts and their enabled mark, and the complaint
// about a number box outside its range (low, high).
inline constexpr std::array<const char*, 5> k_setupPages = {{"个人信息", "服务器", "其它连接", "签名", "收取"}};
inline constexpr std::array<const char*, 3> k_securityChoices = {{"不加密", "STLS/STARTTLS 加密", "SSL/TLS 加密连接"}};
inline constexpr std::array<const char*, 4> k_connectionColumns = {{"名称", "POP3 服务器", "帐号", "启用"}};
inline constexpr char k_connectionEnabled[] = "是";
inline constexpr char k_setupNumberRange[] = "请输入 %d 到 %d 之间的整数";
// The first entry of TBtn_Check's drop-down menu PM_recv: every enabled account.
inline constexpr char k_receiveAllAccounts[] = "所有帐号";
// The setup dialog's refusal of a trusted-certificate box that holds no fingerprint: the
// server it belongs to (by TServerKind) goes in front.
inline constexpr std::array<const char*, 2> k_fingerprintOwners = {{"接收邮件 (POP3)", "发送邮件 (SMTP)"}};
inline constexpr char k_setupBadFingerprint[] =
    "%s的“信任的指纹”不是证书的 SHA-256 指纹。请输入 32 字节的十六进制数字（64 位，字节之间可用“:”或空格分隔），"
    "或者留空，只接受验证通过的证书。";

}  // namespace frame_texts
