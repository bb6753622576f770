// The display names of the session states.
#include "quillet/transport/mail_base.h"

namespace {

struct TStateName {
  int state;
  const char* name;
};

const TStateName k_stateNames[] = {
    {0, "空闲"},     {1, "用户登录"},     {2, "解析主机地址"}, {3, "连接"},
    {4, "退出登录"}, {5, "放弃"},         {6, "超时"},         {8, "收取邮件"},
    {9, "删除"},     {10, "收取邮件"},    {11, "发送信封信息"}, {12, "发送信件内容"},
};

}  // namespace

std::string StateName(int state) {
  state &= 127;
  for (const TStateName& entry : k_stateNames)
    if (entry.state == state) return entry.name;
  return "未知";
}
