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

// ---- The SMTP client ----
// Raised when the send is asked for with nothing queued.
inline constexpr char k_textNoMailsToSend[] = "Error: No mails to send out!";
// A queued identifier without a live message in the outbox (+ the identifier).
inline constexpr char k_textCannotFindMail[] = "Can not find out mail: ";
// The outbox's data file gave fewer bytes than the message's record promises.
inline constexpr char k_textCannotReadMail[] = "Can not read mail from file to send out";
// The data phase lost its place in the message (a guard; never expected).
inline constexpr char k_textSmtpInternal[] = "Internal Error in SMTP";
// Shown (not raised) for a queued message whose header names no recipient; the next one goes on.
inline constexpr char k_textNoReceiver[] = "A message does not have receiver";
// A refused reply: k_textServerSays + reply (with its CR LF) + CR LF + k_textContinue.
inline constexpr char k_textServerSays[] = "The server says: \r\n";
inline constexpr char k_textContinue[] = "Continue?";
// The server closed the connection before the session ended with QUIT.
inline constexpr char k_textSmtpConnectionLost[] = "The server closed the connection before the mail was sent";
