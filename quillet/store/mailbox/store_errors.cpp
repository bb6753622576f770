#include "quillet/store/mailbox/store_errors.h"

const char* const k_textOperateOnEncrypted = "Error: Operate on encrypted data";
const char* const k_textNoRecordHead = "Can not find record head in EditHead";

EOperateOnEncrypted::EOperateOnEncrypted() : Exception(k_textOperateOnEncrypted) {}
