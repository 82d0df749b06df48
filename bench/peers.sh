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
# BIG_MIB (default 1024) and SMALL_FILES (default 20000) shrink the inputs for a quick look.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
repeat="${REPEAT:-3}"
big_mib="${BIG_MIB:-1024}"
small_files="${SMALL_FILES:-20000}"

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
# Best wall time of $repeat runs, in seconds with three decimals; "" when the command fails.
best_time() {
  local best="" start end t
  for _ in $(seq "$repeat"); do
    start=$(now_ns)
    "$@" >/dev/null 2>&1 || { echo ""; return; }
    end=$(now_ns)
    t=$((end - start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
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
echo "digrexsum $("$digrexsum" --version | sed 's/.* //'); $(nproc) cores; ${big_mib} MiB file, page-cached; best of $repeat"
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
  ours_digest=$(digest_of "$digits" "$digrexsum" -a "$type" big.bin)
  best_peer="" best_s=""
  for peer in "${fields[@]:2}"; do
    [ -n "$peer" ] || continue
    read -r -a cmd <<<"$peer"
    command -v "${cmd[0]}" >/dev/null || continue
    # A peer that cannot do the type here (openssl without its legacy digests) or
    # disagrees with us is left out; a disagreement is reported.
    their_digest=$(digest_of "$digits" "${cmd[@]}" big.bin)
    [ -n "$their_digest" ] || continue
    if [ "$their_digest" != "$ours_digest" ]; then
      echo "peers.sh: $type: $peer gives $their_digest, digrexsum $ours_digest" >&2
      missed=$((missed + 1))
      continue
    fi
    s=$(best_time "${cmd[@]}" big.bin)
    [ -n "$s" ] || continue
    if [ -z "$best_s" ] || awk -v a="$s" -v b="$best_s" 'BEGIN { exit !(a < b) }'; then best_s=$s best_peer=$peer; fi
  done
  if [ -z "$best_peer" ]; then
    printf '%-22s %-38s %8s %10s\n' "$type" "(no peer offers it)" - "$(best_time "$digrexsum" -a "$type" big.bin)"
    continue
  fi
  row "$type" "$best_peer" "$best_s" "$(best_time "$digrexsum" -a "$type" big.bin)" 1.00
done

rhash_all=(--crc32 --md4 --md5 --sha1 --sha256 --sha512 --ripemd160 --ed2k)
row "all rhash types" "rhash ${rhash_all[*]}" "$(best_time rhash "${rhash_all[@]}" big.bin)" \
  "$(best_time "$digrexsum" -a CRC32,MD4,MD5,SHA1,SHA256,SHA512,RipeMD160,ED2K big.bin)" 0.70

# rhash -r writes CRC32 in SFV; digrexsum the same. Once each first, so that both
# find the folder's entries cached.
"$digrexsum" -a CRC32 --format sfv small >/dev/null
rhash -r small >/dev/null
row "${small_files} x 1 KiB" "rhash -r (CRC32)" "$(best_time rhash -r small)" \
  "$(best_time "$digrexsum" -a CRC32 --format sfv small)" 1.20
row "${small_files} x 1 KiB" "rhash -r --sha256" "$(best_time rhash -r --sha256 small)" \
  "$(best_time "$digrexsum" -a SHA256 small)" 1.20

if [ "$missed" -gt 0 ]; then
  echo "$missed target(s) missed"
  exit 1
fi
echo "every target met"
