#!/bin/sh
# The demo proper; runs inside the network sandbox (see demo.sh).
#  - a veth end 10.77.0.1/24 plays the LAN card that faces the projectors
#    (it leads nowhere: the namespace has no way out);
#  - projsim serves 40 projectors on 127.0.0.2 ... 127.0.0.41, port 7000
#    (30 laser KX4410Q, 10 lamp KX2800L), and four PJLink projectors of
#    other makers on 127.0.0.42 ... 127.0.0.45, port 4352;
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
PJLinkPassword=demo
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
    echo "Lobby (PJLink),1"
    for n in 42 43 44 45; do
        echo " ,1,127.0.0.$n,Lobby $((n - 41))"
    done
} > "$CONFIG/GroupIP.csv"

# A fleet as a hall has it: most projectors on, a few in standby, one with a
# fault, lamps at every age (60 %, 80 %, 95 % and past their rated life).
"$BIN/projsim" --range 127.0.0.2-127.0.0.31 --model KX4410Q --catalogue "$BIN/pluginPJ/KX4410Q.csv" \
    --power 2 --power 127.0.0.5=0 --power 127.0.0.12=0 --fault 127.0.0.9=1002 --life-percent 60 </dev/zero >"$DEMO/projsim-laser.log" 2>&1 &
SIM1=$!
"$BIN/projsim" --range 127.0.0.32-127.0.0.41 --model KX2800L --catalogue "$BIN/pluginPJ/KX2800L.csv" \
    --power 2 --life-percent 127.0.0.33=80 --life-percent 127.0.0.34=95 --life-percent 127.0.0.35=104 \
    --power 127.0.0.38=0 </dev/zero >"$DEMO/projsim-lamp.log" 2>&1 &
SIM2=$!
# PJLink: three class 2 projectors asking for the password (one with a
# lamp warning), one class 1 projector without authentication.
"$BIN/projsim" --pjlink 2 --range 127.0.0.42-127.0.0.44 --pjlink-password demo --pjlink-power 1 \
    --pjlink-lamp 2100 --pjlink-erst 127.0.0.43=010000 --pjlink-notify 127.0.0.1 </dev/zero >"$DEMO/projsim-pjlink2.log" 2>&1 &
SIM3=$!
"$BIN/projsim" --pjlink 1 --address 127.0.0.45 --pjlink-lamp 850,300 </dev/zero >"$DEMO/projsim-pjlink1.log" 2>&1 &
SIM4=$!
trap 'kill $SIM1 $SIM2 $SIM3 $SIM4 2>/dev/null || true' EXIT INT TERM
sleep 1

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$BIN/Orvanto"
else
    echo "No display: running under Xvfb for $SECONDS_TO_RUN s; screenshots go to $DEMO/"
    xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
        "$1" &
        app=$!
        out=$2
        shot() { import -window root "$out/screenshot-$1.png" || true; }
        # The projector-models list comes up once the window is built.
        sleep 8; shot models
        xdotool key Escape || true
        # Discovery fills the tree at 2 s, the sweeps the status table at 3 s
        # and 8 s; the first connected projector becomes the target.
        sleep 8; shot status
        # The pages in toolbar order are Ctrl+1 ... Ctrl+4; there is no window
        # manager, so the main window is given the keyboard first.
        win=$(xdotool search --name "^Orvanto - " | head -n 1)
        page() { xdotool windowfocus --sync "$win" key "ctrl+$1" || true; }
        page 4
        sleep 3; shot console
        page 1
        sleep 2; shot scheduler
        page 3
        sleep 3; shot controlpanel
        page 2
        sleep $(( $3 > 27 ? $3 - 27 : 1 )); shot end
        kill $app 2>/dev/null; wait $app 2>/dev/null || true
    ' demo "$BIN/Orvanto" "$DEMO" "$SECONDS_TO_RUN"
fi
