# common.sh: what scripts/run, scripts/test and scripts/bench share.
# Sourced, not run. Installs only what is missing; configures and builds
# with CMake and Ninja into build/<flavour>.

LEXVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Debian packages the build and the tests need.
LEXVANE_PACKAGES="cmake ninja-build g++ ccache pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsqlite3-dev zlib1g-dev libspeex-dev libasound2-dev
  qt6-base-dev qt6-base-dev-tools qt6-5compat-dev libgl1-mesa-dev
  fonts-dejavu-core binutils"

# What scripts/fuzz needs on top: clang with libFuzzer and its sanitizer
# runtimes. Apart, so that the test build does not install a second compiler.
LEXVANE_FUZZ_PACKAGES="clang-14 libclang-rt-14-dev"

lexvane_missing_packages() {
    local missing=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $package"
        fi
    done
    echo "$missing"
}

# lexvane_install [extra packages...]: apt-get only what is absent.
lexvane_install() {
    # shellcheck disable=SC2086
    local missing
    missing=$(lexvane_missing_packages $LEXVANE_PACKAGES "$@")
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
    fi
}

lexvane_jobs() {
    nproc 2>/dev/null || echo 2
}

# lexvane_build <flavour> [cmake options...]: configure once, then build.
lexvane_build() {
    local flavour=$1
    shift
    local dir="$LEXVANE_ROOT/build/$flavour"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$LEXVANE_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" -j "$(lexvane_jobs)"
}
