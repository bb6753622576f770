// One TLS client session, fed by the socket code like a filter.
//
// Design. The socket client stays asynchronous and message-driven: it never hands its
// socket to the TLS engine. Instead it moves bytes between the socket and a session:
//   - ciphertext the socket received goes into Receive(), which returns the plaintext it
//     carried (possibly none: a handshake message, or half a record);
//   - plaintext to send goes into Send(), and the ciphertext to write to the socket, like
//     every handshake message the session produces, is taken with TakeOutput().
// No call blocks or waits: a session that needs more bytes says so by staying in its
// state. Every call returns the state after it, so handshake progress, the peer's
// close-notify and failures are explicit results; a failed session keeps its reason in
// ErrorText() and takes nothing more.
//
// Certificates. The handshake never fails because of the server's certificate: once it is
// done, Peer() gives the certificate's SHA-256 fingerprint and a verdict (valid, or the
// first of: untrusted, expired, wrong name), and the caller decides: a valid certificate,
// or exactly the one the user chose to trust (by fingerprint), goes on; anything else is
// refused before a byte of application data is sent. Trust comes from the system's roots:
// posix OpenSSL's default store (which honours SSL_CERT_FILE), win32 the ROOT store.
//
// Engines. posix: OpenSSL with two memory BIOs, host name checked by OpenSSL
// (SSL_set1_host). win32: SChannel through SSPI with automatic validation off, because it
// checks nothing under Wine; the chain is built and judged by hand (chain trust status
// must be clean, then the SSL policy with the host name). Both send the host name (SNI).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class TTlsState : std::uint8_t {
  Handshaking = 0,  // send the output, feed what comes back
  Established = 1,  // application data flows both ways; Peer() is known
  Closed = 2,       // the peer sent close-notify: no more data will come
  Failed = 3,       // the session is dead; ErrorText() says why
};

// What the system thinks of the server's certificate. When several apply, the first in
// this order is given: a certificate nobody vouches for says nothing reliable about its
// dates or names.
enum class TCertVerdict : std::uint8_t {
  Valid = 0,
  Untrusted = 1,  // no trusted root, a broken chain or signature, or no certificate
  Expired = 2,    // outside its validity dates (or a certificate of its chain is)
  WrongName = 3,  // does not name the host connected to
};

struct TTlsPeer {
  // SHA-256 of the certificate's DER bytes: 64 upper-case hex digits; empty without one.
  std::string fingerprint;
  TCertVerdict verdict = TCertVerdict::Untrusted;
};

class TTlsSession {
 public:
  // A client session for `host` (the name sent as SNI and required in the certificate).
  // Never null; a session the system cannot set up starts in Failed.
  static std::unique_ptr<TTlsSession> Create(const std::string& host);
  virtual ~TTlsSession() = default;

  // Starts the handshake: the first message waits in the output. Handshaking or Failed.
  virtual TTlsState Start() = 0;
  // Ciphertext from the socket. Appends the application bytes it completed to `plain`,
  // also those that arrive together with the end of the handshake or just before a
  // close-notify. Any bytes the session has to answer with wait in the output.
  virtual TTlsState Receive(const char* data, std::size_t size, std::string& plain) = 0;
  // Enciphers application bytes into the output; only when Established (else Failed with
  // nothing sent).
  virtual TTlsState Send(const char* data, std::size_t size) = 0;
  // Queues this side's close-notify, once: after the handshake, also in answer to the
  // peer's. The state becomes Closed (a Failed session stays Failed and says nothing).
  virtual TTlsState Shutdown() = 0;
  // The ciphertext waiting for the socket, removed from the session.
  virtual std::string TakeOutput() = 0;

  virtual TTlsState State() const = 0;
  // Filled when the handshake finished.
  virtual const TTlsPeer& Peer() const = 0;
  // The engine's own words for the failure (English); empty unless Failed.
  virtual const std::string& ErrorText() const = 0;
};

}  // namespace platform
