# Shared by the scripts: where things are built, which Windows architecture Wine can run here,
# and the private Wine prefix. Source it; it defines functions and variables only.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${ORVANDEL_BUILD_ROOT:-$ROOT/build}

# The shipped program is i686. Wine's 32-bit loader is itself a 32-bit Linux program; on a kernel
# without 32-bit support it can't start, and the same sources are run and tested as x86_64 instead.
runtime_arch() {
  if [ -n "${ORVANDEL_RUNTIME_ARCH:-}" ]; then echo "$ORVANDEL_RUNTIME_ARCH"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686
  else echo x86_64; fi
}

# configure_and_build ARCH [WITH_TESTS=ON|OFF] [targets...]: one build folder per architecture.
configure_and_build() {
  local arch=$1 tests=${2:-ON}; shift 2 || true
  local dir="$BUILD_ROOT/$arch"
  if [ ! -f "$dir/build.ninja" ] || [ "$(sed -n 's/^ORVANDEL_TESTS:BOOL=//p' "$dir/CMakeCache.txt" 2>/dev/null)" != "$tests" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DORVANDEL_TESTS="$tests" >/dev/null
  fi
  cmake --build "$dir" -- "$@"
}

# wine_env ARCH: exports the private prefix's environment for that build folder.
wine_env() {
  local arch=$1
  export WINEPREFIX="$BUILD_ROOT/$arch/wineprefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" 
  if [ "$arch" = i686 ]; then export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64; fi
  export WINESERVER=/usr/lib/wine/wineserver
}

# ensure_prefix ARCH: creates the prefix once, reporting Windows XP.
ensure_prefix() {
  wine_env "$1"
  [ -f "$WINEPREFIX/.orvandel-ready" ] && return 0
  "$WINELOADER" wineboot -i >/dev/null 2>&1
  if [ "$1" = i686 ]; then "$WINELOADER" winecfg -v winxp >/dev/null 2>&1
  else "$WINELOADER" winecfg -v winxp64 >/dev/null 2>&1; fi
  "$WINESERVER" -w
  touch "$WINEPREFIX/.orvandel-ready"
}

# The handler key as a stock Windows XP has it.
seed_avi_handler() {
  "$WINELOADER" reg add 'HKCR\SystemFileAssociations\.avi\shellex\PropertyHandler' /ve /t REG_SZ \
    /d '{87D62D94-71B3-4b9a-9489-5FE6850DC73E}' /f >/dev/null 2>&1
}
