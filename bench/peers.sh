#!/usr/bin/env bash
# digrexsum against the other digest tools of this system.
#
#   bench/peers.sh [DIGREXSUM]
#
# Hashes one page-cached 1 GiB file, in one run, with digrexsum and with the fastest
# other tool for each type (rhash, md5sum/sha1sum/sha256sum/sha512sum, openssl dgst),
# then all the types rhash offers in one pass, then a folder of 20,000 files of 1 KiB
# against `rhash -r`. Each time is the best of REPEAT runs (default 3). Prints one
# table; exits 1 when a target is missed.
#
# Targets: per type at most the fastest peer's time (ratio <= 1.00); all rhash types in
# one pass at most 0.7 x rhash; the folder at most 1.2 x `rhash -r`.
#
# DIGREXSUM defaults to build-bench/digrexsum, built there as a Release build if missing.
# BIG_MIB (default 1024) and SMALL_FILES (default 20000) shrink the inputs for a quick look;
# NICE sets the niceness of the timed runs (default -10 as root, else 0).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
repeat="${REPEAT:-3}"
big_mib="${BIG_MIB:-1024}"
small_files="${SMALL_FILES:-20000}"
# Every timed command, ours and the peers alike, runs at this niceness; as root the
# default -10 keeps other work on the machine from deciding the race.
nice="${NICE:-$([ "$(id -u)" = 0 ] && echo -10 || echo 0)}"
# The scheduler shares the cores between sessions first, so the script takes a session
# of its own and gives that session the same niceness.
if [ "$nice" != 0 ] && [ -z "${PEERS_OWN_SESSION:-}" ] && command -v setsid >/dev/null; then
  PEERS_OWN_SESSION=1 exec setsid -w bash "$0" "$@"
fi
if [ "$nice" != 0 ] && [ -w /proc/self/autogroup ]; then echo "$nice" >/proc/self/autogroup 2>/dev/null || true; fi

digrexsum="${1:-${DIGREXSUM:-}}"
if [ -z "$digrexsum" ]; then
  digrexsum="$root/build-bench/digrexsum"
  if [ ! -x "$digrexsum" ]; then
    cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIGREX_TESTS=OFF >/dev/null
    cmake --build "$root/build-bench" --target digrexsum >/dev/null
  fi
fi
[ -x "$digrexsum" ] || { echo "peers.sh: no digrexsum at $digrexsum" >&2; exit 2; }
digrexsum="$(cd "$(dirname "$digrexsum")" && pwd)/$(basename "$digrexsum")"

if ! command -v rhash >/dev/null; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get install -y -qq rhash >/dev/null 2>&1 ||
    { $sudo apt-get update -qq >/dev/null && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq rhash >/dev/null; }
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/digrexsum-peers.XXXXXX")"
trap 'rm -rf "$work"' EXIT
big="$work/big.bin"
head -c "$((big_mib * 1024 * 1024))" /dev/urandom >"$big"
cat "$big" >/dev/null
mkdir "$work/small"
head -c "$((small_files * 1024))" /dev/urandom | (cd "$work/small" && split -b 1024 -a 6 -d - f)

now_ns() { date +%s%N; }
# Runs the given commands (words split at blanks) $repeat times each, taking turns so
# that a change in the machine's load touches all alike, and sets BEST[command] to the
# best wall time in seconds ("" when the command failed).
declare -A BEST
race() {
  local cmd start end t
  local -a argv
  declare -A ns=()
  for _ in $(seq "$repeat"); do
    for cmd in "$@"; do
      [ "${ns[$cmd]-}" != failed ] || continue
      read -r -a argv <<<"$cmd"
      [ "$nice" = 0 ] || argv=(nice -n "$nice" "${argv[@]}")
      start=$(now_ns)
      if ! "${argv[@]}" >/dev/null 2>&1; then ns[$cmd]=failed; continue; fi
      end=$(now_ns)
      t=$((end - start))
      if [ -z "${ns[$cmd]-}" ] || [ "$t" -lt "${ns[$cmd]}" ]; then ns[$cmd]=$t; fi
    done
  done
  for cmd in "$@"; do
    if [ "${ns[$cmd]}" = failed ]; then BEST[$cmd]=""; else BEST[$cmd]=$(awk -v n="${ns[$cmd]}" 'BEGIN { printf "%.3f", n / 1e9 }'); fi
  done
}
# The first word of hex digits of the given length in a command's output, comment
# lines left out, in lower case.
digest_of() {
  local digits=$1
  shift
  "$@" 2>/dev/null | grep -v '^;' | grep -oE "\b[0-9A-Fa-f]{$digits}\b" | head -n 1 | tr 'A-F' 'a-f' || true
}

