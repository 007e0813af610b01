#!/usr/bin/env bash
# Quillsum build script.
#   ./build.sh build   configure and build into build/ (programs in build/bin/)
#   ./build.sh test    build, then run every test through CTest
#   ./build.sh run     build, then start the desktop calculator
#   ./build.sh sanitize          build every test with AddressSanitizer and UndefinedBehavior-
#                                Sanitizer into build-asan/ and run them all
#   ./build.sh fuzz [SECONDS]    build the libFuzzer targets with clang into build-fuzz/ and run
#                                each on its corpus for SECONDS (default 30)
#   ./build.sh package           build the Debian package build/quillsum_<version>_<arch>.deb
#                                (in build-deb/, without tests) and check it with lintian
#   ./build.sh format            check that src/ tests/ bench/ fuzz/ are formatted (clang-format 14)
# Each command first installs the Debian packages the project needs when they are missing.
# QUILL_WERROR=ON in the environment makes every warning an error (CI sets it).
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev libqt6test6 libqt6svg6 qt6-translations-l10n libgl-dev
    libicu-dev libboost-dev nlohmann-json3-dev
    libespeak-ng-dev libespeak-ng1 espeak-ng-data libpulse-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-cjk xvfb xauth poppler-utils
    appstream desktop-file-utils
)
BUILD_DIR=${QUILL_BUILD_DIR:-build}
JOBS=${QUILL_JOBS:-2}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing missing packages: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -DQUILL_WERROR="${QUILL_WERROR:-OFF}" "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

cmd_build() {
    ensure_packages
    configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
        -DQUILL_BUILD_BENCH=ON
}

cmd_test() {
    cmd_build
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
}

cmd_run() {
    cmd_build
    if [ ! -x "$BUILD_DIR/bin/quillsum" ]; then
        echo "The desktop window is not built yet; use $BUILD_DIR/bin/quillsum-calc for now."
        exit 1
    fi
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: the calculator needs a desktop. Without one, use $BUILD_DIR/bin/quillsum-calc (try --help)."
        exit 1
    fi
    exec "$BUILD_DIR/bin/quillsum"
}

# Any sanitizer report (leaks included) fails the test that caused it.
sanitizer_environment() {
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
}

cmd_sanitize() {
    ensure_packages
    local dir=${QUILL_ASAN_DIR:-build-asan}
    sanitizer_environment
    configure_and_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_SANITIZE=ON \
        -DBUILD_TESTING=ON -DQUILL_BUILD_BENCH=OFF
    ctest --test-dir "$dir" --output-on-failure -j "$JOBS"
}

FUZZ_TARGETS=(fuzz_eval fuzz_sheet fuzz_settings fuzz_formulas fuzz_positions fuzz_speech_text fuzz_cli
    fuzz_paste)

# Runs every fuzz target for the given time, starting from its corpus in fuzz/corpus/ (which
# stays as it is: new inputs gather in build-fuzz/work/). A finding stops that target, is kept
# in build-fuzz/findings/ and fails the run after the other targets have had their turn.
cmd_fuzz() {
    local seconds=${1:-30}
    ensure_packages clang libclang-rt-14-dev
    local dir=${QUILL_FUZZ_DIR:-build-fuzz}
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DQUILL_FUZZ=ON -DQUILL_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DQUILL_BUILD_BENCH=OFF \
        -DQUILL_WERROR="${QUILL_WERROR:-OFF}" >/dev/null
    cmake --build "$dir" -j "$JOBS" --target "${FUZZ_TARGETS[@]}"
    mkdir -p "$dir/findings"
    local failed=()
    for t in "${FUZZ_TARGETS[@]}"; do
        mkdir -p "$dir/work/$t"
        echo "== $t: ${seconds}s"
        if ! "$dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$dir/findings/$t-" \
            "$dir/work/$t" "fuzz/corpus/$t" >"$dir/work/$t.log" 2>&1; then
            failed+=("$t")
            tail -n 60 "$dir/work/$t.log"
        fi
        grep -E '^(Done|stat::number_of_executed_units)' "$dir/work/$t.log" || true
    done
    if [ ${#failed[@]} -gt 0 ]; then
        echo "Fuzz findings in: ${failed[*]} (inputs in $dir/findings/)" >&2
        return 1
    fi
}

# The package is built with Debian's compiler and linker hardening flags, without tests and
# benchmarks, in its own build folder; lintian's errors fail the command. Those flags
# (_FORTIFY_SOURCE) bring warnings of their own, so this build is not held to QUILL_WERROR.
cmd_package() {
    ensure_packages dpkg-dev file lintian
    local dir=${QUILL_DEB_DIR:-build-deb}
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
    local cxxflags ldflags
    cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    ldflags=$(dpkg-buildflags --get LDFLAGS)
    configure_and_build "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DQUILL_BUILD_BENCH=OFF -DQUILL_WERROR=OFF -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib \
        "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
        "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags" "-DCMAKE_MODULE_LINKER_FLAGS=$ldflags"
    rm -rf "$dir/package"
    cpack --config "$dir/CPackConfig.cmake" -B "$dir/package" >/dev/null
    mkdir -p "$BUILD_DIR"
    rm -f "$BUILD_DIR"/quillsum_*.deb
    cp "$dir"/package/quillsum_*.deb "$BUILD_DIR/"
    local deb
    deb=$(ls "$BUILD_DIR"/quillsum_*.deb)
    echo "Built $deb ($(du -k "$deb" | cut -f1) KB)"
    lintian --fail-on error --info "$deb"
}

# Every C++ file the project formats must already be formatted: lists the ones that are not.
cmd_format() {
    ensure_packages clang-format-14
    find src tests bench fuzz -path fuzz/corpus -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format-14 --dry-run --Werror
}

case "${1:-}" in
build) cmd_build ;;
test) cmd_test ;;
run) cmd_run ;;
sanitize) cmd_sanitize ;;
fuzz) cmd_fuzz "${2:-30}" ;;
package) cmd_package ;;
format) cmd_format ;;
*)
    echo "usage: $0 build|test|run|sanitize|fuzz [SECONDS]|package|format" >&2
    exit 2
    ;;
esac
