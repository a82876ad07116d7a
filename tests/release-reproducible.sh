#!/usr/bin/env bash
# Two releases (scripts/release) of this source from two folders, one after the other, in other
# time zones and with other umasks, give the same orvandel.exe and the same zip; the zip holds
# exactly its three files, its SHA256SUMS hold, and the guide gives the version of the program's
# version block.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# release DIR TZ UMASK: a clone with this working tree's files over it (what is tested is what is
# here), released there.
release() {
  git clone -q "$root" "$1"
  (cd "$root" && git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -cf -) | tar -xf - -C "$1"
  (umask "$3" && TZ=$2 "$1/scripts/release") > "$1.log" 2>&1 || { cat "$1.log"; fail "scripts/release in $1"; }
}
one=$work/one/orvandel two=$work/two/a/longer/path/orvandel-copy
release "$one" UTC0 022
release "$two" ORV-14 077  # UTC+14: there it is already another day

zip=$(cd "$one/dist" && echo orvandel-*.zip)
name=${zip%.zip} version=${zip#orvandel-}
version=${version%.zip}
for file in "$name/orvandel.exe" "$zip"; do
  cmp "$one/dist/$file" "$two/dist/$file" || fail "$file differs between two releases of one source"
  echo "$(sha256sum < "$one/dist/$file" | cut -c1-64)  $file (both)"
done
(cd "$one/dist" && sha256sum --quiet -c "$zip.sha256") || fail "$zip.sha256 is not the zip's"

unpacked=$work/unpacked
python3 - "$one/dist/$zip" "$unpacked" <<'EOF'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as zip:
    if zip.namelist() != ["orvandel.exe", "README.txt", "SHA256SUMS"]:
        sys.exit(f"FAIL: the zip holds {zip.namelist()}")
    zip.extractall(sys.argv[2])
EOF
(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS disagrees with the zip's files"
[ "$(grep -c $'\r$' "$unpacked/README.txt")" = "$(wc -l < "$unpacked/README.txt")" ] || fail "README.txt has Unix line ends"

guide=$(head -n 1 "$unpacked/README.txt" | tr -d '\r')
block=$(i686-w64-mingw32-windres -J coff -O rc -i "$unpacked/orvandel.exe" | sed -n '/VERSIONINFO/,/^END/p')
fixed=$(sed -n 's/^ *FILEVERSION //p' <<<"$block" | tr -d ' ' | tr , .)
text=$(sed -n 's/^ *VALUE "FileVersion", "\(.*\)"/\1/p' <<<"$block")
echo "zip $version, guide \"$guide\", version block $fixed \"$text\""
[ "$guide" = "Orvandel $version" ] && [ "$fixed" = "$version" ] && [ "$text" = "$version" ] || fail "the versions disagree"
