# Shared by the domain rig's scripts: names, addresses and how to enter a host.
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RUN=${SUITE_DOMAIN_RUN:-/run/suite-domain}
# Templates of the provisioned and seeded DC; empty: none, provision each time.
CACHE=${SUITE_DOMAIN_CACHE-/var/cache/suite-domain}
REALM=CORP.TEST
DNSDOMAIN=corp.test
WORKGROUP=CORP
ADMINPASS=Corp.Admin.2026
LAN=dom-lan
HOSTS=(dc1 files1 ws1)
declare -A ADDR=([dc1]=10.66.0.10 [files1]=10.66.0.20 [ws1]=10.66.0.30)

need_root() {
    [ "$(id -u)" = 0 ] || exec sudo -E -- "$0" "$@"
}

# A host is its network namespace plus, for every command, a fresh mount and
# UTS namespace in which its private folders cover the host machine's.
in_host() {
    local h=$1; shift
    ip netns exec "dom-$h" unshare --uts --mount --propagation private -- \
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
        sleep 0.2
    done
    echo "domain: timed out waiting for $what" >&2
    return 1
}
