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

# configure_and_build ARCH [targets...]: the test build of one architecture, in build/ARCH.
configure_and_build() {
  local arch=$1; shift
  build_folder "$BUILD_ROOT/$arch" "$ROOT/cmake/mingw-$arch.cmake" -DORVANDEL_TESTS=ON -- "$@"
}

# build_shipped [targets...]: the program as shipped (i686, win32 thread model, stripped), in
# build/shipped. build_shipped_in DIR [targets...]: the same configuration in another folder.
build_shipped() {
  build_shipped_in "$BUILD_ROOT/shipped" "$@"
}

build_shipped_in() {
  local dir=$1; shift
  build_folder "$dir" "$ROOT/cmake/mingw-i686-shipped.cmake" -DORVANDEL_TESTS=OFF -DORVANDEL_SHIPPED=ON -- "$@"
}

build_folder() {
  local dir=$1 toolchain=$2; shift 2
  local options=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
  shift || true
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      "${options[@]}" >/dev/null
  fi
  cmake --build "$dir" -- "$@"
}

# wine_env ARCH [PREFIX]: exports the environment of a private prefix in that build folder
# ("wineprefix" for the tests, "runprefix" for scripts/run).
wine_env() {
  local arch=$1
  export WINEPREFIX="$BUILD_ROOT/$arch/${2:-wineprefix}"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" 
  if [ "$arch" = i686 ]; then export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64; fi
  export WINESERVER=/usr/lib/wine/wineserver
}

# ensure_prefix ARCH [PREFIX [DESKTOP]]: creates the prefix once, reporting Windows XP. With a
# DESKTOP size (the test prefix: 1024x768) every window shows inside one Wine virtual desktop:
# without a window manager on the X display, Wine waits for each top-level window's mapping,
# which costs about a second a window.
ensure_prefix() {
  local desktop=${3:-}
  [ -z "${2:-}" ] && desktop=1024x768
  wine_env "$1" "${2:-}"
  if [ ! -f "$WINEPREFIX/.orvandel-ready" ]; then
    create_prefix "$1" "$desktop"
  elif [ ! -f "$WINEPREFIX/.orvandel-cjk" ]; then
    provide_cjk_fonts  # a prefix made before the program spoke Chinese and Japanese
    "$WINESERVER" -w
  fi
  # Wine's own fonts (Tahoma; Marlett for the caption buttons) where every loader finds them.
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

create_prefix() {
  local desktop=$2
  "$WINELOADER" wineboot -i >/dev/null 2>&1
  if [ "$1" = i686 ]; then "$WINELOADER" winecfg -v winxp >/dev/null 2>&1
  else "$WINELOADER" winecfg -v winxp64 >/dev/null 2>&1; fi
  if [ "$desktop" != none ]; then
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
  fi
  provide_cjk_fonts
  "$WINESERVER" -w
  touch "$WINEPREFIX/.orvandel-ready"
}

# Chinese and Japanese text in Tahoma. A Chinese or Japanese Windows links Tahoma to its own CJK
# font (SimSun, MS UI Gothic), and so does Wine by itself, by the ANSI code page of the user's
# locale (936, 932); but Wine's Tahoma has no CJK characters and those fonts aren't there. Wine
# then draws boxes. The test bench stands Debian's WenQuanYi Micro Hei (scripts/bootstrap) in for
# both, so Wine's own link finds it; the program keeps asking for Tahoma, as on Windows. (A
# SystemLink value for Tahoma would not last: Wine writes its own when the code page changes.)
provide_cjk_fonts() {
  local face
  for face in SimSun "MS UI Gothic"; do
    "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f \
      >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.orvandel-cjk"
}

# The handler key as a stock Windows XP has it.
seed_avi_handler() {
  "$WINELOADER" reg add 'HKCR\SystemFileAssociations\.avi\shellex\PropertyHandler' /ve /t REG_SZ \
    /d '{87D62D94-71B3-4b9a-9489-5FE6850DC73E}' /f >/dev/null 2>&1
}

# set_dpi DPI: the prefix's screen resolution, read by Wine when a program starts.
set_dpi() {
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# set_scheme NAME: the colour scheme of the prefix's user ("black": a high-contrast black one, as
# Windows' High Contrast Black has it). Wine hands programs their colours when its server and
# desktop start, so call it while no wineserver runs for the prefix; it waits for the one it starts.
set_scheme() {
  [ "$1" = black ] || return 0
  local colours=(
    Background "0 0 0" Window "0 0 0" WindowText "255 255 255" WindowFrame "255 255 255"
    ButtonFace "0 0 0" ButtonText "255 255 255" ButtonShadow "128 128 128" ButtonDkShadow "128 128 128"
    ButtonHilight "255 255 255" ButtonLight "192 192 192" ButtonAlternateFace "192 192 192"
    GrayText "63 242 63" HotTrackingColor "255 255 0" Hilight "26 235 255" HilightText "0 0 0"
    Menu "0 0 0" MenuBar "0 0 0" MenuText "255 255 255" MenuHilight "26 235 255" InfoWindow "0 0 0"
    InfoText "255 255 255" ActiveTitle "0 0 0" GradientActiveTitle "0 0 0" TitleText "255 255 255"
    InactiveTitle "0 0 0" GradientInactiveTitle "0 0 0" InactiveTitleText "63 242 63"
    ActiveBorder "255 255 255" InactiveBorder "255 255 255" AppWorkSpace "0 0 0" Scrollbar "0 0 0")
  local i file="$WINEPREFIX/scheme-$1.reg"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\r\n' >"$file"
  for ((i = 0; i < ${#colours[@]}; i += 2)); do
    printf '"%s"="%s"\r\n' "${colours[i]}" "${colours[i + 1]}" >>"$file"
  done
  "$WINELOADER" regedit /S "$(printf 'Z:%s' "${file//\//\\}")" >/dev/null 2>&1
  "$WINESERVER" -w
}
