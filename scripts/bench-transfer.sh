#!/usr/bin/env bash
# Receiving and sending over loopback, each beside other clients in the same run:
# - receive 1,000 messages of about 20 KB from a private Dovecot: quillet-cli receive
#   (leave on server; a fresh home each run), fetchmail (keep, fetchall, delivering with
#   bsmtp to a file) and Python's poplib in a plain RETR loop;
# - send 200 queued messages of about 20 KB to an SMTP sink: quillet-cli send (one
#   connection), Python's smtplib in one connection, and msmtp one message per run (20
#   runs, given per message).
# - receive the same 1,000 messages over implicit TLS (POP3S, Dovecot's second port) beside
#   the plain receive: the TLS overhead as a ratio;
# - send the same 200 messages over STARTTLS with a login (CRAM-MD5) beside a plain send,
#   by quillet-cli alone: the TLS overhead as a ratio.
# Prints the best of three wall times and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh bench >/dev/null
cli=$top/build/bench/quillet/cli/quillet-cli
work=$(mktemp -d)
chmod 755 "$work"  # Dovecot's own users must reach the mail folder inside
export QUILLET_REGISTRY=$work/registry
cleanup() {
  bash tests/e2e/pop3_peer.sh stop "$work/dovecot" >/dev/null 2>&1 || true
  bash tests/e2e/smtp/smtp_sink.sh stop "$work/sink" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

bash tests/e2e/pop3_peer.sh start "$work/dovecot" >/dev/null
bash tests/e2e/smtp/smtp_sink.sh start "$work/sink" >/dev/null
pop3_port=$(cat "$work/dovecot/port")
smtp_port=$(cat "$work/sink/port")

# 1,000 messages of about 20 KB straight into the account's maildir.
/usr/bin/python3 - "$work/dovecot/mail/alice" "$work/queue" <<'PY'
import os, random, sys
maildir, queue = sys.argv[1], sys.argv[2]
os.makedirs(queue)
random.seed(7)
line = "Quarterly figures follow; nothing here is urgent, but please read it soon.\r\n"
for n in range(1000):
    body = "".join(line for _ in range(20000 // len(line)))
    text = (f"From: Sender {n} <s{n}@example.org>\r\nTo: alice@example.org\r\nSubject: Report {n}\r\n"
            f"Date: Tue, 8 Dec 2026 10:00:00 +0800\r\nMessage-ID: <{n}@example.org>\r\n\r\n{body}")
    with open(os.path.join(maildir, "new", f"1700000000.M{n}P1.bench"), "w", newline="") as f:
        f.write(text.replace("\r\n", "\n"))
    if n < 200:
        with open(os.path.join(queue, f"{n:03d}.eml"), "w", newline="") as f:
            f.write(text.replace("alice@example.org", "bob@example.org"))
PY
chown -R dovecot:dovecot "$work/dovecot/mail"

cat >"$work/fetchmailrc" <<RC
poll 127.0.0.1 port $pop3_port protocol pop3 user alice password secret keep fetchall sslproto "" bsmtp $work/fetchmail.bsmtp
RC
chmod 600 "$work/fetchmailrc"

/usr/bin/python3 - "$cli" "$work" "$pop3_port" "$smtp_port" <<'PY'
import glob, os, poplib, shutil, smtplib, subprocess, sys, time
cli, work, pop3_port, smtp_port = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])

def best(prepare, action, runs=3):
    times = []
    for _ in range(runs):
        prepare()
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return min(times)

home = work + "/home"
def q(*args):
    return subprocess.run([cli, "--home", home, *args], stdout=subprocess.PIPE, check=True, text=True).stdout

def new_home():
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    q("init")
    scrambled = q("password", "scramble", "secret").strip()
    for key, value in [("POP3Host", "127.0.0.1"), ("POP3Port", str(pop3_port)), ("POP3Account", "alice"),
                       ("POP3Password", scrambled), ("SMTPHost", "127.0.0.1"), ("SMTPPort", str(smtp_port))]:
        q("config", "set", "Connection", key, value)

def server_count():
    box = poplib.POP3("127.0.0.1", pop3_port)
    box.user("alice"); box.pass_("secret")
    count = box.stat()[0]
    box.quit()
    return count

on_server = server_count()  # the 1,000 and the peer script's three small ones
def quillet_receive():
    out = q("receive")
    assert f"收到 {on_server} 封新邮件" in out, out[-300:]

def fetchmail():
    subprocess.run(["fetchmail", "-f", work + "/fetchmailrc", "--nosyslog", "-s"], check=True,
                   env=dict(os.environ, HOME=work))

def poplib_loop():
    box = poplib.POP3("127.0.0.1", pop3_port)
    box.user("alice"); box.pass_("secret")
    count, _ = box.stat()
    for n in range(1, count + 1):
        box.retr(n)
    box.quit()

def quillet_send():
    out = q("send")
    assert out.count("已发送邮件") == 200, out[-300:]

def smtplib_loop():
    with smtplib.SMTP("127.0.0.1", smtp_port) as server:
        for path in queue:
            server.sendmail("alice@example.org", ["bob@example.org"], open(path, "rb").read())

msmtp_runs = 20
def msmtp_loop():
    for path in queue[:msmtp_runs]:
        with open(path, "rb") as text:
            subprocess.run(["msmtp", "--host=127.0.0.1", f"--port={smtp_port}", "--from=alice@example.org",
                            "--auth=off", "--tls=off", "bob@example.org"], stdin=text, check=True)

nothing = lambda: None
queue = sorted(glob.glob(work + "/queue/*.eml"))
def queued():
    new_home()
    for path in queue:
        subprocess.run([cli, "box", "append", home + "/mail/out", path, "--state", "2"], stdout=subprocess.DEVNULL,
                       check=True)


receive = {"quillet-cli receive": best(new_home, quillet_receive), "fetchmail": best(nothing, fetchmail),
           "poplib RETR loop": best(nothing, poplib_loop)}
send = {"quillet-cli send": best(queued, quillet_send), "smtplib, one connection": best(nothing, smtplib_loop)}
msmtp_each = best(nothing, msmtp_loop) / msmtp_runs

print("==== receive 1,000 messages of about 20 KB from Dovecot (best of 3)")
for name, seconds in receive.items():
    print(f"{name:<28} {seconds:7.3f} s")
print(f"{'ratio quillet / fetchmail':<28} {receive['quillet-cli receive'] / receive['fetchmail']:7.2f}")
print(f"{'ratio quillet / poplib':<28} {receive['quillet-cli receive'] / receive['poplib RETR loop']:7.2f}")
print("==== send 200 messages of about 20 KB to an SMTP sink (best of 3)")
for name, seconds in send.items():
    print(f"{name:<28} {seconds:7.3f} s")
print(f"{'msmtp, one per run':<28} {msmtp_each * 1000:7.1f} ms a message ({msmtp_each * 200:.2f} s for 200)")
print(f"{'ratio quillet / smtplib':<28} {send['quillet-cli send'] / send['smtplib, one connection']:7.2f}")
PY

# ---- POP3S receive: the same mail over implicit TLS beside plain, by quillet-cli alone ----
/usr/bin/python3 - "$cli" "$work" "$pop3_port" "$(cat "$work/dovecot/port_tls")" \
  "$(head -c 64 "$work/dovecot/tls/leaf.sha256")" <<'PY'
import os, re, shutil, subprocess, sys, time
cli, work, plain_port, tls_port, fingerprint = sys.argv[1:6]
home = work + "/home_tls"

def q(*args):
    return subprocess.run([cli, "--home", home, *args], stdout=subprocess.PIPE, check=True, text=True).stdout

# A fresh home whose own account reaches Dovecot by name ("localhost", as the certificate
# says), plain or over TLS; the certificate is trusted by its fingerprint.
def new_home(port, security):
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    q("init")
    scrambled = q("password", "scramble", "secret").strip()
    for key, value in [("POP3Host", "localhost"), ("POP3Port", port), ("POP3Account", "alice"),
                       ("POP3Password", scrambled), ("POP3Security", security), ("POP3TrustedCert", fingerprint)]:
        q("config", "set", "Connection", key, value)

def best_receive(port, security, runs=3):
    times, counts = [], set()
    for _ in range(runs):
        new_home(port, security)
        start = time.perf_counter()
        out = q("receive")
        times.append(time.perf_counter() - start)
        counts.add(int(re.search(r"收到 (\d+) 封新邮件", out).group(1)))
    assert len(counts) == 1 and min(counts) >= 1000, counts
    return min(times)

plain = best_receive(plain_port, "0")
tls = best_receive(tls_port, "2")
print("==== receive the same mail over POP3S (implicit TLS) beside plain POP3 (best of 3)")
print(f"{'quillet-cli receive, plain':<28} {plain:7.3f} s")
print(f"{'quillet-cli receive, POP3S':<28} {tls:7.3f} s")
print(f"{'TLS overhead: POP3S / plain':<28} {tls / plain:7.2f}")
PY

# ---- Sending over STARTTLS with a login (CRAM-MD5), beside a plain send of the same 200
# messages: the sink's STARTTLS port, its certificate trusted by fingerprint.
/usr/bin/python3 - "$cli" "$work" "$smtp_port" "$(cat "$work/sink/port_starttls")" "$(cat "$work/sink/leaf.sha256")" <<'PY'
import glob, os, shutil, subprocess, sys, time
cli, work, plain_port, tls_port, fingerprint = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]
home = work + "/home_smtps"
queue = sorted(glob.glob(work + "/queue/*.eml"))

