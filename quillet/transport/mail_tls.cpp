// The socket line client over TLS: the session sits between the socket and the protocol,
// which reads and writes plain lines as before. Implicit TLS runs the handshake between the
// socket's connect and the protocol's Connected; the in-place upgrade runs it between the
// server's go-ahead and TlsUpgraded. The certificate is judged before either is called.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/winsock_errors.h"
#include "quillet/transport/mail_base.h"
#include "quillet/transport/trusted_cert.h"

namespace {
// One socket read takes at most this much ciphertext (a TLS record is up to 16 KB).
constexpr int k_cipherChunk = 17 * 1024;
}  // namespace

void TMailBase::StartTls() {
  tls_ = platform::TTlsSession::Create(Host);
  tlsPlain_.clear();
  tlsOut_.clear();
  tls_->Start();
  ThrowIfTlsFailed();
  SendCipher();
}

void TMailBase::UpgradeToTls() {
  // What followed the go-ahead in the same reads is enciphered data, not a reply.
  std::string early = LineBuffer + BlockBuffer;
  LineBuffer.clear();
  BlockBuffer.clear();
  StartTls();
  tlsUpgrade_ = true;
  if (early.empty()) return;
  tls_->Receive(early.data(), early.size(), tlsPlain_);
  SendCipher();
  ThrowIfTlsFailed();
}

void TMailBase::TlsDataArrived() {
  if (tls_->State() == platform::TTlsState::Handshaking) {
    ReadCipher();
    SendCipher();
    ThrowIfTlsFailed();
    if (tls_->State() == platform::TTlsState::Handshaking) return;
    CheckCertificate();
    if (tlsUpgrade_) {
      tlsUpgrade_ = false;
      TlsUpgraded();
    } else {
      Connected();
    }
    // The greeting may have come with the handshake's end: no read event will tell.
    if (tlsPlain_.empty()) return;
  }
  DataArrived();
  if (!EndIfPeerClosed()) RearmTlsRead();
}

// A server may send close-notify and then wait for the answer before it closes the
// socket: waiting for the socket's close would then last until the time-out.
bool TMailBase::EndIfPeerClosed() {
  if (!tls_ || tls_->State() != platform::TTlsState::Closed) return false;
  tls_->Shutdown();
  SendCipher();
  DeliverTlsRest();
  CloseQuietly();
  ConnectionClosed();
  return true;
}

void TMailBase::CheckCertificate() {
  const platform::TTlsPeer& peer = tls_->Peer();
  if (peer.verdict == platform::TCertVerdict::Valid || FingerprintsMatch(TrustedCert, peer.fingerprint)) return;
  throw EMailError(CertificateRefusalText(Host, peer));
}

void TMailBase::ThrowIfTlsFailed() {
  if (tls_ && tls_->State() == platform::TTlsState::Failed) throw EMailError(TlsFailureText(Host, tls_->ErrorText()));
}

void TMailBase::RearmTlsRead() {
  if (!tls_ || tlsPlain_.empty() || Socket == platform::k_invalidSocket) return;
  platform::PostWindowMessage(Window(), k_socketMessageBase + static_cast<unsigned>(SessionCounter),
                              static_cast<std::uintptr_t>(Socket), platform::k_socketRead);
}

bool TMailBase::ReadCipher() {
  char buffer[k_cipherChunk];
  int received = platform::ReceiveFromSocket(Socket, buffer, k_cipherChunk);
  if (received < 0 && platform::LastSocketError() != platform::k_WSAEWOULDBLOCK)
    LastError = platform::LastSocketError();
  if (received <= 0) return false;
  tls_->Receive(buffer, static_cast<std::size_t>(received), tlsPlain_);
  return true;
}

bool TMailBase::SendCipher() {
  tlsOut_ += tls_->TakeOutput();
  while (!tlsOut_.empty()) {
    int size = static_cast<int>(std::min<std::size_t>(tlsOut_.size(), INT_MAX));
    int sent = platform::SendOnSocket(Socket, tlsOut_.data(), size);
    if (sent <= 0) {
      if (sent < 0 && platform::LastSocketError() != platform::k_WSAEWOULDBLOCK)
        LastError = platform::LastSocketError();
      return false;
    }
    tlsOut_.erase(0, static_cast<std::size_t>(sent));
  }
  return true;
}

int TMailBase::Receive(char* buffer, int size) {
  if (!tls_) return ReceivePlain(buffer, size);
  if (tlsPlain_.empty()) {
    ReadCipher();
    SendCipher();
    ThrowIfTlsFailed();
  }
  int count = static_cast<int>(std::min<std::size_t>(tlsPlain_.size(), static_cast<std::size_t>(size)));
  std::memcpy(buffer, tlsPlain_.data(), static_cast<std::size_t>(count));
  tlsPlain_.erase(0, static_cast<std::size_t>(count));
  return count;
}

int TMailBase::SendSome(const char* data, int size) {
  if (!tls_) return SendSomePlain(data, size);
  if (!FlushOutput()) return LastError != 0 ? -1 : 0;
  tls_->Send(data, static_cast<std::size_t>(size));
  ThrowIfTlsFailed();
  if (!SendCipher() && LastError != 0) return -1;
  return size;
}

bool TMailBase::FlushOutput() { return !tls_ || SendCipher(); }

void TMailBase::DeliverTlsRest() {
  if (!tls_ || tls_->State() == platform::TTlsState::Handshaking) return;
  while (ReadCipher()) {
  }
  for (std::size_t left = tlsPlain_.size(); left != 0; left = tlsPlain_.size()) {
    DataArrived();
    if (tlsPlain_.size() >= left) break;  // the protocol takes no more
  }
}

void TMailBase::DropTls() {
  tls_.reset();
  tlsUpgrade_ = false;
  tlsPlain_.clear();
  tlsOut_.clear();
}
