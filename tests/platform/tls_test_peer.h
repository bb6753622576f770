// Linux only: a test CA, certificates made at test time, and an in-process TLS server
// over memory buffers, so the client session can be driven byte by byte with no socket.
#pragma once

#ifndef _WIN32

#include <memory>
#include <string>

namespace tls_test {

// One certificate with its key (opaque OpenSSL objects).
struct TCertified;
using TCertifiedPtr = std::shared_ptr<TCertified>;

struct TCertRequest {
  std::string dnsName = "localhost";
  int validFromDays = -1;  // relative to now
  int validToDays = 30;
  bool selfSigned = false;  // else signed by the issuer passed along
};

// A CA certificate (self-signed, CA:TRUE).
TCertifiedPtr MakeCa(const std::string& commonName);
// A server certificate signed by `issuer` (ignored when selfSigned).
TCertifiedPtr MakeServerCert(const TCertRequest& request, const TCertifiedPtr& issuer);
// The SHA-256 of the certificate's DER bytes, upper-case hex, computed from its encoding.
std::string FingerprintOf(const TCertifiedPtr& cert);
// Writes the certificate as PEM; false on failure.
bool WritePem(const TCertifiedPtr& cert, const std::string& path);

// A TLS server for one connection, fed and drained by the test.
class TTlsTestServer {
 public:
  // maxVersion: 0 for the highest, else TLS1_2_VERSION and the like.
  TTlsTestServer(const TCertifiedPtr& cert, int maxVersion = 0);
  ~TTlsTestServer();
  TTlsTestServer(const TTlsTestServer&) = delete;
  TTlsTestServer& operator=(const TTlsTestServer&) = delete;

  // Ciphertext from the client; moves the handshake on and keeps the plaintext it carried.
  void Receive(const std::string& cipher);
  bool HandshakeDone() const;
  // Plaintext to the client (queued once the handshake is done on this side).
  void Send(const std::string& plain);
  void SendCloseNotify();
  // Whether the client's close-notify arrived.
  bool PeerClosed() const { return peerClosed_; }
  std::string TakeOutput();
  // The plaintext received so far.
  const std::string& Plain() const { return plain_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string plain_;
  bool peerClosed_ = false;
};

}  // namespace tls_test

#endif
