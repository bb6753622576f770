#!/usr/bin/env bash
# Composing a message with a 50 MB attachment into the outbox (quillet-cli compose, Release
# build: the whole encode, MIME with Base64, streamed into the mailbox) beside
# `base64 -w76` over the same file into a file on the same disk, in the same run. Prints
# the best of three wall times as MB/s of attachment, and the peak resident memory of the
# compose run above that of an idle command (`boxes`) of the same program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh bench >/dev/null
cli=$PWD/build/bench/quillet/cli/quillet-cli
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QUILLET_REGISTRY=$out/registry
head -c 50000000 /dev/urandom >"$out/attachment.bin"
printf 'The report is attached.\r\n' >"$out/body.txt"
mkdir "$out/home"
"$cli" --home "$out/home" init >/dev/null
"$cli" --home "$out/home" config set Connection MailAddress me@example.org

/usr/bin/python3 - "$cli" "$out" <<'PY'
import subprocess, sys, time
cli, out = sys.argv[1], sys.argv[2]
home = ["--home", out + "/home"]
compose = [cli, *home, "compose", "--to", "you@example.org", "--subject", "Report",
           "--body", out + "/body.txt", "--attach", out + "/attachment.bin"]
size = 50_000_000

def best(command, stdout):
    times = []
    for _ in range(3):
        with open(stdout, "wb") as sink:
            start = time.perf_counter()
            subprocess.run(command, stdout=sink, check=True)
            times.append(time.perf_counter() - start)
    return min(times)

def peak_kb(command):
    timed = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, check=True, text=True)
    return int(timed.stderr.strip().splitlines()[-1])

compose_s = best(compose, "/dev/null")
base64_s = best(["base64", "-w76", out + "/attachment.bin"], out + "/base64.out")
idle_kb, compose_kb = peak_kb([cli, *home, "boxes"]), peak_kb(compose)
print("==== compose: 50 MB attachment into the outbox (MB = 10^6 bytes)")
print(f"{'quillet-cli compose (Encode(true))':<36} {compose_s:7.3f} s {size / compose_s / 1e6:8.1f} MB/s")
print(f"{'base64 -w76 to a file':<36} {base64_s:7.3f} s {size / base64_s / 1e6:8.1f} MB/s")
print(f"{'ratio compose / base64':<36} {compose_s / base64_s:7.2f}")
print(f"peak memory: compose {compose_kb / 1024:.1f} MB, idle command {idle_kb / 1024:.1f} MB, "
      f"above idle {(compose_kb - idle_kb) / 1024:.1f} MB")
PY
