#!/usr/bin/env bash
# Quillsum build script.
#   ./build.sh build   configure and build into build/ (programs in build/bin/)
#   ./build.sh test    build, then run every test through CTest
#   ./build.sh run     build, then start the desktop calculator
# Each command first installs the Debian packages the project needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev libqt6test6 libgl-dev
    libicu-dev libboost-dev nlohmann-json3-dev
    libespeak-ng-dev libespeak-ng1 espeak-ng-data
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-cjk xvfb xauth
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
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

cmd_build() {
    ensure_packages
    configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
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

case "${1:-}" in
build) cmd_build ;;
test) cmd_test ;;
run) cmd_run ;;
*)
    echo "usage: $0 build|test|run" >&2
    exit 2
    ;;
esac
