#!/usr/bin/env bash
# Times one alert e-mail to a local aiosmtpd: send_alert_once as shipped, the same with a
# 1 ms pause between progress reads instead of 300 ms, and swaks sending the same message.
#   compare_with_swaks.sh <path of send_alert_once> [hyperfine options...]
# Runs in a network namespace of its own holding only loopback, so nothing it starts can
# reach or look up anything beyond this machine.
set -euo pipefail

if [ -z "${TINDREL_IN_OWN_NETNS:-}" ]; then
    export TINDREL_IN_OWN_NETNS=1
    exec unshare -rn "$0" "$@"
fi
ip link set lo up

sender=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
sink=$here/../../tests/core/alerts/mail/smtp_sink.py
work=$(mktemp -d)
trap 'exec 3>&-; wait "$sink_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# The sink serves until its standard input closes.
mkfifo "$work/sink_in"
/usr/bin/python3 "$sink" "$work/mail" <"$work/sink_in" >"$work/sink_out" &
sink_pid=$!
exec 3>"$work/sink_in"
for _ in $(seq 100); do
    grep -q '^PORT ' "$work/sink_out" 2>/dev/null && break
    sleep 0.1
done
port=$(sed -n 's/^PORT //p' "$work/sink_out")
[ -n "$port" ] || { echo "the SMTP sink did not start" >&2; exit 1; }

to=ops@example.test
cc=boss@example.test
body="10.0.0.7 not responding !!!"
printf '%s\r\n' "From: tindrel@localhost" "Subject: Tindrel WARNING...!!!" "To: $to" "Cc: $cc" \
    "Date: $(date -R | sed 's/+0000$/-0000/')" "MIME-Version: 1.0" \
    "Content-Type: text/plain; charset=ISO-8859-1; format=flowed" \
    "Content-Transfer-Encoding: quoted-printable" "" >"$work/message"
printf '%s' "$body" >>"$work/message"

hyperfine --warmup 1 --runs 10 --export-markdown "$work/results.md" "$@" \
    -n "send_alert_mail" "$sender 127.0.0.1 $port $to $cc '$body'" \
    -n "send_alert_mail, 1 ms progress polling" \
    "$sender --wait-ms 1 127.0.0.1 $port $to $cc '$body'" \
    -n "swaks" "swaks --helo localhost --server 127.0.0.1:$port --from tindrel@localhost \
--to $to,$cc --data $work/message --hide-all"
cat "$work/results.md"
echo "messages received: $(ls "$work/mail" | grep -c '\.eml$')"
