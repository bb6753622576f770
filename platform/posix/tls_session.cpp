// The TLS session over OpenSSL: the engine reads ciphertext from one memory BIO (filled
// by Receive) and writes ciphertext to another (emptied by TakeOutput). Certificate
// checking runs with a callback that notes every problem and lets the handshake go on, so
// the verdict is the caller's to act on.
#include "platform/tls_session.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <climits>

#include "platform/tls_cert_problems.h"

namespace platform {
namespace {

constexpr int k_readChunk = 16384;

unsigned ProblemOf(int verifyError) {
  switch (verifyError) {
    case X509_V_OK:
      return 0;
    case X509_V_ERR_CERT_HAS_EXPIRED:
    case X509_V_ERR_CERT_NOT_YET_VALID:
      return tls::k_problemExpired;
    case X509_V_ERR_HOSTNAME_MISMATCH:
      return tls::k_problemWrongName;
    default:
      return tls::k_problemUntrusted;
  }
}

class TOpenSslSession final : public TTlsSession {
 public:
  explicit TOpenSslSession(const std::string& host) { SetUp(host); }
  ~TOpenSslSession() override {
    SSL_free(ssl_);  // frees both BIOs
    SSL_CTX_free(ctx_);
  }

  TTlsState Start() override;
  TTlsState Receive(const char* data, std::size_t size, std::string& plain) override;
  TTlsState Send(const char* data, std::size_t size) override;
  TTlsState Shutdown() override;
  std::string TakeOutput() override;
  TTlsState State() const override { return state_; }
  const TTlsPeer& Peer() const override { return peer_; }
  const std::string& ErrorText() const override { return error_; }

 private:
  static int NoteProblem(int preverifyOk, X509_STORE_CTX* store);
  void SetUp(const std::string& host);
  TTlsState Fail(const std::string& what);
  TTlsState Handshake();
  TTlsState ReadPlain(std::string& plain);
  void ReadPeer();

