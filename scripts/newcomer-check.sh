#!/usr/bin/env bash
# The newcomer check: clones the repository (its committed state) into a fresh temporary folder
# and runs the two commands of the README's "Set-up: the two commands" block there, each line
# exactly as the README writes it, in a clean environment (no DISPLAY, no locale, none of the
# project's variables), each under a time limit. It cannot make the machine itself fresh: packages that
# are already installed stay installed (scripts/install-deps.sh then has nothing to do).
#
#   bash scripts/newcomer-check.sh [--run-only] [--keep] [--from REPO]
#     --run-only   run only the first command (the run command), not the test command
#     --keep       keep the clone (it is removed after a fully successful check otherwise)
#     --from REPO  clone REPO instead of this repository
#   RUN_LIMIT, TEST_LIMIT   time limits of the two commands, in seconds (default 3600, 10800)
#
# Prints one line per command (exit code, seconds) and the folder of its log; exits 0 only when
# every command it ran succeeded.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
repo=$here
run_only=0
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --run-only) run_only=1 ;;
    --keep) keep=1 ;;
    --from) repo=$2; shift ;;
    *) echo "usage: newcomer-check.sh [--run-only] [--keep] [--from REPO]" >&2; exit 2 ;;
  esac
  shift
done
limits=("${RUN_LIMIT:-3600}" "${TEST_LIMIT:-10800}")

# The lines of the fenced block that follows the README's set-up heading.
mapfile -t commands < <(awk '
  /^## Set-up: the two commands/ { section = 1; next }
  section && /^```/ { if (inside) exit; inside = 1; next }
  inside && NF { print }
' "$repo/README.md")
if [ ${#commands[@]} -ne 2 ]; then
  echo "newcomer-check: expected two commands in the README's set-up block, found ${#commands[@]}" >&2
  exit 1
fi

work=$(mktemp -d /tmp/lmn-newcomer-XXXXXX)
clone=$work/lumenfold-desktop
git clone --quiet "$repo" "$clone"
echo "clone of $(git -C "$clone" rev-parse --short HEAD) in $clone"

status=0
count=${#commands[@]}
[ "$run_only" = 1 ] && count=1
for i in $(seq 0 $((count - 1))); do
  line=${commands[$i]}
  log=$work/command-$((i + 1)).log
  start=$SECONDS
  set +e
  (cd "$clone" && env -i HOME="$HOME" USER="${USER:-root}" TERM="${TERM:-dumb}" \
     PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
     timeout --kill-after=30 "${limits[$i]}" bash -c "$line") >"$log" 2>&1
  code=$?
  set -e
  seconds=$((SECONDS - start))
  if [ "$code" = 124 ] || [ "$code" = 137 ]; then
    echo "FAIL  $line  -> time limit of ${limits[$i]} s passed ($seconds s), log $log"
  elif [ "$code" != 0 ]; then
    echo "FAIL  $line  -> exit $code after $seconds s, log $log"
  else
    echo "ok    $line  -> $seconds s, log $log"
  fi
  [ "$code" = 0 ] || status=1
  tail -n 3 "$log" | sed 's/^/      | /'
done

if [ "$status" = 0 ] && [ "$keep" = 0 ] && [ "$run_only" = 0 ]; then
  rm -rf "$work"
  echo "newcomer check passed"
else
  echo "kept $work"
fi
exit "$status"
