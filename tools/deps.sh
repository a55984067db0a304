# Sourced by build.sh and test.sh: installs the Debian packages the build (and the tests) need,
# where they are missing and the script runs as root. Quick when everything is there.
kv_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  printf '%s\n' "${missing[@]}"
}

kv_install_deps() {
  local packages=(cmake ninja-build python3 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
                  binutils-mingw-w64-i686 mingw-w64-i686-dev nsis)
  if [ "${1:-}" = test ]; then
    packages+=(googletest wine wine32:i386 xvfb x11-apps imagemagick)
  fi
  local missing
  missing=$(kv_missing "${packages[@]}")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages (run as root to install them): $missing" >&2
    return 1
  fi
  if printf '%s\n' "$missing" | grep -q ':i386' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
}
