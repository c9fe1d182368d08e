#!/bin/sh
# Network sandbox for everything that opens sockets.
#
# Orvanto broadcasts UDP and probes whole /24 networks; none of that may ever
# reach a real interface. Every test run and every demo run goes through this
# script, which puts the command into a fresh, empty network namespace with
# only the loopback interface up.
#
#   sandbox.sh run CMD [ARGS...]
#       Run CMD in a new network namespace with lo up (127.0.0.0/8 usable).
#
# Inside such a sandbox a second "host" can be attached with a veth pair:
#
#   sandbox.sh peer-up
#       Creates a second namespace (held by a sleeping process), links it to
#       the current one with veth pair orvA (10.77.0.1/24, here) and orvB
#       (10.77.0.2/24, in the peer), default routes on both ends so that a
#       255.255.255.255 broadcast crosses over. Prints the PID of the holder.
#   sandbox.sh peer-exec PID CMD [ARGS...]
#       Run CMD inside the peer namespace.
#   sandbox.sh peer-down PID
#       Remove the peer namespace (the veth pair goes with it).
#
# The peer commands refuse to run outside a sandbox (they check that the
# namespace has no interface but lo and our own veth ends).
set -eu

die() { echo "sandbox.sh: $*" >&2; exit 2; }

in_private_namespace() {
    # A private namespace made by us has only lo and orv* interfaces.
    for dev in $(ip -o link show | awk -F': ' '{print $2}' | cut -d@ -f1); do
        case "$dev" in
        lo | orv*) ;;
        *) return 1 ;;
        esac
    done
    return 0
}

cmd=${1:-}
[ -n "$cmd" ] || die "usage: sandbox.sh run|peer-up|peer-exec|peer-down ..."
shift

case "$cmd" in
run)
    [ $# -gt 0 ] || die "run needs a command"
    if [ "$(id -u)" != 0 ]; then
        die "needs root (unshare -n); refusing to run without a network sandbox"
    fi
    exec unshare -n -- sh -c 'ip link set lo up && exec "$@"' sandbox "$@"
    ;;
peer-up)
    in_private_namespace || die "peer-up must run inside 'sandbox.sh run'"
    unshare -n -- sleep 100000 </dev/null >/dev/null 2>&1 &
    pid=$!
    # Wait until the child is in its own namespace.
    i=0
    while [ "$(readlink /proc/$pid/ns/net)" = "$(readlink /proc/self/ns/net)" ]; do
        i=$((i + 1))
        [ $i -lt 200 ] || die "peer namespace did not come up"
        sleep 0.01
    done
    ip link add orvA type veth peer name orvB
    ip link set orvB netns "$pid"
    ip addr add 10.77.0.1/24 dev orvA
    ip link set orvA up
    ip route add default dev orvA 2>/dev/null || true
    nsenter -t "$pid" -n sh -c '
        ip link set lo up &&
        ip addr add 10.77.0.2/24 dev orvB &&
        ip link set orvB up &&
        ip route add default dev orvB'
    echo "$pid"
    ;;
peer-exec)
    pid=${1:?peer-exec needs the PID from peer-up}
    shift
    [ $# -gt 0 ] || die "peer-exec needs a command"
    exec nsenter -t "$pid" -n -- "$@"
    ;;
peer-down)
    pid=${1:?peer-down needs the PID from peer-up}
    kill "$pid" 2>/dev/null || true
    ip link del orvA 2>/dev/null || true
    ;;
*)
    die "unknown command '$cmd'"
    ;;
esac
