// The main window's texts against their exact wording: the menu captions (the GUI tests
// check the running window shows these), the toolbar, the list and the refusals.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "quillet/frame/frame_texts.h"

namespace {

TEST(FrameTexts, KeepTheirExactWording) {
  const std::map<std::string, std::string> captions = {
      {"M_file", "文件(&F)"}, {"M_file_open", "打开(&O)"}, {"M_file_saveas", "另存为(&A)..."},
      {"M_file_getnewmail", "收取新邮件(&G)"}, {"M_file_SendQueue", "发送候发邮件(&S)"}, {"M_file_SendGet", "发送并接收(&D)"},
      {"M_file_impmsg", "导入邮件(&I)..."}, {"M_file_expmsg", "导出邮件(&E)..."}, {"M_file_print", "打印(&P)"},
      {"M_file_printer_setup", "打印机设置(&T)"}, {"M_file_exit", "退出(&X)"}, {"M_edit", "编辑(&E)"},
      {"M_edit_find", "查找邮件(&F)..."}, {"M_edit_findagain", "查找下一个(&A)"}, {"M_edit_wordwrap", "自动换行(&W)"},
      {"M_edit_sort", "排序(&S)"}, {"M_msg", "邮件(&M)"}, {"M_msg_new", "写新邮件(&N)"}, {"M_msg_reply", "回复邮件(&R)"},
      {"M_msg_forward", "转发邮件(&F)"}, {"M_msg_sendagain", "再次发送(&A)"}, {"M_msg_address", "地址信息(&E)..."},
      {"M_msg_markas", "标记状态为(&K)"}, {"M_msg_label", "改变标签(&H)"}, {"M_msg_rawhead", "原始信息(&S)..."},
      {"M_msg_transfer", "转存到(&T)"}, {"M_msg_delete", "删除(&D)"}, {"M_msg_convert", "字符转换(&C)"},
      {"M_msg_decode", "解码(&O)"}, {"M_msg_addaddrs", "发件人加到地址簿(&B)..."}, {"M_box", "邮箱(&B)"},
      {"M_box_new", "建新邮箱(&N)"}, {"M_box_rename", "更名(&R)"}, {"M_box_delete", "删除(&D)"},
      {"M_box_compressone", "压缩(&O)"}, {"M_box_compress", "压缩所有邮箱(&C)"}, {"M_box_emptytrash", "清空废件箱(&E)"},
      {"M_box_property", "属性(&P)..."}, {"M_tools", "工具(&T)"}, {"M_tools_remote", "远程邮箱管理(&R)..."},
      {"M_tools_toolbar", "工具条(&B)"}, {"M_tools_statusbar", "状态条(&S)"}, {"M_tools_title", "邮件预览窗口(&M)"},
      {"M_tools_largebtn", "工具条显示大图标(&L)"}, {"M_tools_clearpwd", "清除口令(&C)"}, {"M_tools_assist", "邮箱助理(&B)..."},
      {"M_tools_addressbook", "地址簿(&A)..."}, {"M_help", "帮助(&H)"}, {"M_view", "查看(&V)"}, {"M_edit_undo", "撤销操作(&U)"},
      {"M_edit_copy", "拷贝(&C)"}, {"M_edit_cut", "剪裁(&T)"}, {"M_edit_paste", "粘贴(&P)"}, {"M_edit_selectall", "全选(&L)"},
      {"M_sort_none", "(无)(&N)"}, {"M_sort_ascender", "升序(&A)"}, {"M_sort_priority", "按优先级排序(&P)"},
      {"M_sort_address", "按地址排序(&R)"}, {"M_sort_subject", "按主题排序(&S)"}, {"M_sort_date", "按日期排序(&D)"},
      {"M_sort_size", "按大小排序(&Z)"}, {"M_sort_read", "按是否已读排序(&E)"}, {"M_msg_markunread", "未读(&U)"},
      {"M_msg_markread", "已读(&E)"}, {"M_msg_markreplied", "已回复(&R)"}, {"M_msg_markunreplied", "未回复(&P)"},
      {"M_msg_BIG5toGB", "&BIG5 -> GB"}, {"M_msg_GBtoBig5", "&GB -> BIG5"}, {"M_msg_uu", "&UUDecode"},
      {"M_help_contents", "目录(&C)..."}, {"M_help_about", "关于(&A)..."}, {"M_view_style", "窗口风格(&W)"},
      {"M_view_H", "水平分隔(&H)"}, {"M_view_V", "垂直分隔(&V)"},
  };
  std::map<std::string, std::string> shown;
  for (const auto& entry : frame_texts::k_commandCaptions) shown[entry.item] = entry.caption;
  for (const auto& [item, caption] : captions) EXPECT_EQ(shown[item], caption) << item;
  EXPECT_EQ(std::vector<std::string>(frame_texts::k_toolbarCaptions.begin(), frame_texts::k_toolbarCaptions.end()),
            (std::vector<std::string>{"发和收", "发送", "收取", "撰写", "回复", "转发", "转移", "删除", "前一个", "后一个",
                                      "地址簿"}));
  const std::vector<std::pair<std::string, std::string>> texts = {
      {frame_texts::k_applicationTitle, "Quillet: Internet Mail"},
      {frame_texts::k_setServerFirst, "请先设置服务器信息"},
      {frame_texts::k_noQueuedMail, "发件箱中没有候发邮件!"},
      {frame_texts::k_transferRunning, "正在发送或接收邮件，请稍后再发送一遍。"},
      {frame_texts::k_askNewBoxName, "请输入要建立的邮箱名："},
      {frame_texts::k_askRenameBox, "将原邮箱名\"%s\"改为："},
      {frame_texts::k_boxHasOpenWindows, "邮箱 %s 有打开的邮件窗口，请先关闭邮件窗口"},
      {frame_texts::k_findLabel, "查找："},
      {frame_texts::k_findHeadersOnly, "只查找邮件头"},
      {frame_texts::k_findCaseSensitive, "字母大小写敏感"},
      {frame_texts::k_listStatus, "共: %d, 未读: %d"},
      {frame_texts::k_messageFileFilter,
       "OutLook邮件(*.eml)|*.eml|Exchange邮件(*.msg)|*.msg|文本格式邮件(*.txt)|*.txt|所有文件(*.*)|*.*"},
  };
  for (const auto& [text, wording] : texts) EXPECT_EQ(text, wording);
}

}  // namespace
