#!/usr/bin/env bash
# Builds Cuadrix natively and for Windows (32 and 64 bit) and runs every test: native (also with
# AddressSanitizer and UBSan), under Wine, end to end in a virtual display, the release files
# (scripts/release.sh) installed and removed, and the fuzzers for a bounded time. Installs what is
# missing first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CUADRIX_BUILD:-$root/build}
jobs=$(nproc)
fuzz_seconds=${CUADRIX_FUZZ_SECONDS:-30}

"$root/scripts/deps.sh" || exit 1

step() { printf '\n== %s\n' "$*"; }
configure_and_build() { # dir, cmake args...
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1 || { grep -E "error|Error" "$dir.build.log" | head -40; return 1; }
}

mkdir -p "$build"
passed=0
failed=0
count_ctest() { # reads a ctest log
    local line
    line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$1" | tail -1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    local total bad
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}
run_ctest() { # dir, label regex
    local log="$1.ctest.log"
    (cd "$1" && ctest --output-on-failure -L "$2" 2>&1) | tee "$log"
    count_ctest "$log"
}

step "native build"
configure_and_build "$build/native" || exit 1
step "native build with AddressSanitizer and UBSan"
configure_and_build "$build/asan" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCUADRIX_SANITIZE=ON || exit 1
step "Windows builds (32 and 64 bit)"
configure_and_build "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" || exit 1
configure_and_build "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" || exit 1

step "native tests"
run_ctest "$build/native" native
step "native tests with sanitizers"
run_ctest "$build/asan" native

# shellcheck source=wine-env.sh
export CUADRIX_TEST_PREFIX=1
source "$root/scripts/wine-env.sh" "$build/wineprefix"
# shellcheck source=printer-env.sh
source "$root/scripts/printer-env.sh" "$build/cups"
trap 'cuadrix_wine_stop; cuadrix_printer_stop' EXIT
step "starting the PDF printer queue"
cuadrix_printer_start || exit 1
step "starting Wine (prefix $WINEPREFIX)"
cuadrix_wine_start || exit 1
step "Windows tests under Wine (32 bit, end to end included)"
run_ctest "$build/win32" "wine|e2e"
step "Windows tests under Wine (64 bit)"
run_ctest "$build/win64" wine
step "release files: made, installed, upgraded and removed in a fresh prefix"
if bash "$root/tests/release/test_release.sh" "$build"; then
    passed=$((passed + 1))
else
    echo "release: FAILED"
    failed=$((failed + 1))
fi
cuadrix_wine_stop
cuadrix_printer_stop

if ls "$root"/fuzz/*.cpp >/dev/null 2>&1; then
    step "fuzzing for ${fuzz_seconds}s per target"
    configure_and_build "$build/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCUADRIX_FUZZ=ON || exit 1
    for src in "$root"/fuzz/*.cpp; do
        name=$(basename "$src" .cpp)
        corpus="$build/fuzz/corpus-$name"
        mkdir -p "$corpus"
        [ -d "$root/fuzz/corpus/$name" ] && cp -n "$root/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null
        if "$build/fuzz/fuzz/$name" -max_total_time="$fuzz_seconds" -print_final_stats=0 \
            -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$build/fuzz/$name.log" 2>&1; then
            echo "fuzz $name: clean"
            passed=$((passed + 1))
        else
            tail -40 "$build/fuzz/$name.log"
            echo "fuzz $name: FAILED"
            failed=$((failed + 1))
        fi
    done
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
