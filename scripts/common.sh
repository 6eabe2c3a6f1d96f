# Shared by the scripts in this folder: install what is missing, build, and run
# commands inside a private network namespace. Sourced, not executed.
#
# VELTRIX_QT=6 (the default) builds against Qt 6, VELTRIX_QT=5 against Qt 5.15; each
# into its own folder, so that both builds can live side by side.

VELTRIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELTRIX_QT=${VELTRIX_QT:-6}

case "$VELTRIX_QT" in
  6)
    VELTRIX_QT_PACKAGES="qt6-base-dev libqt6opengl6-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n"
    VELTRIX_BUILD_SUFFIX=""
    ;;
  5)
    VELTRIX_QT_PACKAGES="qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n"
    VELTRIX_BUILD_SUFFIX="-qt5"
    ;;
  *)
    echo "error: VELTRIX_QT must be 6 or 5, not '$VELTRIX_QT'" >&2
    exit 2
    ;;
esac
VELTRIX_BUILD=${VELTRIX_BUILD:-$VELTRIX_ROOT/build$VELTRIX_BUILD_SUFFIX}

# Debian packages the project needs to build, test and be looked at (Debian 12 and 13).
# The tools packages compile the translations; the translations packages hold the
# toolkit's own texts (standard buttons, file dialogs) in the languages the program shows.
# The Chinese user manual is built with a font that has its characters.
VELTRIX_PACKAGES="build-essential cmake $VELTRIX_QT_PACKAGES iproute2 util-linux fonts-noto-cjk"
# What the test suite reads the configuration report back with (pdftoppm, pdftotext),
# and the fonts its Chinese pages need.
VELTRIX_TEST_PACKAGES="poppler-utils fonts-noto-cjk"
# What the fuzz targets are built with: clang and its libFuzzer and sanitizer runtimes.
VELTRIX_CLANG_PACKAGES="clang libclang-rt-dev llvm"

as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "error: need root (or sudo) to install: $*" >&2
    return 1
  fi
}

install_missing() {
  local missing=()
  local pkg
  for pkg in $VELTRIX_PACKAGES "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Extra arguments go to CMake's configure step.
# VELTRIX_CMAKE_ARGS adds options of one's own (for example -DVELTRIX_BENCHMARKS=OFF).
build_project() {
  # shellcheck disable=SC2086
  cmake -S "$VELTRIX_ROOT" -B "$VELTRIX_BUILD" -DCMAKE_BUILD_TYPE=Release -DVELTRIX_QT="$VELTRIX_QT" \
    ${VELTRIX_CMAKE_ARGS:-} "$@"
  cmake --build "$VELTRIX_BUILD" --parallel "$(nproc)"
}

# Runs a command inside a private network namespace made here: loopback up and one
# veth pair with two addresses, so that broadcasts have an interface to go to and
# still stay inside. Never falls back to the real network.
in_private_network() {
  local inner='set -e
ip link set lo up
ip link add scan0 type veth peer name scan1
ip addr add 10.77.0.1/24 broadcast 10.77.0.255 dev scan0
ip addr add 10.77.0.2/24 broadcast 10.77.0.255 dev scan1
ip link set scan0 up
ip link set scan1 up
export QT_QPA_PLATFORM=offscreen
exec "$@"'
  local unshare_flags
  if [ "$(id -u)" = 0 ]; then
    unshare_flags=(-n)
  else
    unshare_flags=(-rn)
  fi
  if ! unshare "${unshare_flags[@]}" true 2>/dev/null; then
    echo "error: cannot create a private network namespace (unshare ${unshare_flags[*]} failed)." >&2
    echo "The tests broadcast and connect on the network and are never run outside one." >&2
    return 1
  fi
  unshare "${unshare_flags[@]}" sh -c "$inner" veltrix "$@"
}
