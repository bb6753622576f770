// The TLS session over SChannel (SSPI in stream mode). Received ciphertext collects in an
// input buffer until a whole handshake message or record is there (the system says
// SEC_E_INCOMPLETE_MESSAGE until then); what one call leaves unread comes back as
// SECBUFFER_EXTRA and stays for the next. Validation is manual, as automatic validation
// passes anything under Wine: the chain's trust status must be clean, then the SSL policy
// is applied with the host name.
#include "platform/tls_session.h"

#define SECURITY_WIN32
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
#include <schannel.h>
#include <security.h>
#include <sspi.h>

#include <cstdio>

#include "platform/tls_cert_problems.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

constexpr unsigned long k_contextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                           ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY |
                                           ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR |
                                           ISC_REQ_MANUAL_CRED_VALIDATION;
// More handshake steps than any server needs: a guard against a peer that loops.
constexpr int k_maxHandshakeSteps = 32;
// The content type of a TLS record that carries an alert.
constexpr char k_alertRecord = 0x15;
// Record content types run from change_cipher_spec (20) to application_data (23), and
// every record's version starts with 3.
constexpr char k_firstRecordType = 0x14;
constexpr char k_lastRecordType = 0x17;
constexpr char k_recordMajorVersion = 0x03;

// Whether the bytes can start a TLS record. The system waits for as many bytes as any
// header announces, so a peer that answers in plain text would otherwise only time out.
bool CanStartRecord(const std::string& bytes) {
  if (bytes.empty()) return true;
  if (bytes[0] < k_firstRecordType || bytes[0] > k_lastRecordType) return false;
  return bytes.size() < 2 || bytes[1] == k_recordMajorVersion;
}


std::string CodeText(const char* what, long code) {
  char text[96];
  std::snprintf(text, sizeof text, "%s: 0x%08lX", what, static_cast<unsigned long>(code));
  return text;
}

unsigned ProblemsOfTrustStatus(DWORD status) {
  unsigned problems = 0;
  if (status & (CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_CTL_IS_NOT_TIME_VALID)) problems |= tls::k_problemExpired;
  if (status & ~static_cast<DWORD>(CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_CTL_IS_NOT_TIME_VALID))
    problems |= tls::k_problemUntrusted;
  return problems;
}

unsigned ProblemOfPolicyError(DWORD error) {
  switch (error) {
    case 0:
      return 0;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
      return tls::k_problemWrongName;
    case static_cast<DWORD>(CERT_E_EXPIRED):
      return tls::k_problemExpired;
    default:
      return tls::k_problemUntrusted;
  }
}

// SHA-256 of the bytes as 64 upper-case hex digits; empty when the system fails.
std::string Sha256Hex(const BYTE* data, DWORD size) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  UCHAR digest[32];
  bool done = BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) >= 0 &&
              BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) >= 0 &&
              BCryptHashData(hash, const_cast<PUCHAR>(data), size, 0) >= 0 &&
              BCryptFinishHash(hash, digest, sizeof digest, 0) >= 0;
  if (hash) BCryptDestroyHash(hash);
  if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
  if (!done) return std::string();
  return tls::HexDigits(digest, sizeof digest);
}

// The problems of the chain the system builds for the certificate (with the certificates
// the server sent), and of the SSL policy for the host.
unsigned ChainProblems(PCCERT_CONTEXT cert, const std::wstring& host) {
  LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
  CERT_CHAIN_PARA chainPara = {};
  chainPara.cbSize = sizeof chainPara;
  chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
  chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!CertGetCertificateChain(nullptr, cert, nullptr, cert->hCertStore, &chainPara, 0, nullptr, &chain))
    return tls::k_problemUntrusted;
  unsigned problems = ProblemsOfTrustStatus(chain->TrustStatus.dwErrorStatus);
  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = AUTHTYPE_SERVER;
  ssl.pwszServerName = const_cast<wchar_t*>(host.c_str());
  CERT_CHAIN_POLICY_PARA policyPara = {};
  policyPara.cbSize = sizeof policyPara;
  policyPara.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS status = {};
  status.cbSize = sizeof status;
  if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policyPara, &status))
    problems |= tls::k_problemUntrusted;
  else
    problems |= ProblemOfPolicyError(status.dwError);
  CertFreeCertificateChain(chain);
  return problems;
}

class TSchannelSession final : public TTlsSession {
 public:
  explicit TSchannelSession(const std::string& host);
  ~TSchannelSession() override;

  TTlsState Start() override;
  TTlsState Receive(const char* data, std::size_t size, std::string& plain) override;
  TTlsState Send(const char* data, std::size_t size) override;
  TTlsState Shutdown() override;
  std::string TakeOutput() override {
    std::string out;
    out.swap(output_);
    return out;
  }
  TTlsState State() const override { return state_; }
  const TTlsPeer& Peer() const override { return peer_; }
  const std::string& ErrorText() const override { return error_; }

