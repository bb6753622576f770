#!/usr/bin/env bash
# The mailbox cipher's speed beside the same library's raw AES-256-GCM speed, in one run:
# builds the benchmarks (Release), runs bench/cipher_bench (a 200 MB mailbox encrypted
# and decrypted, key derivation left out; 16 KiB chunks sealed in memory) and
# `openssl speed -evp aes-256-gcm -bytes 16384`, then prints the figures side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh bench >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

build/bench/bench/cipher_bench --benchmark_format=json --benchmark_out="$out/cipher.json" \
  --benchmark_out_format=json >/dev/null
openssl speed -evp aes-256-gcm -bytes 16384 -seconds 3 2>/dev/null | tee "$out/openssl.txt" | tail -3
# The disk's own pace for the same amount, written and flushed in the same folder as the
# benchmark's mailbox: the cipher writes (and flushes) every byte it makes.
dd if=/dev/zero of="$out/disk.bin" bs=1M count=200 conv=fsync 2>"$out/dd.txt"
rm -f "$out/disk.bin"

python3 - "$out/cipher.json" "$out/openssl.txt" "$out/dd.txt" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
print("==== mailbox cipher (MB = 10^6 bytes)")
for run in runs:
    if "bytes_per_second" in run:
        print(f"{run['name']:<40} {run['bytes_per_second'] / 1e6:10.1f} MB/s")
    else:
        print(f"{run['name']:<40} {run['real_time']:10.1f} {run['time_unit']} per key")
# openssl speed's last line: "AES-256-GCM  <k bytes per second>k" (1k = 1000 bytes).
last = [l for l in open(sys.argv[2]).read().splitlines() if l.strip()][-1]
kbytes = float(last.split()[-1].rstrip("k"))
print(f"{'openssl speed aes-256-gcm, 16384-byte blocks':<40} {kbytes / 1000:10.1f} MB/s")
# dd's last line: "<n> bytes (...) copied, <s> s, ..."
words = open(sys.argv[3]).read().strip().splitlines()[-1].split()
print(f"{'disk: dd 200 MiB with fsync':<40} {int(words[0]) / float(words[words.index('s,') - 1]) / 1e6:10.1f} MB/s")
PY