def q(*args):
    return subprocess.run([cli, "--home", home, *args], stdout=subprocess.PIPE, check=True, text=True).stdout

def queued(settings):
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    q("init")
    for key, value in settings:
        q("config", "set", "Connection", key, value)
    for path in queue:
        subprocess.run([cli, "box", "append", home + "/mail/out", path, "--state", "2"], stdout=subprocess.DEVNULL,
                       check=True)

def best(settings, runs=3):
    times = []
    for _ in range(runs):
        queued(settings)
        start = time.perf_counter()
        out = q("send")
        times.append(time.perf_counter() - start)
        assert out.count("已发送邮件") == 200, out[-300:]
    return min(times)

plain = best([("SMTPHost", "127.0.0.1"), ("SMTPPort", plain_port)])
secure = best([("SMTPHost", "localhost"), ("SMTPPort", tls_port), ("SMTPSecurity", "1"), ("SMTPAuth", "1"),
               ("SMTPAccount", "alice"), ("SMTPPassword", q("password", "scramble", "secret").strip()),
               ("SMTPTrustedCert", fingerprint)])
print("==== send 200 messages of about 20 KB: plain and STARTTLS + AUTH (best of 3)")
print(f"{'quillet-cli send, plain':<28} {plain:7.3f} s")
print(f"{'quillet-cli send, STARTTLS':<28} {secure:7.3f} s")
print(f"{'TLS overhead ratio':<28} {secure / plain:7.2f}")
PY