 private:
  TTlsState Fail(const std::string& text) {
    error_ = text;
    return state_ = TTlsState::Failed;
  }
  // One InitializeSecurityContext call over the input (none before the first message).
  SECURITY_STATUS Step(bool withInput);
  TTlsState Handshake();
  TTlsState Established();
  void ReadPeer();
  TTlsState Decrypt(std::string& plain);
  bool EncryptPart(const char* data, unsigned long size);
  // Keeps the last `extra` bytes of the input (what a call left unread).
  void KeepExtra(unsigned long extra);

  std::wstring host_;
  CredHandle cred_ = {};
  CtxtHandle context_ = {};
  bool haveCred_ = false;
  bool haveContext_ = false;
  bool closeSent_ = false;
  SecPkgContext_StreamSizes sizes_ = {};
  std::string input_;
  std::string output_;
  TTlsState state_ = TTlsState::Handshaking;
  TTlsPeer peer_;
  std::string error_;
};

TSchannelSession::TSchannelSession(const std::string& host) : host_(win32::WideFromGbk(host)) {
  SCHANNEL_CRED settings = {};
  settings.dwVersion = SCHANNEL_CRED_VERSION;
  settings.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
  settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  SECURITY_STATUS status = AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W),
                                                     SECPKG_CRED_OUTBOUND, nullptr, &settings, nullptr, nullptr,
                                                     &cred_, nullptr);
  if (status != SEC_E_OK)
    Fail(CodeText("TLS credentials", status));
  else
    haveCred_ = true;
}

TSchannelSession::~TSchannelSession() {
  if (haveContext_) DeleteSecurityContext(&context_);
  if (haveCred_) FreeCredentialsHandle(&cred_);
}

SECURITY_STATUS TSchannelSession::Step(bool withInput) {
  SecBuffer in[2] = {};
  in[0].BufferType = SECBUFFER_TOKEN;
  in[0].pvBuffer = input_.empty() ? nullptr : &input_[0];
  in[0].cbBuffer = static_cast<unsigned long>(input_.size());
  in[1].BufferType = SECBUFFER_EMPTY;
  SecBufferDesc inDesc = {SECBUFFER_VERSION, 2, in};
  SecBuffer out[1] = {};
  out[0].BufferType = SECBUFFER_TOKEN;
  SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, out};
  unsigned long attributes = 0;
  SECURITY_STATUS status = InitializeSecurityContextW(
      &cred_, haveContext_ ? &context_ : nullptr, const_cast<wchar_t*>(host_.c_str()), k_contextRequest, 0, 0,
      withInput ? &inDesc : nullptr, 0, &context_, &outDesc, &attributes, nullptr);
  if (!haveContext_ && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED)) haveContext_ = true;
  if (out[0].pvBuffer) {
    // Also an alert that tells the server why the handshake failed.
    output_.append(static_cast<const char*>(out[0].pvBuffer), out[0].cbBuffer);
    FreeContextBuffer(out[0].pvBuffer);
  }
  // Incomplete credentials: the same input goes in again.
  if (withInput && status != SEC_E_INCOMPLETE_MESSAGE && status != SEC_I_INCOMPLETE_CREDENTIALS)
    KeepExtra(in[1].BufferType == SECBUFFER_EXTRA ? in[1].cbBuffer : 0);
  return status;
}

void TSchannelSession::KeepExtra(unsigned long extra) {
  if (extra > input_.size()) extra = static_cast<unsigned long>(input_.size());
  input_.erase(0, input_.size() - extra);
}

TTlsState TSchannelSession::Start() {
  if (state_ != TTlsState::Handshaking || haveContext_) return state_;
  SECURITY_STATUS status = Step(false);
  if (status != SEC_I_CONTINUE_NEEDED) return Fail(CodeText("TLS handshake", status));
  return state_;
}

TTlsState TSchannelSession::Handshake() {
  for (int step = 0; step < k_maxHandshakeSteps && !input_.empty(); ++step) {
    SECURITY_STATUS status = Step(true);
    if (status == SEC_E_INCOMPLETE_MESSAGE) return state_;
    if (status == SEC_E_OK) return Established();
    if (status != SEC_I_CONTINUE_NEEDED && status != SEC_I_INCOMPLETE_CREDENTIALS)
      return Fail(CodeText("TLS handshake", status));
  }
  return state_;
}

TTlsState TSchannelSession::Established() {
  SECURITY_STATUS status = QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_);
  if (status != SEC_E_OK) return Fail(CodeText("TLS stream sizes", status));
  state_ = TTlsState::Established;
  ReadPeer();
  return state_;
}

