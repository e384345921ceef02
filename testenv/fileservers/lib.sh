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

NS_PREFIX=lb-
ENV_NAME=fileservers
WAIT_STEP=0.1
# need_root, in_host, start_daemon, wait_for
source "$HERE/../hosts.sh"