  SSL_CTX* ctx_ = nullptr;
  SSL* ssl_ = nullptr;
  BIO* in_ = nullptr;   // ciphertext received, read by the engine
  BIO* out_ = nullptr;  // ciphertext the engine wrote, for the socket
  TTlsState state_ = TTlsState::Handshaking;
  unsigned problems_ = 0;
  TTlsPeer peer_;
  std::string error_;
};

int TOpenSslSession::NoteProblem(int preverifyOk, X509_STORE_CTX* store) {
  SSL* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
  auto* self = static_cast<TOpenSslSession*>(SSL_get_app_data(ssl));
  if (!preverifyOk && self) self->problems_ |= ProblemOf(X509_STORE_CTX_get_error(store));
  return 1;  // go on: the verdict is decided after the handshake
}

void TOpenSslSession::SetUp(const std::string& host) {
  ctx_ = SSL_CTX_new(TLS_client_method());
  if (!ctx_ || SSL_CTX_set_min_proto_version(ctx_, TLS1_2_VERSION) != 1 ||
      SSL_CTX_set_default_verify_paths(ctx_) != 1) {
    Fail("TLS context");
    return;
  }
  SSL_CTX_set_verify(ctx_, SSL_VERIFY_PEER, &TOpenSslSession::NoteProblem);
  ssl_ = SSL_new(ctx_);
  in_ = BIO_new(BIO_s_mem());
  out_ = BIO_new(BIO_s_mem());
  if (!ssl_ || !in_ || !out_) {
    BIO_free(in_);
    BIO_free(out_);
    Fail("TLS session");
    return;
  }
  BIO_set_mem_eof_return(in_, -1);  // an empty input means "more to come", not the end
  SSL_set_bio(ssl_, in_, out_);
  SSL_set_app_data(ssl_, this);
  SSL_set_connect_state(ssl_);
  if (SSL_set_tlsext_host_name(ssl_, host.c_str()) != 1 || SSL_set1_host(ssl_, host.c_str()) != 1)
    Fail("TLS host name");
}

TTlsState TOpenSslSession::Fail(const std::string& what) {
  char text[256] = "";
  unsigned long code = ERR_peek_last_error();
  if (code) ERR_error_string_n(code, text, sizeof text);
  error_ = code ? what + ": " + text : what;
  ERR_clear_error();
  state_ = TTlsState::Failed;
  return state_;
}

TTlsState TOpenSslSession::Start() {
  if (state_ != TTlsState::Handshaking) return state_;
  return Handshake();
}

TTlsState TOpenSslSession::Handshake() {
  ERR_clear_error();
  int result = SSL_do_handshake(ssl_);
  if (result == 1) {
    state_ = TTlsState::Established;
    ReadPeer();
    return state_;
  }
  if (SSL_get_error(ssl_, result) == SSL_ERROR_WANT_READ) return state_;
  return Fail("TLS handshake");
}

void TOpenSslSession::ReadPeer() {
  X509* cert = SSL_get0_peer_certificate(ssl_);
  if (!cert) return;  // stays Untrusted without a fingerprint
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned size = 0;
  if (X509_digest(cert, EVP_sha256(), digest, &size) == 1) peer_.fingerprint = tls::HexDigits(digest, size);
  problems_ |= ProblemOf(static_cast<int>(SSL_get_verify_result(ssl_)));
  peer_.verdict = peer_.fingerprint.empty() ? TCertVerdict::Untrusted : tls::VerdictOf(problems_);
}

TTlsState TOpenSslSession::Receive(const char* data, std::size_t size, std::string& plain) {
  if (state_ == TTlsState::Failed || state_ == TTlsState::Closed) return state_;
  while (size > 0) {
    int part = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    if (BIO_write(in_, data, part) != part) return Fail("TLS input");
    data += part;
    size -= static_cast<std::size_t>(part);
  }
  if (state_ == TTlsState::Handshaking && Handshake() != TTlsState::Established) return state_;
  return ReadPlain(plain);
}

TTlsState TOpenSslSession::ReadPlain(std::string& plain) {
  char buffer[k_readChunk];
  for (;;) {
    ERR_clear_error();
    int count = SSL_read(ssl_, buffer, sizeof buffer);
    if (count > 0) {
      plain.append(buffer, static_cast<std::size_t>(count));
      continue;
    }
    int error = SSL_get_error(ssl_, count);
    if (error == SSL_ERROR_WANT_READ) return state_;
    if (error == SSL_ERROR_ZERO_RETURN) return state_ = TTlsState::Closed;
    return Fail("TLS receive");
  }
}

TTlsState TOpenSslSession::Send(const char* data, std::size_t size) {
  if (state_ != TTlsState::Established) return Fail("TLS send outside an established session");
  while (size > 0) {
    int part = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    ERR_clear_error();
    if (SSL_write(ssl_, data, part) != part) return Fail("TLS send");
    data += part;
    size -= static_cast<std::size_t>(part);
  }
  return state_;
}

TTlsState TOpenSslSession::Shutdown() {
  if (state_ == TTlsState::Failed) return state_;
  bool handshakeDone = state_ != TTlsState::Handshaking;
  if (handshakeDone && !(SSL_get_shutdown(ssl_) & SSL_SENT_SHUTDOWN)) {
    ERR_clear_error();
    SSL_shutdown(ssl_);  // 0 is normal: the peer's answer is not awaited
  }
  return state_ = TTlsState::Closed;
}

std::string TOpenSslSession::TakeOutput() {
  std::string out;
  std::size_t size = out_ ? BIO_ctrl_pending(out_) : 0;
  if (size == 0 || size > INT_MAX) return out;
  out.resize(size);
  int count = BIO_read(out_, &out[0], static_cast<int>(size));
  out.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return out;
}

}  // namespace

std::unique_ptr<TTlsSession> TTlsSession::Create(const std::string& host) {
  return std::make_unique<TOpenSslSession>(host);
}

}  // namespace platform
