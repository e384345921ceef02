# Sourced by the scripts of the test networks made of namespace hosts. Before
# sourcing, set HERE (the network's folder, with its "enter" script), RUN (its
# state folder), NS_PREFIX (its namespaces' prefix, e.g. "dom-"), ENV_NAME (for
# messages) and WAIT_STEP (seconds between the tries of wait_for).

need_root() {
    [ "$(id -u)" = 0 ] || exec sudo -E -- "$0" "$@"
}

# A host is its network namespace plus, for every command, a fresh mount and
# UTS namespace in which its private folders cover the machine's.
in_host() {
    local h=$1; shift
    ip netns exec "$NS_PREFIX$h" unshare --uts --mount --propagation private -- \
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
        sleep "$WAIT_STEP"
    done
    echo "$ENV_NAME: timed out waiting for $what" >&2
    return 1
}
