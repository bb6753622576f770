// How the setup dialog reads its number boxes and follows a change of security.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "quillet/transport/mail_security.h"

struct TNumberRange {
  std::int32_t low;
  std::int32_t high;
};

inline constexpr TNumberRange k_portRange{1, 65535};
inline constexpr TNumberRange k_checkMinutesRange{0, 1440};  // 0: AutoCheck never fires
inline constexpr TNumberRange k_readSecondsRange{0, 3600};
inline constexpr TNumberRange k_packRateRange{0, 100};     // percent of wasted space
inline constexpr TNumberRange k_timeOutRange{1, 3600};     // seconds

// The box's text as a whole decimal number within the range (spaces around it allowed);
// nothing for any other text. The caller shows RangeComplaint.
std::optional<std::int32_t> NumberInRange(const std::string& text, TNumberRange range);
// k_setupNumberRange with the range filled in.
std::string RangeComplaint(TNumberRange range);

enum class TServerKind { Pop3, Smtp };
// The port after the security choice changed: a port that was the protocol's own for the
// old choice becomes the one of the new choice; a port the user chose stays.
std::int32_t PortAfterSecurityChange(std::int32_t port, TServerKind kind, TMailSecurity from, TMailSecurity to);
// k_setupBadFingerprint for the trusted-certificate box of that server; the box's text is
// read with StoredFingerprint (trusted_cert.h).
std::string FingerprintComplaint(TServerKind kind);
