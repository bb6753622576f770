// The trusted certificate: fingerprints compared without regard to case and ':', and the
// refusal texts that name the server, the reason and the fingerprint.
#include "quillet/transport/trusted_cert.h"

#include <gtest/gtest.h>

namespace {

const std::string k_print = "78C35EAD6439C6A40410F5B7A99568C1F514537B2E8D5F5BF310336541EEFFD5";

TEST(TrustedCert, FingerprintsMatchIgnoringCaseAndColons) {
  struct Case {
    std::string trusted;
    bool matches;
  };
  const Case cases[] = {
      {k_print, true},
      {"78c35ead6439c6a40410f5b7a99568c1f514537b2e8d5f5bf310336541eeffd5", true},
      {"78:C3:5E:AD:64:39:C6:A4:04:10:F5:B7:A9:95:68:C1:F5:14:53:7B:2E:8D:5F:5B:F3:10:33:65:41:EE:FF:D5", true},
      {"", false},                                 // nothing trusted
      {k_print.substr(0, 63), false},              // one digit short
      {k_print + "0", false},                      // one too many
      {k_print.substr(0, 63) + "4", false},        // another certificate
      {" " + k_print, false},                      // not hex
      {k_print.substr(0, 62) + "G5", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FingerprintsMatch(c.trusted, k_print), c.matches) << c.trusted;
    // What a user may give as a fingerprint: any well-formed one, whether it matches or not.
    EXPECT_EQ(IsFingerprint(c.trusted), c.matches || c.trusted == k_print.substr(0, 63) + "4") << c.trusted;
  }
  // A peer without a certificate matches nothing, even an empty trust.
  EXPECT_FALSE(FingerprintsMatch("", ""));
}

TEST(TrustedCert, PastedFingerprintIsStoredInTheRefusalsForm) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"78c35ead6439c6a40410f5b7a99568c1f514537b2e8d5f5bf310336541eeffd5", k_print},
      {"78:c3:5e:ad:64:39:c6:a4:04:10:f5:b7:a9:95:68:c1:f5:14:53:7b:2e:8d:5f:5b:f3:10:33:65:41:ee:ff:d5", k_print},
      {"78 C3 5E AD 64 39 C6 A4 04 10 F5 B7 A9 95 68 C1 F5 14 53 7B 2E 8D 5F 5B F3 10 33 65 41 EE FF D5", k_print},
      {"\t " + k_print + "  ", k_print},
      {"", ""},  // nothing trusted
      {"   ", ""},
      {k_print.substr(0, 62), std::nullopt},  // 31 bytes
      {k_print + "00", std::nullopt},         // 33 bytes
      {"SHA256:" + k_print, std::nullopt},
  };
  for (const auto& [pasted, stored] : cases) EXPECT_EQ(StoredFingerprint(pasted), stored) << pasted;
}

TEST(TrustedCert, RefusalNamesServerReasonAndFingerprint) {
  struct Case {
    platform::TCertVerdict verdict;
    const char* reason;
  };
  const Case cases[] = {{platform::TCertVerdict::Untrusted, "证书不受信任"},
                        {platform::TCertVerdict::Expired, "证书已过期"},
                        {platform::TCertVerdict::WrongName, "证书与服务器名称不符"}};
  for (const Case& c : cases) {
    platform::TTlsPeer peer{k_print, c.verdict};
    EXPECT_EQ(CertificateRefusalText("pop.example.org", peer),
              std::string("服务器 pop.example.org 的证书未通过验证：") + c.reason + "\r\n证书指纹（SHA-256）：" +
                  k_print + "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。");
  }
  EXPECT_EQ(TlsFailureText("smtp.example.org", "TLS handshake: bad record"),
            "与服务器 smtp.example.org 建立安全连接失败：TLS handshake: bad record");
}

}  // namespace
