# Shared by scripts/run and scripts/test: install what is missing, then build.
# Sourced, not executed.

VELTRIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELTRIX_BUILD=${VELTRIX_BUILD:-$VELTRIX_ROOT/build}

# Debian 12 packages the project needs to build, test and be looked at.
VELTRIX_PACKAGES="build-essential cmake qtbase5-dev libqt5serialport5-dev iproute2 util-linux"

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

build_project() {
  cmake -S "$VELTRIX_ROOT" -B "$VELTRIX_BUILD" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$VELTRIX_BUILD" --parallel "$(nproc)"
}
