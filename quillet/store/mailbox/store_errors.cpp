#include "quillet/store/mailbox/store_errors.h"

EOperateOnEncrypted::EOperateOnEncrypted() : Exception(k_textOperateOnEncrypted) {}
