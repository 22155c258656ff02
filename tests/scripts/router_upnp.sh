#!/usr/bin/env bash
# Hosting behind a home router, for real. Network namespaces made here stand for a home (the
# host), its router (NAT on nftables, miniupnpd answering UPnP on the inner side) and the
# internet (the guest). A guest outside cannot reach a host that listens without asking the
# router; a host that asks (--upnp) gets its port forwarded, reports the public address, and
# the two play a match through the router; the mapping is on the router while the host hosts
# and gone once it ended (after its match, or told to end). A host with no router in reach
# says so.
# Traffic stays inside the namespaces made here. Skips (status 77) where they cannot be made.
# usage: router_upnp.sh BUILD_DIR
set -u
build="$(cd "$1" && pwd)"
skip() {
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  exit 1
}
[ "$(id -u)" = 0 ] || skip "network namespaces need root"
for tool in ip nft /usr/sbin/miniupnpd; do
  command -v $tool >/dev/null || skip "$tool is missing (scripts/packages-test.txt)"
done

home=bramko-home-$$ router=bramko-router-$$ inet=bramko-inet-$$
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
  wait 2>/dev/null
  for ns in $home $router $inet; do ip netns del $ns 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
ip netns add $home 2>/dev/null || skip "cannot make network namespaces here"
ip netns add $router && ip netns add $inet || fail "could not make the namespaces"
# at NS COMMAND...: the command in the namespace (backgrounded ones call ip netns exec, so that
# $! is the command's own process).
at() {
  local ns=$1
  shift
  ip netns exec "$ns" "$@"
}

# The router's outside address must look public: miniupnpd forwards nothing from a private
# one. It is not reachable from anywhere but the internet namespace.
lan=192.168.77 wan=11.77.0 port=7777
# The kernel may lack what the test needs (veth, nf_tables in a container): that skips.
ip link add h0 netns $home type veth peer name r0 netns $router || skip "no veth links here"
ip link add r1 netns $router type veth peer name i0 netns $inet || fail "veth router-internet"
for ns in $home $router $inet; do at $ns ip link set lo up; done
at $home ip addr add $lan.2/24 dev h0 && at $home ip link set h0 up && at $home ip route add default via $lan.1
at $router ip addr add $lan.1/24 dev r0 && at $router ip link set r0 up
at $router ip addr add $wan.1/24 dev r1 && at $router ip link set r1 up
at $inet ip addr add $wan.2/24 dev i0 && at $inet ip link set i0 up
at $router sysctl -qw net.ipv4.ip_forward=1 || fail "no forwarding in the router"

# The home's NAT: out with the router's address, nothing in unless miniupnpd's chains let it.
at $router nft -f - <<EOF || skip "the kernel here has no nftables NAT (nft failed)"
table inet upnp {
  chain forward {
    type filter hook forward priority 0; policy drop;
    ct state established,related accept
    iifname "r0" oifname "r1" accept
    jump forward_miniupnpd
  }
  chain forward_miniupnpd {
  }
  chain prerouting {
    type nat hook prerouting priority -100; policy accept;
    jump prerouting_miniupnpd
  }
  chain postrouting {
    type nat hook postrouting priority 100; policy accept;
    jump postrouting_miniupnpd
    oifname "r1" masquerade
  }
  chain prerouting_miniupnpd {
  }
  chain postrouting_miniupnpd {
  }
}
EOF
cat >"$work/miniupnpd.conf" <<EOF
ext_ifname=r1
listening_ip=r0
http_port=0
enable_natpmp=no
enable_upnp=yes
secure_mode=yes
system_uptime=no
notify_interval=60
lease_file=$work/leases
uuid=3e7c2b30-77a1-4d77-9a1e-0b0a77b7a777
upnp_table_name=upnp
upnp_nat_table_name=upnp
upnp_forward_chain=forward_miniupnpd
upnp_nat_chain=prerouting_miniupnpd
upnp_nat_postrouting_chain=postrouting_miniupnpd
allow 1024-65535 $lan.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
EOF
ip netns exec $router /usr/sbin/miniupnpd -4 -d -f "$work/miniupnpd.conf" -P "$work/miniupnpd.pid" >"$work/miniupnpd.txt" 2>&1 &
pids+=($!)

