#!/usr/bin/env bash
# Style gates: the core's includes keep its ladder of folders, every C++ file formatted by
# .clang-format, and clang-tidy (.clang-tidy) clean on our sources. Needs a configured build
# folder for compile_commands.json.
# Usage: scripts/check-style.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"

echo "--- the core's ladder of folders"
scripts/check-layers.sh

echo "--- clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "--- clang-tidy"
# Sources only; headers are checked through them (HeaderFilterRegex).
git ls-files 'src/*.cpp' | xargs -P"$(nproc)" -n4 clang-tidy -p "$BUILD_DIR" --quiet
