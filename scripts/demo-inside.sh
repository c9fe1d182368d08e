#!/bin/sh
# The demo proper; runs inside the network sandbox (see demo.sh).
#  - a veth end 10.77.0.1/24 plays the LAN card that faces the projectors
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

# The X server still needs the operator's own credentials after HOME moves.
[ -n "${XAUTHORITY:-}" ] || [ ! -f "$HOME/.Xauthority" ] || export XAUTHORITY="$HOME/.Xauthority"
mkdir -p "$DEMO/home" "$DEMO/data" "$DEMO/runtime"
chmod 700 "$DEMO/runtime"
export HOME="$DEMO/home" XDG_DATA_HOME="$DEMO/data" XDG_CONFIG_HOME="$DEMO/home/.config"
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$DEMO/runtime"

# The LAN card: one end of a veth pair whose other end stays unconnected.
ip link add orvdemo type veth peer name orvdemo1
ip addr add 10.77.0.1/24 dev orvdemo
ip link set orvdemo1 up
ip link set orvdemo up

# The demo's own configuration folder: settings and the fleet's groups are
# rewritten on every demo start, the operator's real ones are elsewhere.
CONFIG="$XDG_DATA_HOME/Orvanto"
mkdir -p "$CONFIG"
cat > "$CONFIG/Orvanto.ini" <<INI
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
{
    echo "Group, Select, IP, Name"
    n=2
    for hall in "Main Hall" "Planetarium" "Gallery East"; do
        echo "$hall,1"
        case "$hall" in
        "Main Hall") count=16 ;;
        "Planetarium") count=14 ;;
        *) count=10 ;;
        esac
        i=1
        while [ $i -le $count ]; do
            echo " ,1,127.0.0.$n,$hall $i"
            n=$((n + 1))
            i=$((i + 1))
        done
    done
} > "$CONFIG/GroupIP.csv"

"$BIN/projsim" --range 127.0.0.2-127.0.0.31 --model KX4410Q --catalogue "$BIN/pluginPJ/KX4410Q.csv" </dev/zero >"$DEMO/projsim-laser.log" 2>&1 &
SIM1=$!
"$BIN/projsim" --range 127.0.0.32-127.0.0.41 --model KX2800L --catalogue "$BIN/pluginPJ/KX2800L.csv" </dev/zero >"$DEMO/projsim-lamp.log" 2>&1 &
SIM2=$!
trap 'kill $SIM1 $SIM2 2>/dev/null || true' EXIT INT TERM
sleep 1

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$BIN/Orvanto"
else
    echo "No display: running under Xvfb for $SECONDS_TO_RUN s; screenshots go to $DEMO/"
    xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
        "$1" &
        app=$!
        sleep 10; import -window root "$2/screenshot-models.png" || true
        xdotool key Escape || true
        sleep 5; import -window root "$2/screenshot-status.png" || true
        # The command console page (fourth toolbar button), then its first
        # projector: the console asks its model and lists its categories.
        xdotool mousemove 355 123 click 1 || true
        sleep 4; import -window root "$2/screenshot-console.png" || true
        sleep $(( $3 > 19 ? $3 - 19 : 1 )); import -window root "$2/screenshot-end.png" || true
        kill $app 2>/dev/null; wait $app 2>/dev/null || true
    ' demo "$BIN/Orvanto" "$DEMO" "$SECONDS_TO_RUN"
fi
