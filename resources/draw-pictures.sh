#!/usr/bin/env bash
# Draws Orvandel's own pictures, icons and cursor into resources/ (this script's folder).
# Re-runnable: every file below is rewritten from the drawing in this script, the same each time.
#
#   orvandel.ico      the program icon (window, taskbar, Explorer): 32x32 and 16x16, 256-colour
#                     palette, transparent background; a film strip with an open padlock.
#   logo.bmp          48x48 logo on white, the same motif in more detail; shown on the white square
#                     of the About window's side banner and in the main window.
#   logo-faded.bmp    96x96 washed-out copy of the logo, a watermark in the top-right corner of a
#                     white header band whose top part is cut off.
#   maker-small.bmp   20x16 mark of the maker, Tesquine Solutions: a white "T" on a blue rounded
#                     square over an orange one; transparent background, sits on button-face grey.
#   donate.bmp        62x31 badge with a heart, transparent corners.
#   banner.bmp        99x200 side banner for the left edge of the About window: a blue gradient with
#                     a faint film strip down the right edge; the top (8..92, 8..92) is kept calm for
#                     the white 84x84 square that carries the logo.
#
# The pictures are 8-bit bitmaps (at most 256 colours, run-length encoded where that is smaller,
# #FF00FF for transparent pixels), which the system loads (LoadImage): written by make_bitmap.py
# beside this script from what ImageMagick draws and reduces to 256 colours.
#   hand.cur          32x32 16-colour pointing-hand cursor for hyperlinks, hot spot (5,0) at the
#                     fingertip; written by make_cursor.py beside this script.
#
# Needs ImageMagick 6 (/usr/bin/convert; /usr/local/bin/convert may be a stand-in), DejaVu fonts
# and python3. Run as root on a bare machine and it installs what is missing with apt-get.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CONVERT=/usr/bin/convert
FONT_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

