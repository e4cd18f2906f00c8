#!/usr/bin/env bash
# Builds what a Windows user downloads, into dist/:
#   quellix-<version>-setup.exe     the per-user installer (no administrator rights needed)
#   quellix-<version>-x64.msi       the machine-wide package for administrators (msiexec)
#   quellix-<version>-portable.zip  the program folder, to run wherever it is unpacked
#   quellix-<version>-policies.zip  the administrative templates (quellix.admx, en-US/quellix.adml)
#   SHA256SUMS                      checksums of all four
#   winget/ and scoop/              package-manager manifests pointing at the maker's web site
source "$(dirname "$0")/lib.sh"
bash scripts/setup.sh package

version=$(sed -n 's/.*kVersion = "\([0-9][0-9.]*\)".*/\1/p' src/product/product.h)
[ -n "$version" ] || { echo "FAILED: no version (kVersion) found in src/product/product.h" >&2; exit 1; }
build=$QUELLIX_ROOT/build/win64
dist=$QUELLIX_ROOT/dist
download=https://www.kelvane.example/download
setup=quellix-$version-setup.exe
portable=quellix-$version-portable.zip
msi=quellix-$version-x64.msi

step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
step "building quellix.exe, its help file and the installers" \
  cmake --build --preset win64 -j "$(nproc)" --target quellix quellix_help quellix_setup quellix_msi

rm -rf "$dist"
mkdir -p "$dist"
cp "$build/quellix-setup.exe" "$dist/$setup"
cp "$build/quellix.msi" "$dist/$msi"
# The portable zip holds one folder, Quellix, with what the installer installs. Its entries
# carry the time of the last commit, so the same sources give the same zip.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
step "writing $portable" python3 - "$build" "$dist/$portable" "$stamp" <<'PY'
import os, sys, time, zipfile
build, out, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
when = time.gmtime(max(stamp, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in ("quellix.exe", "Quellix.chm", "popcfg.apo", "wav/7.wav"):
        info = zipfile.ZipInfo("Quellix/" + name, when)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        with open(os.path.join(build, name), "rb") as f:
            z.writestr(info, f.read())
PY
step "writing quellix-$version-policies.zip" \
  python3 scripts/policies_zip.py "$QUELLIX_ROOT" "$dist/quellix-$version-policies.zip" "$stamp"
(cd "$dist" && sha256sum "$setup" "$msi" "$portable" "quellix-$version-policies.zip" >SHA256SUMS)
portable_sha=$(awk -v f="$portable" '$2 == f { print $1 }' "$dist/SHA256SUMS")

# winget: the per-user installer for scope "user", the MSI for scope "machine".
step "writing the winget manifests" \
  python3 scripts/winget_manifests.py "$version" "$download" "$dist/$setup" "$dist/$msi" "$dist/winget"

# Scoop: the portable zip. The block list, its hit figures and the log live in the program
# folder, so they are kept across updates. Scoop keeps each as a hard link to its copy in the
# persist folder; the program saves and clears such a file in place, so the link holds. The
# figures and the log are created empty first where missing, or Scoop would keep a folder.
mkdir -p "$dist/scoop"
cat >"$dist/scoop/quellix.json" <<JSON
{
    "version": "$version",
    "description": "Closes unwanted pop-up browser windows by their title.",
    "homepage": "https://www.kelvane.example/products/quellix",
    "license": "Proprietary",
    "architecture": {
        "64bit": {
            "url": "$download/$portable",
            "hash": "$portable_sha"
        }
    },
    "extract_dir": "Quellix",
    "pre_install": "foreach (\$f in 'popcfg.hits', 'popuplog.txt') { if (!(Test-Path \"\$dir\\\\\$f\")) { New-Item \"\$dir\\\\\$f\" -ItemType File | Out-Null } }",
    "bin": "quellix.exe",
    "shortcuts": [
        [
            "quellix.exe",
            "Quellix"
        ]
    ],
    "persist": [
        "popcfg.apo",
        "popcfg.hits",
        "popuplog.txt"
    ],
    "checkver": {
        "url": "https://www.kelvane.example/products/quellix",
        "regex": "quellix-([\\\\d.]+)-portable\\\\.zip"
    },
    "autoupdate": {
        "architecture": {
            "64bit": {
                "url": "$download/quellix-\$version-portable.zip"
            }
        },
        "extract_dir": "Quellix"
    }
}
JSON

echo "dist/ for Quellix $version:"
(cd "$dist" && find . -type f | sort | while read -r f; do printf '  %9s  %s\n' "$(stat -c %s "$f")" "${f#./}"; done)
