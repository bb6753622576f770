"""Certificates for the TLS servers of the end-to-end tests.

Run with Debian's Python (/usr/bin/python3, which sees python3-cryptography):
    make_test_certs.py FOLDER
writes a test CA (FOLDER/ca.pem, ca.der) and server certificates, each as NAME.pem with
NAME.key and NAME.sha256 (its SHA-256 fingerprint as 64 upper-case hex digits):
    leaf      for "localhost", signed by the test CA
    expired   the same, but its dates ended yesterday
    othername for "other.test", signed by the test CA
    stranger  for "localhost", signed by a CA that nobody trusts
Nothing trusts the test CA unless a test says so.
"""
import datetime
import os
import sys

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.hazmat.primitives.asymmetric.utils import decode_dss_signature
from cryptography.x509.oid import ExtendedKeyUsageOID, NameOID

DAY = datetime.timedelta(days=1)
# An ECDSA signature's r or s is shorter than 32 bytes about once in 128 signatures.
# Wine's certificate verifier takes such a signature as bad (it joins r and s without
# padding them), so a chain that Windows trusts would now and then come out untrusted.
FULL = 1 << 248


def make(subject, issuer_name, issuer_key, key, start, end, ca, dns=None):
    builder = (x509.CertificateBuilder()
               .subject_name(x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, subject)]))
               .issuer_name(issuer_name or x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, subject)]))
               .public_key(key.public_key())
               .serial_number(x509.random_serial_number())
               .not_valid_before(start)
               .not_valid_after(end)
               .add_extension(x509.BasicConstraints(ca=ca, path_length=None), critical=True))
    if ca:
        builder = builder.add_extension(
            x509.KeyUsage(digital_signature=False, content_commitment=False, key_encipherment=False,
                          data_encipherment=False, key_agreement=False, key_cert_sign=True, crl_sign=True,
                          encipher_only=False, decipher_only=False), critical=True)
        builder = builder.add_extension(x509.SubjectKeyIdentifier.from_public_key(key.public_key()), critical=False)
    else:
        builder = builder.add_extension(x509.SubjectAlternativeName([x509.DNSName(dns)]), critical=False)
        builder = builder.add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH]), critical=False)
    while True:  # ECDSA signing is randomized: a new signature has new r and s
        cert = builder.sign(issuer_key or key, hashes.SHA256())
        r, s = decode_dss_signature(cert.signature)
        if r >= FULL and s >= FULL:
            return cert


def write(folder, name, cert, key):
    with open(os.path.join(folder, name + ".pem"), "wb") as out:
        out.write(cert.public_bytes(serialization.Encoding.PEM))
    with open(os.path.join(folder, name + ".key"), "wb") as out:
        out.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                    serialization.NoEncryption()))
    with open(os.path.join(folder, name + ".sha256"), "w") as out:
        out.write(cert.fingerprint(hashes.SHA256()).hex().upper() + "\n")


def main():
    folder = sys.argv[1]
    now = datetime.datetime.utcnow()
    cas = {}
    for name in ("ca", "stranger_ca"):
        key = ec.generate_private_key(ec.SECP256R1())
        cas[name] = (make("Quillet Test CA" if name == "ca" else "Stranger CA", None, None, key,
                          now - DAY, now + 30 * DAY, True), key)
    ca, ca_key = cas["ca"]
    with open(os.path.join(folder, "ca.pem"), "wb") as out:
        out.write(ca.public_bytes(serialization.Encoding.PEM))
    with open(os.path.join(folder, "ca.der"), "wb") as out:
        out.write(ca.public_bytes(serialization.Encoding.DER))
    servers = {
        "leaf": ("localhost", cas["ca"], now - DAY, now + 30 * DAY),
        "expired": ("localhost", cas["ca"], now - 30 * DAY, now - DAY),
        "othername": ("other.test", cas["ca"], now - DAY, now + 30 * DAY),
        "stranger": ("localhost", cas["stranger_ca"], now - DAY, now + 30 * DAY),
    }
    for name, (dns, (issuer, issuer_key), start, end) in servers.items():
        key = ec.generate_private_key(ec.SECP256R1())
        write(folder, name, make(dns, issuer.subject, issuer_key, key, start, end, False, dns), key)


if __name__ == "__main__":
    main()
