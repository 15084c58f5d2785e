#!/usr/bin/env bash
# Checks that every C and C++ source of the repository (committed or new, not ignored) is
# formatted as .clang-format says; names each file that is not and exits 1.
#   bash scripts/format-check.sh        check
#   bash scripts/format-check.sh --fix  format those files in place
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
case "${1:-}" in
  "") ;;
  --fix) fix=1 ;;
  *) echo "usage: format-check.sh [--fix]" >&2; exit 2 ;;
esac
unformatted=()
while IFS= read -r -d '' file; do
  [ -f "$file" ] || continue
  if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then unformatted+=("$file"); fi
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.cc' '*.c' '*.h' '*.hpp')
if [ ${#unformatted[@]} -eq 0 ]; then
  echo "clang-format: every source is formatted"
  exit 0
fi
if [ "$fix" = 1 ]; then
  clang-format -i "${unformatted[@]}"
  printf 'formatted %s\n' "${unformatted[@]}"
  exit 0
fi
printf 'not formatted: %s\n' "${unformatted[@]}"
echo "clang-format: ${#unformatted[@]} file(s) differ from .clang-format (bash scripts/format-check.sh --fix)"
exit 1
