#!/usr/bin/env bash
# The publisher's tool used from a shell, the way a release is published:
# keygen, make, sign and verify, and each of its refusals.
# usage: publish_update_cli.sh <publish-update program>
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check <what> <expected status> <command...>
  local what=$1 want=$2; shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [[ $got -ne $want ]]; then
    echo "FAIL: $what: exit $got, expected $want"; cat "$work/out" "$work/err"; failures=$((failures + 1))
  fi
}

cd "$work" || exit 1
check "help" 0 "$tool" --help
for word in keygen make sign verify; do
  grep -q "publish-update $word" "$work/out" || { echo "FAIL: --help does not show $word"; failures=$((failures + 1)); }
done
check "no command" 2 "$tool"

check "keygen" 0 "$tool" keygen pub
[[ $(stat -c %a pub.secret) == 600 ]] || { echo "FAIL: the secret key file is readable by others"; failures=$((failures + 1)); }
[[ $(tr -d '\n' < pub.public | wc -c) == 64 ]] || { echo "FAIL: the public key is not 64 digits"; failures=$((failures + 1)); }
before=$(cat pub.secret)
check "keygen keeps existing keys" 2 "$tool" keygen pub
[[ $(cat pub.secret) == "$before" ]] || { echo "FAIL: keygen overwrote a key"; failures=$((failures + 1)); }
"$tool" keygen other >/dev/null

mkdir release
printf 'MZ new launcher' > release/lumenrig.exe
printf '1.3' > release/version.txt
check "make" 0 "$tool" make release http://updates.example/lumenrig 1.3 "Faster loading"
cp "$work/out" update.txt
grep -q '^#url2=http://updates.example/lumenrig/version.txt' update.txt \
  || { echo "FAIL: make did not list version.txt as url2"; failures=$((failures + 1)); }
check "an unsigned file does not verify" 1 "$tool" verify pub.public update.txt
check "sign" 0 "$tool" sign pub.secret update.txt
check "verify" 0 "$tool" verify pub.public update.txt release
[[ $(tail -n 1 update.txt | tr -d '\r\n' | wc -c) == $((11 + 128)) ]] \
  || { echo "FAIL: the last line is not the signature"; failures=$((failures + 1)); }
check "another key" 1 "$tool" verify other.public update.txt
check "signing again" 0 "$tool" sign pub.secret update.txt
check "verify after signing again" 0 "$tool" verify pub.public update.txt

sed 's/#version=1.3/#version=9.3/' update.txt > changed.txt
check "a changed byte" 1 "$tool" verify pub.public changed.txt
printf 'tampered launcher' > release/lumenrig.exe
check "a changed release file" 1 "$tool" verify pub.public update.txt release
grep -q 'lumenrig.exe: size differs' "$work/out" || { echo "FAIL: verify did not name the changed file"; failures=$((failures + 1)); }

mkdir release/sub
check "a folder inside the release" 2 "$tool" make release http://updates.example/lumenrig 1.3 "x"
mkdir one && printf 'a' > one/a.dat
check "a version that is not a number" 2 "$tool" make --method 0 one http://updates.example 1.3beta "x"
check "a message with a brace" 2 "$tool" make one http://updates.example 1.3 "see {this}"
check "make with a date and a method" 0 "$tool" make --date 12/01/2005 --method 1 one http://updates.example 1.3 "x"
grep -q '^#method=1' "$work/out" && grep -q '^#date=12/01/2005' "$work/out" \
  || { echo "FAIL: make ignored --date or --method"; failures=$((failures + 1)); }
check "a secret key file that is not one" 2 "$tool" sign pub.public.missing update.txt

[[ $failures -eq 0 ]] && echo "publish-update: all checks passed"
exit $((failures > 0))
