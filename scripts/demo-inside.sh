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

# The demo's own configuration folder: settings, the fleet's groups and the
# jobs are rewritten for every session, the operator's real ones are elsewhere.
CONFIG="$XDG_DATA_HOME/Orvanto"
mkdir -p "$CONFIG"
write_config() { # style language
    cat > "$CONFIG/Orvanto.ini" <<INI
[Default]
LocalIP=10.77.0.1
IpTotal=25
TcpPort=7000
UdpPortRx=35069
UdpPortTx=35070
StatusPoll=5
CmdFile=KX4410Q.csv
Language=$2
Style=$1
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
    # One armed job that repeats every two minutes ("*" makes 00:02 a
    # period), the others switched off.
    printf 'Scheduled Jobs,  \tHH:MM,\tWeekDay(1-7),\tMon, Tue, Wed, Thu, Fri, Sat, Sun, Run, running\r\n' > "$CONFIG/CronJobs.csv"
    printf 'StatusReport.js,00:02,*,1,1,1,1,1,1,1,Yes,0\r\n' >> "$CONFIG/CronJobs.csv"
    printf 'AllOn.js,08:30,1;2;3;4;5,1,1,1,1,1,0,0,No,0\r\n' >> "$CONFIG/CronJobs.csv"
    printf 'AllOff.js,18:00,1;2;3;4;5,1,1,1,1,1,0,0,No,0\r\n' >> "$CONFIG/CronJobs.csv"
    printf 'LampHoursCheck.js,07:45,1,1,0,0,0,0,0,0,No,0\r\n' >> "$CONFIG/CronJobs.csv"
}

# A fleet as a hall has it: most projectors on, a few in standby, one with a
# fault, lamps at every age (60 %, 80 %, 95 % and past their rated life).
SIM1="" SIM2="" SIM3="" SIM4=""
start_fleet() {
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
    sleep 1
}
stop_fleet() {
    kill $SIM1 $SIM2 $SIM3 $SIM4 2>/dev/null || true
    wait $SIM1 $SIM2 $SIM3 $SIM4 2>/dev/null || true
}
trap 'stop_fleet' EXIT INT TERM

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    write_config "${ORV_DEMO_STYLE:-Dark}" "${ORV_DEMO_LANGUAGE:-en_US}"
    start_fleet
    "$BIN/Orvanto"
    exit 0
fi

# No display: one session per look and language under Xvfb, each walking
# every page; screenshots go to $DEMO/<session>/ and are listed in README.md.
SESSIONS=${ORV_DEMO_SESSIONS:-"dark:Dark:en_US light:Light:en_US zh_CN:Dark:zh_CN"}
echo "No display: running under Xvfb; screenshots go to $DEMO/<session>/"
for session in $SESSIONS; do
    name=${session%%:*}
    rest=${session#*:}
    style=${rest%%:*}
    language=${rest#*:}
    out="$DEMO/$name"
    mkdir -p "$out"
    write_config "$style" "$language"
    start_fleet
    xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
        "$1" &
        app=$!
        out=$2
        shot() { sleep "$1"; import -window root "$out/$2.png" || true; }
        # The projector-models list comes up once the window is built.
        shot 8 models
        xdotool key Escape || true
        # Discovery fills the tree at 2 s, the sweeps the status table at 3 s
        # and 8 s; the first connected projector becomes the target.
        shot 8 status
        # There is no window manager: the main window is given the keyboard
        # first. The pages in toolbar order are Ctrl+1 ... Ctrl+4.
        win=$(xdotool search --name "^Orvanto - " | head -n 1)
        keys() { xdotool windowfocus --sync "$win" key --delay 150 "$@" || true; }
        # A click on a row retargets (the status bar names the new target);
        # End shows the lamp projectors at the bottom of the table.
        xdotool mousemove 600 216 click 1 || true
        shot 1 status-retarget
        keys ctrl+End
        shot 1 status-lamps
        keys F1
        shot 2 userguide
        xdotool key Escape || true
        keys ctrl+4
        shot 3 console
        keys ctrl+1
        shot 2 scheduler
        keys ctrl+3
        shot 4 controlpanel
        # All Off from its toolbar button (the window always lands at the
        # same place on this screen), confirmed with Apply; the table shows
        # the result after the next refresh (F5 is not bound: RefreshStatus
        # is the button right of Off).
        keys ctrl+2
        xdotool mousemove 994 123 click 1 || true
        sleep 2
        shot 0 alloff-confirm
        # Apply is the right-hand button of the box centred over the window.
        xdotool mousemove 866 497 click 1 || true
        shot 10 alloff-walk
        xdotool mousemove 1050 123 click 1 || true
        shot 10 status-after-alloff
        kill $app 2>/dev/null; wait $app 2>/dev/null || true
    ' demo "$BIN/Orvanto" "$out"
    stop_fleet
    # Every control-panel tab, the locked ones after the passcode, at 1280 x 800.
    if [ -x "$BIN/panel_screenshots" ]; then
        lower=$(echo "$style" | tr "A-Z" "a-z")
        zh=""
        [ "$language" = en_US ] || zh=$language
        xvfb-run -a -s "-screen 0 1280x800x24" "$BIN/panel_screenshots" "$out" "$lower" $zh >"$out/panel.log" 2>&1 || true
    fi
done
ls -1 "$DEMO"/*/*.png
