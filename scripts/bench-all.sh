#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them, each with its peer in the same run:
# the store (with cp of the same data file), delivery by the assistant's rules, the codecs (with base64 -d) and the parser
# (with Python's email package on the same generated corpus), the composer (with base64 -w76), receiving and sending (with fetchmail, poplib, smtplib, msmtp).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh bench
echo "==== store"
build/bench/bench/store_bench
echo "==== delivery (10,000 messages, 50 rules, 10 mailboxes)"
build/bench/bench/deliver_bench
echo "==== codecs"
build/bench/bench/codec_bench
echo "==== cipher"
bash scripts/bench-cipher.sh
echo "==== compose"
bash scripts/bench-compose.sh
echo "==== receive and send"
bash scripts/bench-transfer.sh
echo "==== parser"
QUILLET_BENCH_BUILD=build/bench bash scripts/bench_parser.sh
