#!/usr/bin/env bash
# Installs the build into a staging folder and checks that every file lands where the desktop
# looks for it, and nothing else: the programs, the desktop entry, the metainfo, the file
# types and the icons at every theme size. Then lets the desktop's own tools read them.
#   check-install.sh BUILD_DIR STAGING_DIR APP_ID VERSION
set -euo pipefail
build=$1 staging=$2 id=$3 version=$4
fail() { echo "install: $*" >&2; exit 1; }

rm -rf "$staging"
cmake --install "$build" --prefix "$staging" >/dev/null

expected=(
  bin/zumeli
  bin/zumeli-solve
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
)
sizes=(16 22 24 32 48 64 128 256)
for icon in "apps/$id" mimetypes/application-x-zumeli-puzzle mimetypes/application-x-zumeli-state; do
  for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/$icon.png")
  done
  expected+=("share/icons/hicolor/scalable/$icon.svg")
done

# The picture-puzzle collection: its index, attribution and every puzzle file, as committed.
collection=$(cd "$(dirname "$0")/../../collection" && pwd)
for file in "$collection"/index.txt "$collection"/ATTRIBUTION.txt "$collection"/*.zml; do
  expected+=("share/Zumeli/collection/$(basename "$file")")
done

# Exactly the expected files: a missing one and a stray one (a library, a test) both fail.
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$staging" && find . -type f | sed 's|^\./||' | sort) \
  || fail "the installed files differ from the expected ones (< expected, > installed)"

for program in zumeli zumeli-solve; do
  [ -x "$staging/bin/$program" ] || fail "bin/$program is not executable"
done

# Each PNG is as large as its theme folder says (width and height from the PNG header).
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
while IFS= read -r png; do
  folder_size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(png_size "$png")" = "$folder_size" ] || fail "$png is $(png_size "$png"), not $folder_size"
done < <(find "$staging/share/icons" -name '*.png')

# The collection is installed as committed, and holds every puzzle its index names.
for file in "$collection"/index.txt "$collection"/ATTRIBUTION.txt "$collection"/*.zml; do
  cmp -s "$file" "$staging/share/Zumeli/collection/$(basename "$file")" \
    || fail "share/Zumeli/collection/$(basename "$file") differs from the source tree's"
done
while IFS=$'\t' read -r file _; do
  [ -f "$staging/share/Zumeli/collection/$file" ] || fail "the collection's index names $file, not installed"
done < <(tail -n +2 "$staging/share/Zumeli/collection/index.txt")

# The names the desktop entry and the file types ask for are the installed icons' names.
entry="$staging/share/applications/$id.desktop"
grep -qx "Icon=$id" "$entry" || fail "the desktop entry does not name the icon $id"
for icon in $(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$staging/share/mime/packages/$id.xml"); do
  [ -f "$staging/share/icons/hicolor/scalable/mimetypes/$icon.svg" ] || fail "no icon $icon"
done
grep -q "<release version=\"$version\"" "$staging/share/metainfo/$id.metainfo.xml" \
  || fail "the metainfo does not carry version $version"

# The installed program is the one that was built: it runs and reports the version.
QT_QPA_PLATFORM=offscreen "$staging/bin/zumeli" --version | grep -qx "Zumeli $version" \
  || fail "the installed zumeli does not report version $version"

# What a desktop makes of the install: the file-type database knows both extensions, and the
# desktop-entry database opens puzzles with Zumeli.
update-mime-database "$staging/share/mime" || fail "update-mime-database refused the file types"
grep -qx '50:application/x-zumeli-puzzle:\*\.zml' "$staging/share/mime/globs2" || fail "no *.zml type"
grep -qx '50:application/x-zumeli-state:\*\.sts' "$staging/share/mime/globs2" || fail "no *.sts type"
update-desktop-database "$staging/share/applications" || fail "update-desktop-database failed"
grep -qx "application/x-zumeli-puzzle=$id.desktop;" "$staging/share/applications/mimeinfo.cache" \
  || fail "puzzle files do not open with $id.desktop"
echo "install: ${#expected[@]} files in place under $staging"