missing=()
[ -x "$CONVERT" ] || missing+=(imagemagick)
[ -f "$FONT_BOLD" ] || missing+=(fonts-dejavu-core)
command -v python3 >/dev/null 2>&1 || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "draw-pictures: needs ${missing[*]} (apt-get install -y ${missing[*]})" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
    || { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"; }
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
im() { "$CONVERT" "$@"; }
# bitmap PICTURE OUT.bmp: the picture (at most 256 colours) as the program's 8-bit bitmap.
bitmap() {
  local size
  size=$(identify_size "$1")
  im "$1" -depth 8 "rgba:$tmp/pixels.rgba"
  python3 "$here/make_bitmap.py" "$tmp/pixels.rgba" $size "$2"
}
identify_size() { im "$1" -format '%w %h' info:; }

# ---------------------------------------------------------------------------------------------
# Pixel art. Each picture is a grid of one-letter colours, turned into an XPM for ImageMagick.
# '.' is transparent.
PALETTE='
. None
k #1a1a20
f #3a3a44
g #5a5a66
h #e8e8e0
a #3f86d8
b #62a2ea
c #93c3f5
y #ffd23c
n #8fd064
M #5cb640
m #3e9a34
S #33343c
T #b4bac4
U #eef0f4
O #6a4600
L #ffe88a
G #f2c230
D #cc9410
K #3a2600
'
# xpm NAME < grid: writes $tmp/NAME.xpm from the grid on standard input and $PALETTE.
xpm() {
  local name=$1 rows=() line
  while IFS= read -r line; do [ -n "$line" ] && rows+=("$line"); done
  local w=${#rows[0]} h=${#rows[@]}
  local used
  used=$(printf '%s' "${rows[@]}" | fold -w1 | LC_ALL=C sort -u | tr -d '\n')
  {
    echo '/* XPM */'
    echo "static char *${name//-/_}[] = {"
    echo "\"$w $h ${#used} 1\","
    local i c
    for ((i = 0; i < ${#used}; i++)); do
      c=${used:i:1}
      printf '"%s c %s",\n' "$c" "$(awk -v c="$c" '$1 == c { print $2 }' <<<"$PALETTE")"
    done
    for ((i = 0; i < h; i++)); do
      [ ${#rows[i]} -eq "$w" ] || { echo "draw-pictures: $name row $i is ${#rows[i]} wide, not $w" >&2; exit 1; }
      printf '"%s"%s\n' "${rows[i]}" "$([ $i -lt $((h - 1)) ] && echo ,)"
    done
    echo '};'
  } >"$tmp/$name.xpm"
}

# ---------------------------------------------------------------------------------------------
# orvandel.ico: a strip of film (two frames of a landscape between the sprocket holes) and an
# open padlock, its shackle lifted out of the body.
xpm icon32 <<'GRID'
................................
................................
kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk
gggggggggggggggggggggggggggggggg
fhhffhhffhhffhhffhhffhhffhhffhhf
fhhffhhffhhffhhffhhffhhffhhffhhf
ffffffffffffffffffffffffffffffff
ffffffffffffffffffffffffffffffff
ffaaaaaaaaaaaaaffaaaaaaaaaaaaaff
ffaaaaaaaaaaaaaffaaaaaaaaaaaaaff
ffaayyaaaaaaaaaffaayyaaaaaaaaaff
ffbbyybbbbbbbbbffbbyybbbbbbbbbff
ffbbbbbbbbbnnnbffbbbbbSSSSSnnbff
ffbbbbbbbnnnnnnffbbbbSUUUTTSnnff
ffccMMMcnnnnnnnffccMSUUSSSTTSnff
ffcMmmmMMnnnnnnffcMSUUSMnnSTTSff
ffMmmmmmmmmmnnnffMmSUUSmmmSTTSff
ffmmmmmmmmmmmmmffmmSUUSmmmSTTSff
fffffffffffffffffffSUUSfffSSSSff
fffffffffffffffffffSUUSfffffffff
fhhffhhffhhffhhffhhSUUSffhhffhhf
fhhffhhffhhffhhffhhOOOOOOOOOOOhf
ffffffffffffffffffOLLLLLLLLLLLOf
kkkkkkkkkkkkkkkkkkOLGGGGGGGGGDOk
..................OLGGGGKGGGGDO.
..................OLGGGKKKGGGDO.
..................OLGGGKKKGGGDO.
..................OLGGGGKGGGGDO.
..................OLGGGGKGGGGDO.
..................ODGGGGGGGGGDO.
..................ODDDDDDDDDDDO.
...................OOOOOOOOOOO..
GRID
# At 16x16 one frame, and a shackle without outline: the dark film behind it is its outline.
xpm icon16 <<'GRID'
................
kkkkkkkkkkkkkkkk
fhfhfhfhfhfhfhfh
ffffffffffffffff
faaaaaaffUUUUTff
fayyaaafUTTTTTTf
fbbbbnbfUTfffTTf
fcMMnnnfUTfffTTf
fmmmmmmfUTffffff
ffffffffUTffffff
fhfhfhfhOOOOOOOh
kkkkkkkOLLLLLLLO
.......OLGGKGGDO
.......OLGGKGGDO
.......ODDDDDDDO
........OOOOOOO.
GRID
# Both sizes as 8-bit palette images (bColorCount 0 = 256 colours), transparency in the AND mask.
im "$tmp/icon32.xpm" "$tmp/icon16.xpm" -colors 256 "$here/orvandel.ico"

# ---------------------------------------------------------------------------------------------
# logo.bmp and logo-faded.bmp: the icon's motif drawn as shapes on a 48x48 canvas, rendered
# large and scaled down, so both sizes come out smooth.
logo_mvg() {
  local holes='' x
  for x in 1.5 7.5 13.5 19.5 25.5 31.5 37.5 43.5; do
    holes+="push graphic-context translate $x,0 roundrectangle 0,7.2 3,10.2 0.8,0.8 roundrectangle 0,29.8 3,32.8 0.8,0.8 pop graphic-context "
  done
  cat <<MVG
push defs
push gradient 'film' linear 0,4 0,36
stop-color '#55555f' 0
stop-color '#2e2e36' 0.45
stop-color '#1c1c22' 1
pop gradient
push gradient 'sky' linear 0,12 0,28
stop-color '#2a72cc' 0
stop-color '#a4d2fb' 1
pop gradient
push gradient 'hillback' linear 0,18 0,28
stop-color '#b2e283' 0
stop-color '#74c250' 1
pop gradient
push gradient 'hillfront' linear 0,20 0,28
stop-color '#5fb842' 0
stop-color '#2c8528' 1
pop gradient
push gradient 'gold' linear 0,29 0,47
stop-color '#fff2b0' 0
stop-color '#f7cb3c' 0.35
stop-color '#d99812' 1
pop gradient
push gradient 'steel' linear 29,0 44,0
stop-color '#f6f7fa' 0
stop-color '#c6cbd4' 0.55
stop-color '#8a92a0' 1
pop gradient
pop defs
push graphic-context
  fill 'url(#film)'
  stroke '#121216'
  stroke-width 0.8
  rectangle 0.4,5 47.6,35
pop graphic-context
push graphic-context
  fill '#f4f4ee'
  stroke none
  $holes
pop graphic-context
MVG
  local dx
  for dx in 2.5 26; do
    cat <<MVG
push graphic-context
  translate $dx,0
  push graphic-context
    fill 'url(#sky)'
    rectangle 0,12.8 19.5,27.2
  pop graphic-context
  push graphic-context
    fill '#fff3b8'
    fill-opacity 0.55
    circle 5,16.8 7.6,16.8
  pop graphic-context
  push graphic-context
    fill '#ffd23c'
    circle 5,16.8 6.7,16.8
  pop graphic-context
  push graphic-context
    fill 'url(#hillback)'
    path 'M 6,27.2 C 9,21 14,18.5 19.5,19.5 L 19.5,27.2 Z'
  pop graphic-context
  push graphic-context
    fill 'url(#hillfront)'
    path 'M 0,22.5 C 4,19.8 9,20.5 13,27.2 L 0,27.2 Z'
  pop graphic-context
pop graphic-context
MVG
  done
  cat <<'MVG'
push graphic-context
  fill 'url(#steel)'
  stroke '#3a3e48'
  stroke-width 0.9
  path 'M 29.8,32 L 29.8,22.5 A 6.8,6.8 0 0 1 43.4,22.5 L 43.4,26.5 L 39.8,26.5 L 39.8,22.5 A 3.2,3.2 0 0 0 33.4,22.5 L 33.4,32 Z'
pop graphic-context
push graphic-context
  fill '#000000'
  fill-opacity 0.22
  roundrectangle 27.3,31 47.3,47.4 2.4,2.4
pop graphic-context
push graphic-context
  fill 'url(#gold)'
  stroke '#6e4a00'
  stroke-width 0.9
  roundrectangle 26.5,30 46.5,46.5 2.4,2.4
pop graphic-context
push graphic-context
  stroke '#fff6cc'
  stroke-width 0.7
  stroke-opacity 0.85
  line 28.6,31.4 44.4,31.4
pop graphic-context
push graphic-context
  fill '#4a3000'
  stroke none
  circle 36.5,36.4 36.5,38.2
  polygon 35.7,37.4 37.3,37.4 37.9,43.2 35.1,43.2
pop graphic-context
MVG
}
# logo_png SIZE OUT: the logo at SIZE x SIZE on white, drawn at 8 times that size first.
logo_png() {
  local size=$1 out=$2 big=$(($1 * 8))
  local scale
  scale=$(echo "$big / 48" | bc -l)
  im -size "${big}x${big}" xc:white -draw "viewbox 0 0 $big $big affine $scale,0,0,$scale,0,0 $(logo_mvg)" \
    -filter Catrom -resize "${size}x${size}" "$out"
}
logo_png 48 "$tmp/logo48.png"
im "$tmp/logo48.png" -dither None -colors 256 "$tmp/logo.gif"
bitmap "$tmp/logo.gif" "$here/logo.bmp"

# The watermark: the logo at 96x96, its colours drawn most of the way to white.
logo_png 96 "$tmp/logo96.png"
im "$tmp/logo96.png" -modulate 100,55 -fill white -colorize 82% -dither None -colors 256 "$tmp/logo-faded.gif"
bitmap "$tmp/logo-faded.gif" "$here/logo-faded.bmp"

# ---------------------------------------------------------------------------------------------
# maker-small.bmp: the maker's mark, a white "T" with an orange full stop on a bevelled blue
# rounded square; transparent around it.
PALETTE+='
Q #143f80
P #5b95e0
B #2a6cc4
q #1f58a8
W #ffffff
R #f59a23
'
xpm maker <<'GRID'
...QQQQQQQQQQQQQQ...
..QPPPPPPPPPPPPPPQ..
..QPBBBBBBBBBBBBqQ..
..QPBWWWWWWWWWWBqQ..
..QPBWWWWWWWWWWBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBBBBqQ..
..QPBBBBBWWBBRRBqQ..
..QPBBBBBWWBBRRBqQ..
..QPBBBBBBBBBBBBqQ..
..QPqqqqqqqqqqqqqQ..
...QQQQQQQQQQQQQQ...
GRID
im "$tmp/maker.xpm" "$tmp/maker-small.gif"
bitmap "$tmp/maker-small.gif" "$here/maker-small.bmp"

# ---------------------------------------------------------------------------------------------
# donate.bmp: a golden button-like badge with a red heart, drawn without anti-aliasing, so it stays
# crisp on any background; the rounded corners are transparent. No word on it: a picture can't
# speak the user's language (its name, a word of the tables, says what it does).
PALETTE+='
r #a8141c
H #e0303a
w #ff9aa0
'
xpm heart <<'GRID'
.rr...rr.
rHwHrHHHr
rHwHHHHHr
rHHHHHHHr
.rHHHHHr.
..rHHHr..
...rHr...
....r....
GRID
im -size 62x31 gradient:'#fff6d0'-'#f3b02e' \
  \( -size 62x31 xc:black +antialias -fill white -draw 'roundrectangle 0,0 61,30 6,6' \) \
  -alpha off -compose CopyOpacity -composite -compose Over \
  +antialias -fill none -stroke '#b06a08' -strokewidth 1 -draw 'roundrectangle 0,0 61,30 6,6' \
  -stroke '#fffdf0' -draw 'line 5,1 56,1' -stroke none \
  \( "$tmp/heart.xpm" -scale 200% \) -geometry +22+8 -composite \
  "$tmp/donate.png"
im "$tmp/donate.png" -channel A -threshold 50% +channel -dither None -colors 255 "$tmp/donate.gif"
bitmap "$tmp/donate.gif" "$here/donate.bmp"

# ---------------------------------------------------------------------------------------------
# banner.bmp: deep blue at the top to a lighter blue at the bottom, two faint light swells low
# down, and a faint strip of film with its sprocket holes down the right edge (x 92..98), beside
# the white square at (8..92, 8..92).
holes=''
for ((y = -2; y < 200; y += 8)); do holes+="roundrectangle 94,$y 96,$((y + 3)) 0.8,0.8 "; done
im -size 99x200 gradient:'#0c2d78'-'#4f8ad6' \
  -fill white -draw "fill-opacity 0.06 path 'M 0,200 L 0,120 C 30,140 70,120 99,90 L 99,200 Z'" \
  -draw "fill-opacity 0.05 path 'M 0,200 L 0,160 C 40,170 70,150 99,130 L 99,200 Z'" \
  -fill black -draw 'fill-opacity 0.22 rectangle 92,0 98,199' \
  -fill white -draw "fill-opacity 0.22 $holes" -draw 'fill-opacity 0.12 rectangle 92,0 92,199' \
  -dither None -colors 256 "$tmp/banner.png"
bitmap "$tmp/banner.png" "$here/banner.bmp"

# ---------------------------------------------------------------------------------------------
# hand.cur: see make_cursor.py.
python3 "$here/make_cursor.py" "$here/hand.cur"

echo "draw-pictures: wrote orvandel.ico logo.bmp logo-faded.bmp maker-small.bmp donate.bmp banner.bmp hand.cur"
