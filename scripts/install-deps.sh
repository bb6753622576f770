#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Idempotent: packages already present are skipped, so a second run takes seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32 wine64 xvfb xauth
  # Wine's own fonts: the GUI tests put its symbol font, which draws the window caption
  # buttons (else they read "0 1 r"), into their prefix.
  fonts-wine
  libpython3.11-testsuite python3 strace
  libssl-dev openssl
  libfreetype-dev libfontconfig-dev libstb-dev libpng-dev libjpeg62-turbo-dev
  locales fonts-wqy-zenhei fonts-wqy-microhei fonts-liberation imagemagick
  opencc libopencc-data
  dovecot-core dovecot-pop3d python3-aiosmtpd fetchmail msmtp time
  python3-pil jp2a caca-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "install-deps: all packages present"
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# A ready Wine prefix for the Windows build whose tests run here (wine-run.sh uses the
# same folder).
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
echo "install-deps: Wine prefix in build/$QUILLET_WINE_BUILD/wineprefix"
bash "$top/scripts/wine-prefix.sh" "$top/build/$QUILLET_WINE_BUILD/wineprefix"
