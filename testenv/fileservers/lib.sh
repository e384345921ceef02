# Shared by the file servers' scripts: names, addresses and how to enter a host.
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Not under /run: each host gets a private /run of its own.
RUN=${LB_FILESERVERS_RUN:-/var/tmp/lb-fileservers}
WORKGROUP=LOOKNET
LAN=lb-lan
# fs1: smbd and nmbd, the local master browser (the SMB1 browse list)
# fs2: smbd, announced over DNS-SD with fs1 by its avahi-daemon
# mute: accepts connections on 445 and never answers
# client: dbus and avahi-daemon; the tool and its tests run here
HOSTS=(fs1 fs2 mute client)
declare -A ADDR=([client]=10.88.0.2 [fs1]=10.88.0.11 [fs2]=10.88.0.12 [mute]=10.88.0.13)
GONE=10.88.0.14  # a LAN address where no host answers
ALICE_PASSWORD=Alice.Lb.2026

need_root() {
    [ "$(id -u)" = 0 ] || exec sudo -E -- "$0" "$@"
}

# A host is its network namespace plus, for every command, a fresh mount and
# UTS namespace in which its private folders cover the machine's.
in_host() {
    local h=$1; shift
    ip netns exec "lb-$h" unshare --uts --mount --propagation private -- \
        "$HERE/enter" "$RUN/$h" "$h" "$@"
}

# Daemons get a session of their own, no inherited descriptors (CTest waits
# for its pipes to close) and their pid recorded from inside.
start_daemon() {
    local h=$1 name=$2; shift 2
    in_host "$h" setsid -f sh -c 'echo $$ > "$0"; exec "$@"' \
        "$RUN/$h/pids/$name" "$@" </dev/null >>"$RUN/$h/log/$name.log" 2>&1
}

wait_for() {
    local what=$1 tries=$2; shift 2
    local i
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "fileservers: timed out waiting for $what" >&2
    return 1
}