missed=0
row() {  # subject, peer, peer seconds, our seconds, limit
  local ratio verdict
  ratio=$(awk -v a="$4" -v b="$3" 'BEGIN { printf "%.2f", a / b }')
  if awk -v r="$ratio" -v l="$5" 'BEGIN { exit !(r <= l) }'; then verdict=met; else verdict=MISSED; missed=$((missed + 1)); fi
  printf '%-22s %-38s %8s %10s %7s %8s  %s\n' "$1" "$2" "$3" "$4" "$ratio" "<= $5" "$verdict"
}

cd "$work"
# Commands are written as plain words below, so the program is called through a link here.
ln -s "$digrexsum" digrexsum
echo "digrexsum $(./digrexsum --version | sed 's/.* //'); $(nproc) cores; ${big_mib} MiB file, page-cached; best of $repeat; nice $nice"
printf '%-22s %-38s %8s %10s %7s %8s  %s\n' type "fastest peer" "peer s" "digrexsum s" ratio target result

# type, digest digits, then the peer commands as single strings
peer_sets=(
  "CRC32|8|rhash --crc32"
  "MD2|32|openssl dgst -md2"
  "MD4|32|rhash --md4|openssl dgst -md4"
  "MD5|32|md5sum|openssl dgst -md5|rhash --md5"
  "SHA1|40|sha1sum|openssl dgst -sha1|rhash --sha1"
  "SHA256|64|sha256sum|openssl dgst -sha256|rhash --sha256"
  "SHA512|128|sha512sum|openssl dgst -sha512|rhash --sha512"
  "RipeMD128|32|"
  "RipeMD160|40|openssl dgst -ripemd160|rhash --ripemd160"
  "ED2K|32|rhash --ed2k"
)
for set in "${peer_sets[@]}"; do
  IFS='|' read -r -a fields <<<"$set"
  type=${fields[0]}
  digits=${fields[1]}
  ours="./digrexsum -a $type big.bin"
  ours_digest=$(digest_of "$digits" ./digrexsum -a "$type" big.bin)
  peers=()
  for peer in "${fields[@]:2}"; do
    [ -n "$peer" ] || continue
    read -r -a cmd <<<"$peer"
    command -v "${cmd[0]}" >/dev/null || continue
    # A peer that cannot do the type here (openssl without its legacy digests) is
    # left out; one that disagrees with us is reported.
    their_digest=$(digest_of "$digits" "${cmd[@]}" big.bin)
    [ -n "$their_digest" ] || continue
    if [ "$their_digest" != "$ours_digest" ]; then
      echo "peers.sh: $type: $peer gives $their_digest, digrexsum $ours_digest" >&2
      missed=$((missed + 1))
      continue
    fi
    peers+=("$peer big.bin")
  done
  if [ "${#peers[@]}" = 0 ]; then
    # Timed once: MD2 alone takes minutes.
    repeat=1 race "$ours"
    printf '%-22s %-38s %8s %10s\n' "$type" "(no peer offers it)" - "${BEST[$ours]}"
    continue
  fi
  race "${peers[@]}" "$ours"
  best_peer=""
  for peer in "${peers[@]}"; do
    [ -n "${BEST[$peer]}" ] || continue
    if [ -z "$best_peer" ] || awk -v a="${BEST[$peer]}" -v b="${BEST[$best_peer]}" 'BEGIN { exit !(a < b) }'; then
      best_peer=$peer
    fi
  done
  row "$type" "${best_peer% big.bin}" "${BEST[$best_peer]}" "${BEST[$ours]}" 1.00
done

rhash_all="rhash --crc32 --md4 --md5 --sha1 --sha256 --sha512 --ripemd160 --ed2k big.bin"
ours_all="./digrexsum -a CRC32,MD4,MD5,SHA1,SHA256,SHA512,RipeMD160,ED2K big.bin"
race "$rhash_all" "$ours_all"
row "all rhash types" "${rhash_all% big.bin}" "${BEST[$rhash_all]}" "${BEST[$ours_all]}" 0.70

# rhash -r writes CRC32 in SFV; digrexsum the same. Once each first, so that both
# find the folder's entries cached.
./digrexsum -a CRC32 --format sfv small >/dev/null
rhash -r small >/dev/null
for pair in "rhash -r small|./digrexsum -a CRC32 --format sfv small|rhash -r (CRC32)" \
            "rhash -r --sha256 small|./digrexsum -a SHA256 small|rhash -r --sha256"; do
  IFS='|' read -r theirs ours label <<<"$pair"
  race "$theirs" "$ours"
  row "${small_files} x 1 KiB" "$label" "${BEST[$theirs]}" "${BEST[$ours]}" 1.20
done

if [ "$missed" -gt 0 ]; then
  echo "$missed target(s) missed"
  exit 1
fi
echo "every target met"
