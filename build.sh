#!/usr/bin/env bash
# Quillsum build script.
#   ./build.sh build   configure and build into build/ (programs in build/bin/)
#   ./build.sh test    build, then run every test through CTest
#   ./build.sh run     build, then start the desktop calculator
#   ./build.sh sanitize          build every test with AddressSanitizer and UndefinedBehavior-
#                                Sanitizer into build-asan/ and run them all
#   ./build.sh fuzz [SECONDS]    build the libFuzzer targets with clang into build-fuzz/ and run
#                                each on its corpus for SECONDS (default 30)
#   ./build.sh web     the web edition with emscripten into build-web/: the JavaScript module
#                      quillsum.mjs (with quillsum.d.mts) and quillsum-calc.js for node, and
#                      the page in build-web/site/ (TypeScript and esbuild from npm, web/)
#   ./build.sh web-serve         build the web edition and serve its page (build-web/site/)
#                                on http://127.0.0.1:8080/
#   ./build.sh web-test          build the web edition and test it against the desktop build:
#                                the text conversions, the command-line tests, the module's
#                                node test, the page in headless chromium (Playwright from
#                                npm driving Debian's chromium); then print its budgets
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
    libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng pulseaudio pulseaudio-utils
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-cjk xvfb xauth poppler-utils
    dbus at-spi2-core gir1.2-atspi-2.0 python3-gi xdotool
    appstream desktop-file-utils
)
BUILD_DIR=${QUILL_BUILD_DIR:-build}
JOBS=${QUILL_JOBS:-2}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    ensure_only "${PACKAGES[@]}" "$@"
}

ensure_only() {
    local missing=()
    for p in "$@"; do
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

WEB_PACKAGES=(cmake g++ make libicu-dev libboost-dev nlohmann-json3-dev emscripten nodejs)
WEB_DIR=${QUILL_WEB_DIR:-build-web}

# The web edition needs the text tables written from this machine's ICU, so a native
# build of the table writer (and of the programs the web build is compared with) comes first.
cmd_web() {
    ensure_only "${WEB_PACKAGES[@]}"
    # emscripten's tools find Debian's node-acorn only there when another node comes first.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    cmake -S . -B "$WEB_DIR/host" -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_GUI=OFF \
        -DBUILD_TESTING=OFF -DQUILL_BUILD_BENCH=OFF >/dev/null
    cmake --build "$WEB_DIR/host" -j "$JOBS" --target text_tables_gen quill_text_dump quill_web_budget
    emcmake cmake -S . -B "$WEB_DIR" -DCMAKE_BUILD_TYPE=Release \
        -DQUILL_TEXT_TABLES_GEN="$PWD/$WEB_DIR/host/bin/text_tables_gen" >/dev/null
    cmake --build "$WEB_DIR" -j "$JOBS"
    web_site
}

# The page: its npm tools as the lockfile names them, type-checked, bundled into $WEB_DIR/site.
web_site() {
    command -v npm >/dev/null || ensure_only npm # nodejs from elsewhere brings its own
    if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
        (cd web && npm ci --no-audit --no-fund --loglevel=error)
    fi
    (cd web && npx tsc --noEmit -p . && npx tsc --noEmit -p tsconfig.sw.json)
    node web/build.mjs "$WEB_DIR"
}

cmd_web_serve() {
    cmd_web
    echo "Quillsum: http://127.0.0.1:8080/ (Ctrl+C stops)"
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$WEB_DIR/site"
}

cmd_web_test() {
    cmd_web
    ensure_packages
    local failed=0
    echo "== text conversions and number texts: web build against the desktop's"
    local dumps
    dumps=$(mktemp -d)
    "$WEB_DIR/host/bin/quill_text_dump" >"$dumps/desktop" && node "$WEB_DIR/tests/quill_text_dump.js" >"$dumps/web" || failed=1
    if cmp -s "$dumps/desktop" "$dumps/web"; then
        echo "same ($(wc -l <"$dumps/web") lines)"
    else
        diff "$dumps/desktop" "$dumps/web" | head -n 20
        failed=1
    fi
    rm -rf "$dumps"
    echo "== the module, from node"
    QUILL_WEB_DIR="$PWD/$WEB_DIR" node --test tests/web/module_test.mjs || failed=1
    echo "== the page in headless chromium"
    ensure_only chromium poppler-utils
    (cd web && QUILL_WEB_DIR="$PWD/../$WEB_DIR" node --test tests/) || failed=1
    echo "== command-line tests against node $WEB_DIR/quillsum-calc.js"
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
    cmake --build "$BUILD_DIR" -j "$JOBS" --target quill_cli_tests quillsum-calc
    QUILL_CALC_COMMAND="node $PWD/$WEB_DIR/quillsum-calc.js" "$BUILD_DIR/tests/quill_cli_tests" \
        --gtest_brief=1 || failed=1
    local status=0
    node "$WEB_DIR/quillsum-calc.js" --eval 1 --say >/dev/null 2>&1 || status=$?
    if [ "$status" -ne 3 ]; then
        echo "--say under node: exit $status, not 3 (no speech engine)" >&2
        failed=1
    fi
    echo "== budgets"
    python3 bench/web_budgets.py "$WEB_DIR" "$WEB_DIR/host/bin/quill_web_budget"
    return $failed
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
        -DQUILL_BUILD_BENCH=OFF -DQUILL_WERROR=OFF \
        -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib \
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
web) cmd_web ;;
web-serve) cmd_web_serve ;;
web-test) cmd_web_test ;;
package) cmd_package ;;
format) cmd_format ;;
*)
    echo "usage: $0 build|test|run|sanitize|fuzz [SECONDS]|web|web-serve|web-test|package|format" >&2
    exit 2
    ;;
esac
