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

NS_PREFIX=dom-
ENV_NAME=domain
WAIT_STEP=0.2
# need_root, in_host, start_daemon, wait_for
source "$HERE/../hosts.sh"
