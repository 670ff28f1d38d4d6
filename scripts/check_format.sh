#!/usr/bin/env bash
# Fails when a tracked C++ source is not formatted as the repository's .clang-format says.
# `bash scripts/check_format.sh --fix` formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "check_format: the sources above are not formatted; run: bash scripts/check_format.sh --fix" >&2
  exit 1
fi
echo "check_format: ${#sources[@]} sources formatted"
