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
// A server certificate that did not pass (EMailError): the server, the reason, then the
// fingerprint the user can choose to trust.
inline constexpr char k_textCertRefusedPrefix[] = "服务器 ";
inline constexpr char k_textCertRefusedMiddle[] = " 的证书未通过验证：";
inline constexpr char k_textCertUntrusted[] = "证书不受信任";
inline constexpr char k_textCertExpired[] = "证书已过期";
inline constexpr char k_textCertWrongName[] = "证书与服务器名称不符";
inline constexpr char k_textCertFingerprint[] = "\r\n证书指纹（SHA-256）：";
inline constexpr char k_textCertTrustHint[] =
    "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。";
// The secure connection failed (EMailError); the engine's words follow.
inline constexpr char k_textTlsFailedPrefix[] = "与服务器 ";
inline constexpr char k_textTlsFailedMiddle[] = " 建立安全连接失败：";

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
inline constexpr char k_textReceiveDiskFull[] = "Error! Disk full?";
// After a refused password: the reply, a blank line, then this question.
inline constexpr char k_textPasswordAgain[] = "重新输入口令吗？";
// How a PASS command is shown while it is sent, and the digest of an APOP command.
inline constexpr char k_textPassShown[] = "PASS <...>";
inline constexpr char k_textSecretShown[] = "<...>";
// The upgrade to TLS the account requires did not happen (EMailError): the server's name
// goes between the prefix and the text, the server's reply after k_textStlsRefused.
inline constexpr char k_textPop3ServerPrefix[] = "POP3 服务器 ";
inline constexpr char k_textStlsNotOffered[] =
    " 不提供 STLS 安全连接，而帐户设置要求使用它。帐户名和口令都没有发出。";
inline constexpr char k_textStlsRefused[] = " 拒绝建立 STLS 安全连接，帐户名和口令都没有发出：";

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
// A server that goes on sending without ending a reply (EMailError).
inline constexpr char k_textSmtpReplyTooLong[] = "The SMTP server sent a reply that does not end";
// Shown (not raised) for a message above the limit the server announced (SIZE); the next
// one goes on: subject, its size, the server, the limit.
inline constexpr char k_textTooBigFormat[] = "邮件“%s”有 %s 字节，超过服务器 %s 允许的 %s 字节，未发送。";
// The stops before a password could leave in the clear or unasked for (EMailError); the
// server's name follows the prefix, the reply (with its CR LF) follows where one is given.
inline constexpr char k_textSmtpServerPrefix[] = "服务器 ";
inline constexpr char k_textNoStartTls[] =
    " 不提供安全连接（STARTTLS），而帐户要求使用它：邮件未发送，口令也未发出。";
inline constexpr char k_textStartTlsRefused[] = " 拒绝建立安全连接（STARTTLS）：\r\n";
inline constexpr char k_textNoAuthMethod[] =
    " 不提供可用的登录方式（CRAM-MD5、PLAIN、LOGIN），邮件未发送。";
inline constexpr char k_textAuthRefused[] = " 拒绝登录：\r\n";
// How a command that carries a login secret is shown while it is sent.
inline constexpr char k_textAuthShown[] = "<...>";

// ---- The receive and send runs ----
inline constexpr char k_textProgressRunning[] = "Error: Progress running";
inline constexpr char k_textAddReceivedLogError[] = "Error in AddReceivedLog";
inline constexpr char k_textReceivedCount[] = "收到 %d 封新邮件";
inline constexpr char k_textSavedTo[] = "%d 封邮件保存到：%s";
inline constexpr char k_textNoNewMail[] = "对不起，没有新邮件";
// The progress texts: total and remaining while receiving; the password question.
inline constexpr char k_textFetchCount[] = "共 %d 封，还剩 %d 封";
inline constexpr char k_textPasswordFor[] = " on ";
inline constexpr char k_textReceiveCaption[] = "接收邮件...";
inline constexpr char k_textSendCaption[] = "发送邮件...";
// The progress window's hide button hint and its cancel button.
inline constexpr char k_textHideProgressHint[] = "隐藏网络进度窗口";
inline constexpr char k_textCancelCaption[] = "取消";
