#!/usr/bin/env bash
# Lines of test code against lines of product code. Product: every .cpp/.h
# outside tests/, bench/, fuzz/ and build folders; tests: every .cpp/.h under
# tests/. Counts physical lines (wc -l), comments and blank lines included.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
product=$(count . -path ./tests -prune -o -path ./bench -prune -o -path ./fuzz -prune \
                 -o -path './build*' -prune -o -path ./.git -prune -o)
tests=$(count tests)
echo "product lines: $product"
echo "test lines:    $tests"
echo "ratio:         $((100 * tests / product))%"
