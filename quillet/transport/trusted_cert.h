// The server certificate a user chose to trust, and the texts that refuse one.
#pragma once

#include <string>

#include "platform/tls_session.h"

// Whether `actual` (the peer's fingerprint) is the one the user trusted: the same hex
// digits, with case and ':' ignored. An empty or malformed trusted value matches nothing.
bool FingerprintsMatch(const std::string& trusted, const std::string& actual);
// Whether a text a user gives is a SHA-256 fingerprint as FingerprintsMatch reads it.
bool IsFingerprint(const std::string& text);

// "服务器 HOST 的证书未通过验证：REASON" with the fingerprint on the next line and how to
// trust it, for an EMailError.
std::string CertificateRefusalText(const std::string& host, const platform::TTlsPeer& peer);

// "与服务器 HOST 建立安全连接失败：" and the engine's words.
std::string TlsFailureText(const std::string& host, const std::string& engineText);
