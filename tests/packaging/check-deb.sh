#!/usr/bin/env bash
# Builds the Debian package from the already built tree into a folder of its own and checks
# what it holds and what it says about itself.
#   check-deb.sh BUILD_DIR OUT_DIR APP_ID VERSION
set -euo pipefail
build=$1 out=$2 id=$3 version=$4
fail() { echo "package: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/zumeli_"$version"_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single zumeli_${version}_*.deb in $out"
deb=${debs[0]}

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in usr/bin/zumeli usr/bin/zumeli-solve "usr/share/applications/$id.desktop" \
            "usr/share/metainfo/$id.metainfo.xml" "usr/share/mime/packages/$id.xml" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" \
            "usr/share/icons/hicolor/16x16/apps/$id.png" "usr/share/icons/hicolor/256x256/apps/$id.png" \
            usr/share/icons/hicolor/48x48/mimetypes/application-x-zumeli-puzzle.png \
            usr/share/icons/hicolor/48x48/mimetypes/application-x-zumeli-state.png; do
  grep -qx "\./$path" <<<"$contents" || fail "the package lacks /$path"
done

# The picture-puzzle collection: the index, the attribution and every puzzle the index names.
collection=./usr/share/Zumeli/collection
for file in index.txt ATTRIBUTION.txt $(cut -f1 <(tail -n +2 "$(dirname "$0")/../../collection/index.txt")); do
  grep -qx "$collection/$file" <<<"$contents" || fail "the package lacks the collection's $file"
done
[ "$(grep -c "^$collection/.*\.zml\$" <<<"$contents")" -ge 150 ] || fail "the package holds under 150 puzzles"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zumeli ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Homepage)" ] || fail "no Homepage"
# A synopsis line and a long description below it.
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 2 ] || fail "no long description"
# dpkg-shlibdeps found the Qt libraries the program links.
depends=$(field Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
  grep -q "\b$library\b" <<<"$depends" || fail "Depends does not name $library: $depends"
done
echo "package: $(basename "$deb") holds the program and its desktop files; Depends: $depends"
