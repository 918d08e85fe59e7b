# Debian packages the build, the programs and the tests need; sourced by
# scripts/run and scripts/test.
VERDAN_RUN_PACKAGES="g++ cmake ninja-build pkg-config libpng-dev libncurses-dev libsdl2-dev librsvg2-bin unifont libtomlplusplus-dev"
# The tests also install and package the programs (dpkg-dev for the
# package's library dependencies).
VERDAN_PACKAGES="$VERDAN_RUN_PACKAGES googletest libgtest-dev libgmock-dev
libbenchmark-dev tmux hp2xx dpkg-dev python3-ezdxf python3-matplotlib libxml2-utils
clang libclang-rt-dev xvfb xdotool x11-utils locales time man-db"
# Making and checking the Debian packages (scripts/package).
VERDAN_DEBIAN_PACKAGES="dpkg-dev file lintian"
# The Windows cross build and its tests under wine (scripts/windows-test only).
VERDAN_WINDOWS_PACKAGES="g++ cmake ninja-build mingw-w64 googletest libstb-dev libtomlplusplus-dev wine wine64 nsis"

# Installs what is missing when run as root; otherwise prints the command
# that would and stops.
verdan_install_packages() {
  local missing=()
  for p in $VERDAN_PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null || {
      echo "apt-get could not install: ${missing[*]}" >&2
      return 1
    }
  else
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}
