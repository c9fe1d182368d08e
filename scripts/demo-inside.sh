#!/bin/sh
# The demo proper; runs inside the network sandbox (see demo.sh).
#  - a dummy interface 10.77.0.1/24 plays the LAN card that faces the projectors
#    (it leads nowhere: the namespace has no way out);
#  - projsim serves 40 projectors on 127.0.0.2 ... 127.0.0.41, port 7000
#    (30 laser KX4410Q, 10 lamp KX2800L);
#  - Orvanto runs with its own home under build/demo, so the operator's real
#    settings and logs are never touched.
set -eu
ROOT=$(pwd)
BIN=$ROOT/build/bin
DEMO=$ROOT/build/demo
SECONDS_TO_RUN=${ORV_DEMO_SECONDS:-60}

if ip -o link show | awk -F': ' '{print $2}' | grep -qv '^lo$'; then
    echo "demo-inside.sh: not in a private network namespace; use scripts/demo.sh" >&2
    exit 2
fi

mkdir -p "$DEMO/home" "$DEMO/data" "$DEMO/runtime"
chmod 700 "$DEMO/runtime"
export HOME="$DEMO/home" XDG_DATA_HOME="$DEMO/data" XDG_CONFIG_HOME="$DEMO/home/.config"
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$DEMO/runtime"

ip link add orvdemo type dummy
ip addr add 10.77.0.1/24 dev orvdemo
ip link set orvdemo up

cat > "$DEMO/Orvanto-demo.ini" <<INI
[Default]
LocalIP=10.77.0.1
IpTotal=25
TcpPort=7000
UdpPortRx=35069
UdpPortTx=35070
StatusPoll=5
CmdFile=KX4410Q.csv
Language=${ORV_DEMO_LANGUAGE:-en_US}
Style=${ORV_DEMO_STYLE:-Dark}
INI

"$BIN/projsim" --range 127.0.0.2-127.0.0.31 --model KX4410Q --catalogue "$BIN/pluginPJ/KX4410Q.csv" </dev/zero >"$DEMO/projsim-laser.log" 2>&1 &
SIM1=$!
"$BIN/projsim" --range 127.0.0.32-127.0.0.41 --model KX2800L --catalogue "$BIN/pluginPJ/KX2800L.csv" </dev/zero >"$DEMO/projsim-lamp.log" 2>&1 &
SIM2=$!
trap 'kill $SIM1 $SIM2 2>/dev/null || true' EXIT INT TERM
sleep 1

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$BIN/Orvanto" "$DEMO/Orvanto-demo.ini"
else
    echo "No display: running under Xvfb for $SECONDS_TO_RUN s; screenshots go to $DEMO/"
    xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
        "$1" "$2" &
        app=$!
        sleep 12; import -window root "$3/screenshot-start.png" || true
        sleep $(( $4 > 12 ? $4 - 12 : 1 )); import -window root "$3/screenshot-end.png" || true
        kill $app 2>/dev/null; wait $app 2>/dev/null || true
    ' demo "$BIN/Orvanto" "$DEMO/Orvanto-demo.ini" "$DEMO" "$SECONDS_TO_RUN"
fi
