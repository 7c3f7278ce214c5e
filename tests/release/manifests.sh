#!/usr/bin/env bash
# The release as `make dist` makes it, into a scratch folder from the programs
# and setups in dist/<arch>/ (which `make test` fills): its winget and Scoop
# manifests checked against the schemas' rules and the files beside them;
# then a setup changed after the manifests were written must be caught.
#   tests/release/manifests.sh RELEASE_URL
# Exit 77 (skipped) when dist/ holds no build of both programs and setups.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
url=${1:?release URL}
version=$(sed -n 's/^project(Quorvex VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
for f in win32/Quorvex.exe win64/Quorvex.exe win32/Quorvex-$version-setup.exe win64/Quorvex-$version-win64-setup.exe; do
  [[ -f $root/dist/$f ]] || { echo "manifests: no dist/$f, skipped"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$root/scripts/make-release" --out "$out" --release-url "$url"
check() { "$root/scripts/check-manifests" "$out" --version "$version" --release-url "$url" --nsi "$root/installer/quorvex.nsi"; }
check

setup=$out/Quorvex-$version-win64-setup.exe
printf 'x' >> "$setup"
if errors=$(check 2>&1); then
  echo "manifests: a changed setup passed the check" >&2
  exit 1
fi
grep -q "InstallerSha256 is not the hash of Quorvex-$version-win64-setup.exe" <<<"$errors" || {
  echo "manifests: a changed setup was not reported as a hash mismatch: $errors" >&2
  exit 1
}
echo "manifests: a setup changed after the manifests were written is caught"