mapped() { at $router nft list chain inet upnp prerouting_miniupnpd | grep -q "dport $port dnat"; }
# wait_for SECONDS COMMAND...: true once the command is.
wait_for() {
  local until=$((SECONDS + $1))
  shift
  while [ $SECONDS -lt $until ]; do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
field() { grep -o "$1" "$2" | head -1; }

cp "$build"/map*.txt "$work"/
# Both decide at once and play; three rounds of 4 seconds end the match whatever happens.
printf '1500 tap ENTER\n4000 down H\n4500 up H\n4600 tap X\n' >"$work/host-keys.txt"
printf '1500 tap RIGHT\n1800 tap ENTER\n4000 down LEFT\n4400 up LEFT\n4600 tap 13\n' >"$work/guest-keys.txt"
# sim NS NAME ARGS...: a simulator in the namespace, its report in NAME.json.
sim() {
  local ns=$1 name=$2
  shift 2
  ip netns exec "$ns" "$build/bramko-sim" --dir "$work" --script "$work/$name-keys.txt" --round-seconds 4 "$@" \
    >"$work/$name.json" 2>"$work/$name.err" &
  pids+=($!)
}
# ends PID SECONDS: true when the process ended in time.
ends() {
  local pid=$1 until=$((SECONDS + $2))
  while [ $SECONDS -lt $until ]; do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

# 1. Without asking the router the host is out of reach: the guest's join ends unanswered.
sim $home host --host $port
host=$!
sim $inet guest --join $wan.1:$port
ends $! 60 || fail "the guest waited for an unreachable host for over a minute"
grep -q '"lastMatch"' "$work/guest.json" && fail "the guest played a host behind the router unforwarded"
mapped && fail "the router forwarded the port unasked"
echo "ok   unforwarded: the guest's join failed ($(field '"end": "[^"]*"' "$work/guest.json"))"
kill -9 $host 2>/dev/null
wait $host 2>/dev/null

# 2. The host asks: the router forwards the port, and the guest plays the host through it.
wait_for 10 at $router test -e "$work/miniupnpd.pid" || fail "miniupnpd did not start: $(cat "$work/miniupnpd.txt")"
sim $home host --host $port --upnp
host=$!
wait_for 15 mapped || fail "the router never forwarded the port: $(tail -5 "$work/miniupnpd.txt")"
echo "ok   while hosting the router lists: $(at $router nft list chain inet upnp prerouting_miniupnpd | grep -o "dport $port dnat.*")"
sim $inet guest --join $wan.1:$port
guest=$!
ends $host 120 || fail "the match through the router did not end within 2 minutes"
ends $guest 15 || fail "the guest did not end after the host"
for side in host guest; do
  grep -q '"lastMatch"' "$work/$side.json" || fail "the $side played no match: $(cat "$work/$side.json")"
done
match() { field '"lastMatch": {[^{]*\[[^]]*\]}' "$work/$1.json"; }
[ -n "$(match host)" ] && [ "$(match host)" = "$(match guest)" ] ||
  fail "the two sides ended with different matches"
grep -q "\"router\": {\"state\": \"mapped\", \"public\": \"$wan.1\", \"local\": \"$lan.2\", \"port\": $port" \
  "$work/host.json" || fail "the host did not report the mapping: $(cat "$work/host.json")"
grep -q "公開アドレス $wan.1:$port" "$work/host.json" || fail "the host's online line lacks the public address"
echo "ok   forwarded: both played the same match; the host showed $(field '"status": "[^"]*"' "$work/host.json")"

# 3. The host ended: the mapping is gone.
mapped && fail "the mapping outlived the host"
grep -q ":$port:" "$work/leases" 2>/dev/null && fail "the router's lease file still holds the mapping"
echo "ok   the mapping is gone after the host ended"

# 4. A host told to end while it waits (as on closing the window) gives the mapping back too.
sim $home host --host $port --upnp
host=$!
wait_for 15 mapped || fail "the router did not forward the port the second time"
kill -TERM $host
ends $host 15 || fail "the host did not end on SIGTERM"
mapped && fail "the mapping outlived a host that was told to end"
echo "ok   a host told to end gave the mapping back"

# 5. No router in reach: the host says so and names the port to forward by hand.
sim $inet host --host $port --upnp --real-time --until 5000
ends $! 30 || fail "the host without a router did not end"
grep -q '"router": {"state": "noRouter"' "$work/host.json" || fail "no 'no router' report: $(cat "$work/host.json")"
grep -q "ルーターなし：UDP $port を手で転送" "$work/host.json" || fail "the host did not name the port to forward"
echo "ok   without a router: $(field '"status": "[^"]*"' "$work/host.json")"
exit 0
