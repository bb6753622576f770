// The texts of the mail transport: the scrambling key and its exception text (GBK bytes
// once compiled).
#pragma once

// The key Scramble uses when it is given an empty one.
inline constexpr char k_defaultScrambleKey[] = "~kelPor~";
// Scramble, encoding: no seed gives a text that descrambles back to the password (only
// possible for passwords with NUL or 0xFF bytes).
inline constexpr char k_textCannotScramble[] = "Password can not be scrambled";

// The socket line client (TMailBase).
inline constexpr char k_textNetworkNotReady[] = "TCP/IP网络尚未准备好，您现在不能连接服务器";
inline constexpr char k_textCannotOpenSocket[] = "Can not open socket";
inline constexpr char k_textServerNameNotSet[] = "Server name not set";
inline constexpr char k_textErrorResolvingHost[] = "Error resolving remote host";
inline constexpr char k_textInvalidSocketInConnect[] = "Invalid socket in Connect";
inline constexpr char k_textCloseSocketFailed[] = "Close socket failed";
inline constexpr char k_textUnknownHost[] = "Unknown";
inline constexpr char k_textOperationTimedOut[] = "网络失败：操作超时。";
// The network error box: what failed, by the session state.
inline constexpr char k_textResolveFailed[] =
    "解析服务器地址失败，请检查网络是否连通，服务器名字是否写对，以及你的TCP/IP设置是否正确。";
inline constexpr char k_textConnectFailed[] = "连接服务器失败，服务器可能已关掉。请稍后再试。";
inline constexpr char k_textNetworkFailed[] = "网络错误，请检查网络是否连通。";
inline constexpr char k_textStatePrefix[] = "[状态：";
inline constexpr char k_textStateSuffix[] = "]";

// ---- The POP3 client ----
// Refusals of the server (EMailError); the reply or the name follows where the text ends
// in ": ".
inline constexpr char k_textIllegalAccount[] = "用户帐户名非法: ";
inline constexpr char k_textNoStatistics[] = "Can not get the mail statistics";
inline constexpr char k_textListError[] = "List command error: ";
inline constexpr char k_textRetrieveFailed[] = "Retrieve message failed: ";
inline constexpr char k_textDeleteFailed[] = "Delete message failed: ";
inline constexpr char k_textQuitFailed[] = "Quit POP3 server failed: ";
inline constexpr char k_textConnectionLost[] = "Connection closed by the POP3 server";
// Faults of the caller or of the client itself.
inline constexpr char k_textDoOperationError[] = "Error in DoOperation";
inline constexpr char k_textNoMessageSize[] = "Error: MsgSize in FMsgsSize";
inline constexpr char k_textNoMessageHandler[] = "Internal Error";
inline constexpr char k_textNextMessageError[] = "Internal Error in GotoNextMsg";
inline constexpr char k_textDiskFull[] = "Error! Disk full?";
// After a refused password: the reply, a blank line, then this question.
inline constexpr char k_textPasswordAgain[] = "重新输入口令吗？";
// How a PASS command is shown while it is sent.
inline constexpr char k_textPassShown[] = "PASS <...>";