void TSchannelSession::ReadPeer() {
  PCCERT_CONTEXT cert = nullptr;
  if (QueryContextAttributesW(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &cert) != SEC_E_OK || !cert) return;
  peer_.fingerprint = Sha256Hex(cert->pbCertEncoded, cert->cbCertEncoded);
  unsigned problems = ChainProblems(cert, host_);
  peer_.verdict = peer_.fingerprint.empty() ? TCertVerdict::Untrusted : tls::VerdictOf(problems);
  CertFreeCertificateContext(cert);
}

TTlsState TSchannelSession::Receive(const char* data, std::size_t size, std::string& plain) {
  if (state_ == TTlsState::Failed || state_ == TTlsState::Closed) return state_;
  if (!haveContext_) return Fail("TLS data before the handshake started");
  input_.append(data, size);
  // What is left over always starts at a record's boundary.
  if (!CanStartRecord(input_))
    return Fail(state_ == TTlsState::Handshaking ? "TLS handshake: the peer sent no TLS record"
                                                  : "TLS receive: the peer sent no TLS record");
  if (state_ == TTlsState::Handshaking && Handshake() != TTlsState::Established) return state_;
  return Decrypt(plain);
}

TTlsState TSchannelSession::Decrypt(std::string& plain) {
  while (!input_.empty()) {
    SecBuffer buffers[4] = {};
    buffers[0].BufferType = SECBUFFER_DATA;
    buffers[0].pvBuffer = &input_[0];
    buffers[0].cbBuffer = static_cast<unsigned long>(input_.size());
    for (int i = 1; i < 4; ++i) buffers[i].BufferType = SECBUFFER_EMPTY;
    SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
    // Decrypted in place: look at the record's type first.
    const bool alert = input_[0] == k_alertRecord;
    SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) return state_;
    // The peer's close-notify: SEC_I_CONTEXT_EXPIRED, or under Wine an alert record that
    // decrypts to no data. TLS 1.2 sends alerts as records of their own type.
    if (status == SEC_I_CONTEXT_EXPIRED || (status == SEC_E_OK && alert)) {
      input_.clear();
      return state_ = TTlsState::Closed;
    }
    if (status == SEC_I_RENEGOTIATE) return Fail("TLS renegotiation is not supported");
    if (status != SEC_E_OK) return Fail(CodeText("TLS receive", status));
    unsigned long extra = 0;
    for (const SecBuffer& buffer : buffers) {
      if (buffer.BufferType == SECBUFFER_DATA && buffer.cbBuffer)
        plain.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
      if (buffer.BufferType == SECBUFFER_EXTRA) extra = buffer.cbBuffer;
    }
    KeepExtra(extra);
  }
  return state_;
}

bool TSchannelSession::EncryptPart(const char* data, unsigned long size) {
  std::string record(sizes_.cbHeader + size + sizes_.cbTrailer, '\0');
  record.replace(sizes_.cbHeader, size, data, size);
  SecBuffer buffers[4] = {};
  buffers[0] = {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, &record[0]};
  buffers[1] = {size, SECBUFFER_DATA, &record[sizes_.cbHeader]};
  buffers[2] = {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, &record[sizes_.cbHeader + size]};
  buffers[3].BufferType = SECBUFFER_EMPTY;
  SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
  SECURITY_STATUS status = EncryptMessage(&context_, 0, &desc, 0);
  if (status != SEC_E_OK) {
    Fail(CodeText("TLS send", status));
    return false;
  }
  output_.append(record.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
  return true;
}

TTlsState TSchannelSession::Send(const char* data, std::size_t size) {
  if (state_ != TTlsState::Established) return Fail("TLS send outside an established session");
  while (size > 0) {
    unsigned long part = size > sizes_.cbMaximumMessage ? sizes_.cbMaximumMessage : static_cast<unsigned long>(size);
    if (!EncryptPart(data, part)) return state_;
    data += part;
    size -= part;
  }
  return state_;
}

TTlsState TSchannelSession::Shutdown() {
  if (state_ == TTlsState::Failed) return state_;
  if (state_ != TTlsState::Handshaking && !closeSent_) {
    closeSent_ = true;
    DWORD type = SCHANNEL_SHUTDOWN;
    SecBuffer token = {sizeof type, SECBUFFER_TOKEN, &type};
    SecBufferDesc desc = {SECBUFFER_VERSION, 1, &token};
    if (ApplyControlToken(&context_, &desc) == SEC_E_OK) Step(false);
  }
  return state_ = TTlsState::Closed;
}

}  // namespace

std::unique_ptr<TTlsSession> TTlsSession::Create(const std::string& host) {
  return std::make_unique<TSchannelSession>(host);
}

}  // namespace platform
