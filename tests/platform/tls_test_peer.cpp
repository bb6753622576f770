#ifndef _WIN32

#include "tls_test_peer.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace tls_test {

struct TCertified {
  EVP_PKEY* key = nullptr;
  X509* cert = nullptr;
  ~TCertified() {
    X509_free(cert);
    EVP_PKEY_free(key);
  }
};

namespace {

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
  if (ext) X509_add_ext(cert, ext, -1);
  X509_EXTENSION_free(ext);
}

// A certificate for `subject` signed by the issuer's key (itself when issuer is null).
TCertifiedPtr Make(const std::string& subject, int fromDays, int toDays, const TCertified* issuer) {
  static long serial = 1;
  auto made = std::make_shared<TCertified>();
  made->key = EVP_EC_gen("P-256");
  made->cert = X509_new();
  X509* cert = made->cert;
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), serial++);
  X509_gmtime_adj(X509_getm_notBefore(cert), static_cast<long>(fromDays) * 86400);
  X509_gmtime_adj(X509_getm_notAfter(cert), static_cast<long>(toDays) * 86400);
  X509_NAME* name = X509_get_subject_name(cert);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(subject.c_str()), -1, -1, 0);
  X509_set_issuer_name(cert, issuer ? X509_get_subject_name(issuer->cert) : name);
  X509_set_pubkey(cert, made->key);
  return made;
}

void Sign(TCertified& made, const TCertified& signer) { X509_sign(made.cert, signer.key, EVP_sha256()); }

}  // namespace

TCertifiedPtr MakeCa(const std::string& commonName) {
  TCertifiedPtr ca = Make(commonName, -1, 365, nullptr);
  AddExtension(ca->cert, ca->cert, NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(ca->cert, ca->cert, NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(ca->cert, ca->cert, NID_subject_key_identifier, "hash");
  Sign(*ca, *ca);
  return ca;
}

TCertifiedPtr MakeServerCert(const TCertRequest& request, const TCertifiedPtr& issuer) {
  const TCertified* signer = request.selfSigned ? nullptr : issuer.get();
  TCertifiedPtr leaf = Make(request.dnsName, request.validFromDays, request.validToDays, signer);
  X509* issuerCert = signer ? signer->cert : leaf->cert;
  AddExtension(leaf->cert, issuerCert, NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(leaf->cert, issuerCert, NID_ext_key_usage, "serverAuth");
  AddExtension(leaf->cert, issuerCert, NID_subject_alt_name, ("DNS:" + request.dnsName).c_str());
  Sign(*leaf, signer ? *signer : *leaf);
  return leaf;
}

std::string FingerprintOf(const TCertifiedPtr& cert) {
  unsigned char* der = nullptr;
  int size = i2d_X509(cert->cert, &der);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned digestSize = 0;
  EVP_Digest(der, static_cast<std::size_t>(size), digest, &digestSize, EVP_sha256(), nullptr);
  OPENSSL_free(der);
  std::string hex;
  char pair[3];
  for (unsigned i = 0; i < digestSize; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", digest[i]);
    hex += pair;
  }
  return hex;
}

bool WritePem(const TCertifiedPtr& cert, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  bool written = PEM_write_X509(file, cert->cert) == 1;
  return std::fclose(file) == 0 && written;
}

struct TTlsTestServer::Impl {
  SSL_CTX* ctx = nullptr;
  SSL* ssl = nullptr;
  BIO* in = nullptr;
  BIO* out = nullptr;
  std::string pending;  // plaintext held until the handshake is done
  ~Impl() {
    SSL_free(ssl);
    SSL_CTX_free(ctx);
  }
};

TTlsTestServer::TTlsTestServer(const TCertifiedPtr& cert, int maxVersion) : impl_(new Impl) {
  impl_->ctx = SSL_CTX_new(TLS_server_method());
  SSL_CTX_use_certificate(impl_->ctx, cert->cert);
  SSL_CTX_use_PrivateKey(impl_->ctx, cert->key);
  if (maxVersion) SSL_CTX_set_max_proto_version(impl_->ctx, maxVersion);
  SSL_CTX_set_num_tickets(impl_->ctx, 0);
  impl_->ssl = SSL_new(impl_->ctx);
  impl_->in = BIO_new(BIO_s_mem());
  impl_->out = BIO_new(BIO_s_mem());
  BIO_set_mem_eof_return(impl_->in, -1);
  SSL_set_bio(impl_->ssl, impl_->in, impl_->out);
  SSL_set_accept_state(impl_->ssl);
}

TTlsTestServer::~TTlsTestServer() = default;

void TTlsTestServer::Receive(const std::string& cipher) {
  if (!cipher.empty()) BIO_write(impl_->in, cipher.data(), static_cast<int>(cipher.size()));
  if (!HandshakeDone()) {
    if (SSL_do_handshake(impl_->ssl) != 1) return;
    Send(std::string());  // what waited for the handshake
  }
  char buffer[4096];
  int count;
  while ((count = SSL_read(impl_->ssl, buffer, sizeof buffer)) > 0) plain_.append(buffer, count);
  if (SSL_get_error(impl_->ssl, count) == SSL_ERROR_ZERO_RETURN) peerClosed_ = true;
  ERR_clear_error();
}

bool TTlsTestServer::HandshakeDone() const { return SSL_is_init_finished(impl_->ssl); }

void TTlsTestServer::Send(const std::string& plain) {
  impl_->pending += plain;
  if (!HandshakeDone() || impl_->pending.empty()) return;
  SSL_write(impl_->ssl, impl_->pending.data(), static_cast<int>(impl_->pending.size()));
  impl_->pending.clear();
}

void TTlsTestServer::SendCloseNotify() { SSL_shutdown(impl_->ssl); }

std::string TTlsTestServer::TakeOutput() {
  std::string out(BIO_ctrl_pending(impl_->out), '\0');
  if (!out.empty()) BIO_read(impl_->out, &out[0], static_cast<int>(out.size()));
  return out;
}

}  // namespace tls_test

#endif
