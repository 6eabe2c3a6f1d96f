# Shared by scripts/run and scripts/test: install what is missing, then build.
# Sourced, not executed.
#
# VELTRIX_QT=6 (the default) builds against Qt 6, VELTRIX_QT=5 against Qt 5.15; each
# into its own folder, so that both builds can live side by side.

VELTRIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELTRIX_QT=${VELTRIX_QT:-6}

case "$VELTRIX_QT" in
  6)
    VELTRIX_QT_PACKAGES="qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n"
    VELTRIX_BUILD=${VELTRIX_BUILD:-$VELTRIX_ROOT/build}
    ;;
  5)
    VELTRIX_QT_PACKAGES="qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n"
    VELTRIX_BUILD=${VELTRIX_BUILD:-$VELTRIX_ROOT/build-qt5}
    ;;
  *)
    echo "error: VELTRIX_QT must be 6 or 5, not '$VELTRIX_QT'" >&2
    exit 2
    ;;
esac

# Debian packages the project needs to build, test and be looked at (Debian 12 and 13).
# The tools packages compile the translations; the translations packages hold the
# toolkit's own texts (standard buttons, file dialogs) in the languages the program shows.
VELTRIX_PACKAGES="build-essential cmake $VELTRIX_QT_PACKAGES iproute2 util-linux"

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
  cmake -S "$VELTRIX_ROOT" -B "$VELTRIX_BUILD" -DCMAKE_BUILD_TYPE=Release -DVELTRIX_QT="$VELTRIX_QT" "$@"
  cmake --build "$VELTRIX_BUILD" --parallel "$(nproc)"
}
